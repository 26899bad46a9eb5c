#include "TurnRules.h"

#include "Headings.h"
#include "Match.h"

namespace Tool {

TurnRules::TurnRules(const Match& match) : policy(match.getSetup().reversals) {}

TurnRules::Outcome TurnRules::judge(const Match& match, int seat, int heading) const
{
    return judge(match, seat, heading, match.getPlayer(seat).heading);
}

TurnRules::Outcome TurnRules::judge(const Match& match, int seat, int heading, int holding) const
{
    if (heading == holding) {
        return Outcome::NO_CHANGE;
    }
    if (heading != BACK[holding] || policy == ReversalPolicy::APPLIED) {
        return Outcome::APPLIED;
    }
    const PlayerHead& head = match.getPlayer(seat);
    const bool blockedBehind =
        match.cell(head.x + STEP_X[heading], head.y + STEP_Y[heading]) != Match::FREE;
    return policy == ReversalPolicy::DROPPED || blockedBehind ? Outcome::REVERSAL
                                                              : Outcome::APPLIED;
}

TurnRules::Outcome TurnRules::schedule(unsigned long asked, unsigned long open, unsigned long next)
{
    if (asked < open) {
        return Outcome::SECOND_IN_STEP;
    }
    return asked < next ? Outcome::LATE : Outcome::APPLIED;
}

} // namespace Tool
