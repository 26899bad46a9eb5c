#include "ComputerPlayers.h"

#include "app/match/Headings.h"

namespace Tool {

namespace {

bool inner(const GridSnapshot& grid, const PlayerHead& head)
{
    return head.x > 0 && head.y > 0 && head.x < grid.width - 1 && head.y < grid.height - 1;
}

} // namespace

ComputerPlayers::ComputerPlayers()
    : levels(), search(), level1(search), level2(search, level1), level3(search, level1),
      level4(search, level1), budgetStep(0), budgetKnown(false), budget(CELL_BUDGET),
      work(SearchingPlayer::DECISION_WORK)
{
}

void ComputerPlayers::setLevels(const std::vector<int>& seatLevels)
{
    levels = seatLevels;
}

int ComputerPlayers::levelOf(int player) const
{
    return player >= 0 && player < static_cast<int>(levels.size()) ? levels[player] : 0;
}

void ComputerPlayers::startMatch(const GridSnapshot& grid)
{
    // A match of classic players only needs no search at all.
    bool searching = false;
    for (int level : levels) {
        searching = searching || level > 0;
    }
    if (searching) {
        search.startMatch(grid);
    }
    budgetKnown = false;
}

int ComputerPlayers::decide(const GridSnapshot& grid, int self, int classic)
{
    const PlayerHead& me = grid.heads[self];
    if (!inner(grid, me)) {
        return classic;
    }
    search.prepare(grid);
    const Preference preference = preferenceFrom(me.heading, classic);
    const int cells = cellBudget(grid);
    switch (levelOf(self)) {
    case 1:
        return level1.decide(grid, self, preference, cells);
    case 2:
        return level2.decide(grid, self, preference, cells);
    case 3:
        return level3.decide(grid, self, preference, cells);
    case 4:
        return level4.decide(grid, self, preference, work, cells);
    default:
        return classic;
    }
}

Preference ComputerPlayers::preferenceFrom(int heading, int classic)
{
    const int candidates[4] = {heading, TURN_ODD[heading], TURN_EVEN[heading], BACK[heading]};
    Preference preference{{classic, 0, 0, 0}};
    int count = 1;
    for (int candidate : candidates) {
        if (candidate != classic) {
            preference.order[count++] = candidate;
        }
    }
    return preference;
}

int ComputerPlayers::cellBudget(const GridSnapshot& grid)
{
    if (!budgetKnown || budgetStep != grid.step) {
        shareBudgets(grid);
    }
    return budget;
}

void ComputerPlayers::shareBudgets(const GridSnapshot& grid)
{
    long playing = 0;
    long searching = 0;
    for (int k = 0; k < grid.headCount; ++k) {
        if (grid.heads[k].alive && levelOf(k) > 0) {
            ++playing;
            searching += levelOf(k) == 4 ? 1 : 0;
        }
    }
    const long share = playing > STEP_SHARE ? STEP_SHARE * static_cast<long>(CELL_BUDGET) / playing
                                            : static_cast<long>(CELL_BUDGET);
    budget = static_cast<int>(share < MIN_CELL_BUDGET ? MIN_CELL_BUDGET : share);
    work = searching > STEP_WORK_SHARE
               ? STEP_WORK_SHARE * SearchingPlayer::DECISION_WORK / searching
               : SearchingPlayer::DECISION_WORK;
    budgetStep = grid.step;
    budgetKnown = true;
}

} // namespace Tool
