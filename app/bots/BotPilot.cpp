#include "BotPilot.h"

#include <algorithm>

#include "app/match/Headings.h"
#include "app/match/Match.h"

namespace Online {

namespace {

// What a computer player sees of the match, for the step about to be played.
Tool::GridSnapshot snapshotOf(const Tool::Match& match)
{
    return Tool::GridSnapshot{match.getGridWidth(),   match.getGridHeight(),
                              match.getGrid(),        &match.getPlayer(0),
                              match.getPlayerCount(), match.getStepCount() + 1};
}

} // namespace

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
    computers.startMatch(snapshotOf(match));
    lastStep = match.getStepCount();
}

std::vector<int> BotPilot::decide(const Tool::Match& match, const std::vector<int>& seats)
{
    const unsigned long step = match.getStepCount() + 1;
    if (step <= lastStep) {
        computers.startMatch(snapshotOf(match));
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
    const Tool::PlayerHead& head = match.getPlayer(player);
    const int r = static_cast<int>(random.getFloat() * 100);
    const int classic =
        Tool::Match::decideHeading(head.heading, r, match.getSetup().turnChance, [&](int heading) {
            return match.cell(head.x + Tool::STEP_X[heading], head.y + Tool::STEP_Y[heading]) !=
                   Tool::Match::FREE;
        });
    const int heading = level == 0 ? classic : computers.decide(snapshotOf(match), player, classic);
    // A person may never turn straight back (the server refuses it): where
    // the classic decision finds no way out, going on is as good.
    const bool refused = heading == Tool::BACK[head.heading];
    return heading == head.heading || refused ? Tool::MatchInputs::KEEP : heading;
}

} // namespace Online
