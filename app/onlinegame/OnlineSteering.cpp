#include "OnlineSteering.h"

#include "CFG/CFG.h"
#include "app/match/Match.h"
#include "app/match/TurnRules.h"

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
    for (unsigned long& first : openStep) {
        first = 0;
    }
}

int OnlineSteering::wanted(const Match& match, int seat, int player)
{
    const unsigned long next = match.getStepCount() + 1;
    if (TurnRules::schedule(next, openStep[seat], next) == TurnRules::Outcome::SECOND_IN_STEP) {
        return Steering::NONE;
    }
    const TurnRules rules(match);
    int heading = Steering::NONE;
    if (turnBuffer) {
        heading = steering.takePress(seat, match, player);
    } else {
        const int pad = pads.heading(seat);
        heading = pad != PadControl::NONE
                      ? pad
                      : steering.heldHeading(seat, match.getPlayer(player).heading);
    }
    // A press of the heading held is spent without a turn.
    return heading != Steering::NONE &&
                   rules.judge(match, player, heading) == TurnRules::Outcome::APPLIED
               ? heading
               : Steering::NONE;
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
            openStep[seat] = match.getStepCount() + 2;
            out.push_back(Turn{seat, heading});
        }
    }
    return out;
}

} // namespace Tool
