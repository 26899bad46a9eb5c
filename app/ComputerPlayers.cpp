#include "ComputerPlayers.h"

#include <stdexcept>
#include <string>

#include "CFG/CFG.h"

namespace Tool {

namespace {

// Headings: 0 up, 1 down, 2 left, 3 right.
constexpr int FIRST_WAY_OUT[4] = {2, 3, 1, 0};
constexpr int SECOND_WAY_OUT[4] = {3, 2, 0, 1};
constexpr int BACK[4] = {1, 0, 3, 2};

bool inner(const GridSnapshot& grid, const PlayerHead& head)
{
    return head.x > 0 && head.y > 0 && head.x < grid.width - 1 && head.y < grid.height - 1;
}

} // namespace

int ComputerPlayers::readLevel(const std::string& key)
{
    const int level = CFG::parser()->getNumber<int>(key);
    if (level < 0 || level > MAX_LEVEL) {
        throw std::invalid_argument(key + " == " + std::to_string(level) +
                                    " is no computer-player level: use 0 to " +
                                    std::to_string(MAX_LEVEL));
    }
    return level;
}

ComputerPlayers::ComputerPlayers()
    : levels(), search(), level1(search), level2(search, level1), level3(search, level1),
      budgetStep(0), budgetKnown(false), budget(CELL_BUDGET)
{
}

void ComputerPlayers::readLevels(int playerCount, int firstComputer)
{
    levels.assign(playerCount > 0 ? static_cast<std::size_t>(playerCount) : 0, 0);
    const int common = readLevel("AI_LEVEL");
    for (int player = firstComputer; player < playerCount; ++player) {
        const std::string seatKey = "AI_LEVEL_P" + std::to_string(player + 1);
        levels[player] = CFG::get(seatKey).empty() ? common : readLevel(seatKey);
    }
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
    default:
        return classic;
    }
}

Preference ComputerPlayers::preferenceFrom(int heading, int classic)
{
    const int candidates[4] = {heading, FIRST_WAY_OUT[heading], SECOND_WAY_OUT[heading],
                               BACK[heading]};
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
    if (budgetKnown && budgetStep == grid.step) {
        return budget;
    }
    long playing = 0;
    for (int k = 0; k < grid.headCount; ++k) {
        if (grid.heads[k].alive && levelOf(k) > 0) {
            ++playing;
        }
    }
    const long share = playing > STEP_SHARE ? STEP_SHARE * static_cast<long>(CELL_BUDGET) / playing
                                            : static_cast<long>(CELL_BUDGET);
    budget = static_cast<int>(share < MIN_CELL_BUDGET ? MIN_CELL_BUDGET : share);
    budgetStep = grid.step;
    budgetKnown = true;
    return budget;
}

} // namespace Tool
