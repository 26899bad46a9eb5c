#include "BotPilot.h"

#include <algorithm>

#include "app/match/Match.h"
#include "app/match/TurnRules.h"

namespace Online {

BotPilot::BotPilot(int pilotLevel, std::uint32_t seed)
    : level(std::clamp(pilotLevel, 0, Tool::ComputerPlayers::MAX_LEVEL)), lastStep(0), random(seed),
      computers()
{
}

void BotPilot::startMatch(const Tool::Match& match, const std::vector<int>& seats)
{
    std::vector<int> levels(static_cast<std::size_t>(match.getPlayerCount()), 0);
    for (const int seat : seats) {
        if (seat >= 0 && seat < match.getPlayerCount()) {
            levels[static_cast<std::size_t>(seat)] = level;
        }
    }
    computers.setLevels(levels);
    computers.startMatch(match.snapshotForNextStep());
    lastStep = match.getStepCount();
}

std::vector<int> BotPilot::decide(const Tool::Match& match, const std::vector<int>& seats)
{
    const unsigned long step = match.getStepCount() + 1;
    if (step <= lastStep) {
        computers.startMatch(match.snapshotForNextStep());
    }
    lastStep = step;
    std::vector<int> headings;
    for (const int seat : seats) {
        headings.push_back(decideOne(match, seat));
    }
    return headings;
}

int BotPilot::decideOne(const Tool::Match& match, int player)
{
    if (match.isOver() || player < 0 || player >= match.getPlayerCount() ||
        !match.getPlayer(player).alive) {
        return Tool::MatchInputs::KEEP;
    }
    const int r = static_cast<int>(random.getFloat() * 100);
    const int classic = match.classicHeading(player, r);
    const int heading =
        level == 0 ? classic : computers.decide(match.snapshotForNextStep(), player, classic);
    // Only a turn the rules apply is worth sending: where the decision finds
    // no way out but back, going on is as good.
    return Tool::TurnRules(match).judge(match, player, heading) == Tool::TurnRules::Outcome::APPLIED
               ? heading
               : Tool::MatchInputs::KEEP;
}

} // namespace Online
