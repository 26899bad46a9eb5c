#pragma once

#include <vector>

#include "app/input/MatchOptions.h"
#include "app/input/PadControl.h"
#include "app/input/Steering.h"

namespace Tool {

class Match;

// The local people's keys and pads turned into the turns an online client
// sends: each local seat (0 to 3, steered by the keys and pad of players 1 to
// 4 of the client's own settings) steers the player number the server gave
// it. Held keys turn as soon as they differ from the heading, and a seat's pad
// pointing somewhere has the last word; with the turn buffer ("TURN_BUFFER")
// a press or push turns once. A turn the match's TurnRules would drop is
// never sent, and a seat sends one turn per step: the next waits until the
// predicted match has played the step of the last. Holds values only; the
// keyboard and joypad are looked up when read.
class OnlineSteering {
public:
    struct Turn {
        int seat;
        int heading;
    };

    // At a match start: the seats' keys from options, seats local people.
    void start(const MatchOptions& options, int seats);
    // A key went down (used by the turn buffer).
    void press(unsigned char key) { steering.press(key); }
    // Once a frame: the pads' buttons, and their pushes as presses when buffered.
    void updatePads() { pads.update(turnBuffer ? &steering : nullptr); }
    const PadControl& getPads() const { return pads; }
    // The turns to send now, given the predicted match and the player number
    // of each local seat.
    std::vector<Turn> turns(const Match& match, const std::vector<int>& players);

private:
    int wanted(const Match& match, int seat, int player);

    Steering steering;
    PadControl pads;
    bool turnBuffer = false;
    // Per seat: the first step its next turn may name (one after the step
    // of the last turn sent), so that a key held until the turn shows is
    // sent once.
    unsigned long openStep[Steering::MAX_SEATS] = {};
};

} // namespace Tool
