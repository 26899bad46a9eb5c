#pragma once

#include "app/input/MatchOptions.h"
#include "app/input/PadControl.h"
#include "app/input/Steering.h"
#include "app/match/Match.h"

namespace Tool {

// What the people want at a step, gathered from their devices: player 0's
// four keys ("KEY_MOVE_UP" ... "KEY_MOVE_RIGHT", held or, with the turn
// buffer or a countdown, pressed; read once a run), the party seats' keys,
// the turn buffer's presses and the seats' gamepads. Turns it into one
// step's MatchInputs, so that the match itself never sees a device. Holds
// values only; the keyboard and joypad devices are looked up when read.
class PeopleInput {
public:
    // At a match start: the seats people hold, their keys and their pads.
    void start(const MatchOptions& options);
    // A key went down: queued for every seat steered by that key.
    void press(unsigned char key) { steering.press(key); }
    // Once a frame in a match: the pads' buttons, and their new pushes
    // queued as presses when buffered.
    void updatePads(bool buffered) { pads.update(buffered ? &steering : nullptr); }
    const PadControl& getPads() const { return pads; }

    // The headings the people want at the match's next step, good until the
    // next call.
    const MatchInputs& inputs(const Match& match);

private:
    MatchInputs heldInputs(const Match& match);
    MatchInputs bufferedInputs(const Match& match);
    void countdownPresses(MatchInputs& inputs);
    void readKeyCodes();
    bool keyDown(int direction) const;

    int humans = 0;
    bool turnBuffer = false;
    bool countdown = false;
    bool keysRead = false;
    unsigned char keyCodes[4] = {};
    Steering steering;
    PadControl pads;
    MatchInputs wanted;
};

} // namespace Tool
