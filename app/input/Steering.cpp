#include "Steering.h"

#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "app/match/Match.h"
#include "app/match/TurnRules.h"

namespace Tool {

void Steering::setSeats(int count, const unsigned char codes[][4])
{
    seats = count < 0 ? 0 : (count > MAX_SEATS ? MAX_SEATS : count);
    for (int seat = 0; seat < seats; ++seat) {
        for (int d = 0; d < 4; ++d) {
            keys[seat][d] = codes[seat][d];
        }
    }
    clearPresses();
}

int Steering::heldHeading(int seat, int heading) const
{
    const Devices::Keyboard* keyboard = Devices::getKeyboard();
    if (keyboard == nullptr || seat < 0 || seat >= seats) {
        return heading;
    }
    for (int d = 0; d < 4; ++d) {
        // Code 0 is what an unknown key name maps to: it never steers.
        if (keys[seat][d] != 0 && keyboard->keyDown[keys[seat][d]]) {
            heading = d;
        }
    }
    return heading;
}

void Steering::press(unsigned char key)
{
    if (key == 0) {
        return;
    }
    for (int seat = 0; seat < seats; ++seat) {
        for (int d = 0; d < 4; ++d) {
            if (keys[seat][d] == key) {
                push(seat, d);
            }
        }
    }
}

void Steering::push(int seat, int direction)
{
    if (seat >= 0 && seat < seats && direction >= 0 && direction < 4 &&
        queued[seat] < QUEUE_LENGTH) {
        queue[seat][queued[seat]++] = direction;
    }
}

int Steering::takePress(int seat, const Match& match, int player)
{
    const TurnRules rules(match);
    return take(seat, [&](int direction) {
        return rules.judge(match, player, direction) == TurnRules::Outcome::REVERSAL;
    });
}

int Steering::takePress(int seat)
{
    return take(seat, [](int) { return false; });
}

template <typename Dropped>
int Steering::take(int seat, Dropped dropped)
{
    if (seat < 0 || seat >= seats) {
        return NONE;
    }
    int taken = NONE;
    int used = 0;
    while (used < queued[seat] && taken == NONE) {
        const int d = queue[seat][used++];
        if (!dropped(d)) {
            taken = d;
        }
    }
    for (int i = used; i < queued[seat]; ++i) {
        queue[seat][i - used] = queue[seat][i];
    }
    queued[seat] -= used;
    return taken;
}

void Steering::clearPresses()
{
    for (int seat = 0; seat < MAX_SEATS; ++seat) {
        queued[seat] = 0;
    }
}

} // namespace Tool
