#include "PeopleInput.h"

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/KeyboardStrings.h"

namespace Tool {

namespace {

// The steering keys in the order they are looked at; a later one wins.
const char* const KEY_SETTINGS[4] = {"KEY_MOVE_UP", "KEY_MOVE_DOWN", "KEY_MOVE_LEFT",
                                     "KEY_MOVE_RIGHT"};

} // namespace

void PeopleInput::start(const MatchOptions& options)
{
    humans = options.humans;
    turnBuffer = options.turnBuffer;
    countdown = options.countdown > 0;
    unsigned char seatKeys[MatchOptions::MAX_HUMANS][4] = {};
    if ((turnBuffer || countdown) && humans > 0) {
        // Presses are matched against seat 0's keys from the first step on.
        readKeyCodes();
        for (int d = 0; d < 4; ++d) {
            seatKeys[0][d] = keyCodes[d];
        }
    }
    for (int seat = 1; seat < humans; ++seat) {
        for (int d = 0; d < 4; ++d) {
            seatKeys[seat][d] = options.seatKeys[seat][d];
        }
    }
    steering.setSeats(humans, seatKeys);
    pads.read(humans);
}

const MatchInputs& PeopleInput::inputs(const Match& match)
{
    // With nobody in the match every seat keeps its heading: a match of
    // computer players only (the simulator's) asks no device at any step.
    static const MatchInputs NOBODY;
    if (humans == 0) {
        return NOBODY;
    }
    wanted = turnBuffer ? bufferedInputs(match) : heldInputs(match);
    return wanted;
}

MatchInputs PeopleInput::heldInputs(const Match& match)
{
    MatchInputs inputs;
    if (match.getStepCount() == 0 && countdown) {
        countdownPresses(inputs);
    }
    if (humans > 0) {
        readKeyCodes();
        for (int i = 0; i < 4; ++i) {
            if (keyDown(i)) {
                inputs.heading[0] = i;
            }
        }
    }
    for (int seat = 1; seat < humans; ++seat) {
        const int now = inputs.heading[seat] == MatchInputs::KEEP ? match.getPlayer(seat).heading
                                                                  : inputs.heading[seat];
        inputs.heading[seat] = steering.heldHeading(seat, now);
    }
    // A seat's pad, when it points somewhere, has the last word over its keys.
    for (int seat = 0; seat < humans && pads.any(); ++seat) {
        const int heading = pads.heading(seat);
        if (heading != PadControl::NONE) {
            inputs.heading[seat] = heading;
        }
    }
    return inputs;
}

MatchInputs PeopleInput::bufferedInputs(const Match& match)
{
    MatchInputs inputs;
    for (int seat = 0; seat < humans; ++seat) {
        const int heading = steering.takePress(seat, match, seat);
        inputs.heading[seat] = heading == Steering::NONE ? MatchInputs::KEEP : heading;
    }
    return inputs;
}

void PeopleInput::countdownPresses(MatchInputs& inputs)
{
    // Held keys steer at every step; the presses of the countdown turn each
    // person once, the last one counting (the step judges it).
    for (int seat = 0; seat < humans; ++seat) {
        for (int press = steering.takePress(seat); press != Steering::NONE;
             press = steering.takePress(seat)) {
            inputs.heading[seat] = press;
        }
    }
}

void PeopleInput::readKeyCodes()
{
    if (keysRead) {
        return;
    }
    const auto& mapping = Devices::KeyboardStrings::instance().keyMapping();
    for (int i = 0; i < 4; ++i) {
        keyCodes[i] = mapping.getKey(CFG::get(KEY_SETTINGS[i]));
    }
    keysRead = true;
}

bool PeopleInput::keyDown(int direction) const
{
    const Devices::Keyboard* keyboard = Devices::getKeyboard();
    // Code 0 is what an unknown key name maps to: it must never steer.
    return keyboard != nullptr && keyCodes[direction] != 0 &&
           keyboard->keyDown[keyCodes[direction]];
}

} // namespace Tool
