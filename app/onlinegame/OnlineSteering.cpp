#include "OnlineSteering.h"

#include "CFG/CFG.h"
#include "app/match/Headings.h"
#include "app/match/Match.h"

namespace Tool {

namespace {

const char* const SEAT0_KEYS[4] = {"KEY_MOVE_UP", "KEY_MOVE_DOWN", "KEY_MOVE_LEFT",
                                   "KEY_MOVE_RIGHT"};

} // namespace

void OnlineSteering::start(const MatchOptions& options, int seats)
{
    unsigned char codes[Steering::MAX_SEATS][4] = {};
    for (int d = 0; d < 4; ++d) {
        codes[0][d] = keyCodeOf(CFG::get(SEAT0_KEYS[d]));
    }
    for (int seat = 1; seat < Steering::MAX_SEATS; ++seat) {
        for (int d = 0; d < 4; ++d) {
            codes[seat][d] = options.seatKeys[seat][d];
        }
    }
    steering.setSeats(seats, codes);
    pads.read(seats);
    turnBuffer = options.turnBuffer;
    for (int seat = 0; seat < Steering::MAX_SEATS; ++seat) {
        sentStep[seat] = ~0ul;
        sentHeading[seat] = Steering::NONE;
    }
}

int OnlineSteering::wanted(const Match& match, int seat, int player)
{
    const PlayerHead& head = match.getPlayer(player);
    const int back = BACK[head.heading];
    const bool blockedBehind =
        match.cell(head.x + STEP_X[back], head.y + STEP_Y[back]) != Match::FREE;
    if (turnBuffer) {
        // One press per step: the next waits until the turn has been stepped.
        if (sentStep[seat] == match.getStepCount()) {
            return Steering::NONE;
        }
        const int press = steering.takePress(seat, head.heading, blockedBehind);
        return press == head.heading ? Steering::NONE : press;
    }
    const int pad = pads.heading(seat);
    const int held = pad != PadControl::NONE ? pad : steering.heldHeading(seat, head.heading);
    if (held == head.heading || (held == back && blockedBehind) ||
        (sentStep[seat] == match.getStepCount() && sentHeading[seat] == held)) {
        return Steering::NONE;
    }
    return held;
}

std::vector<OnlineSteering::Turn> OnlineSteering::turns(const Match& match,
                                                        const std::vector<int>& players)
{
    std::vector<Turn> out;
    const int seats = static_cast<int>(players.size());
    for (int seat = 0; seat < seats && seat < steering.getSeats(); ++seat) {
        const int player = players[static_cast<std::size_t>(seat)];
        if (player < 0 || player >= match.getPlayerCount() || !match.getPlayer(player).alive) {
            continue;
        }
        const int heading = wanted(match, seat, player);
        if (heading != Steering::NONE) {
            sentStep[seat] = match.getStepCount();
            sentHeading[seat] = heading;
            out.push_back(Turn{seat, heading});
        }
    }
    return out;
}

} // namespace Tool
