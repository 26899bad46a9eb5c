#include "Steering.h"

#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "app/match/Headings.h"

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

int Steering::takePress(int seat, int heading, bool blockedBehind)
{
    if (seat < 0 || seat >= seats) {
        return NONE;
    }
    int taken = NONE;
    int used = 0;
    // A dropped reversal does not cost the step: the next press may apply.
    while (used < queued[seat] && taken == NONE) {
        const int d = queue[seat][used++];
        if (!(d == BACK[heading] && blockedBehind)) {
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
