#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawnGrid.h"
#include "app/players/ComputerPlayers.h"
#include "app/players/GridSearch.h"
#include "app/players/LookaheadPlayer.h"
#include "app/players/SpaceFiller.h"
#include "app/players/TerritoryPlayer.h"

namespace {

using Tool::ComputerPlayers;
using Tool::GridSnapshot;

enum { UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3 };
const char* const NAMES[4] = {"up", "down", "left", "right"};

// Each level with its own search, as the match sets them up.
int decide(int level, const Drawn& drawn, int self, int classic)
{
    const GridSnapshot grid = drawn.snapshot();
    Tool::GridSearch search;
    search.startMatch(grid);
    search.prepare(grid);
    Tool::SpaceFiller level1(search);
    Tool::TerritoryPlayer level2(search, level1);
    Tool::LookaheadPlayer level3(search, level1);
    const Tool::Preference preference =
        ComputerPlayers::preferenceFrom(drawn.heads[self].heading, classic);
    const int budget = ComputerPlayers::CELL_BUDGET;
    switch (level) {
    case 1:
        return level1.decide(grid, self, preference, budget);
    case 2:
        return level2.decide(grid, self, preference, budget);
    default:
        return level3.decide(grid, self, preference, budget);
    }
}

struct Case {
    const char* what;
    int level;
    int expected;
};

void expectChoices(const Drawn& drawn, int self, int classic, const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ", level " + std::to_string(c.level));
        EXPECT_EQ(NAMES[c.expected], NAMES[decide(c.level, drawn, self, classic)]);
    }
}

// Straight on is a pocket of four cells; up leads to eleven. The classic
// choice goes straight on; every level turns up, alone or not.
TEST(ComputerPlayersTest, EveryLevelTurnsAwayFromADeadEndPocket)
{
    const std::vector<std::string> alone = {"##########", //
                                            "#........#", //
                                            "#...######", //
                                            "###0..####", //
                                            "####..####", //
                                            "##########"};
    std::vector<std::string> shared = alone;
    shared[1] = "#.......1#";
    for (const auto& rows : {alone, shared}) {
        const Drawn drawn(rows, {RIGHT, LEFT});
        expectChoices(drawn, 0, RIGHT, {{"pocket", 1, UP}, {"pocket", 2, UP}, {"pocket", 3, UP}});
    }
}

// Up (along the wall) and right (into the open) lead into the same room;
// the classic choice says right. Alone, level 1 hugs the wall; with an
// opponent in the room it keeps the classic choice.
TEST(ComputerPlayersTest, AloneLevelOneFillsAlongTheWall)
{
    std::vector<std::string> rows = {"########", //
                                     "#......#", //
                                     "#......#", //
                                     "#0.....#", //
                                     "##.....#", //
                                     "########"};
    expectChoices(Drawn(rows, {UP}), 0, RIGHT, {{"alone", 1, UP}, {"alone", 3, UP}});
    rows[1] = "#.....1#";
    expectChoices(Drawn(rows, {UP, LEFT}), 0, RIGHT, {{"shared room", 1, RIGHT}});
}

// Player 1 stands in the only gap out of a two-cell corridor. Moving right
// closes the gap behind it; up lets player 1 out into the big area. Level 1
// sees one room either way and keeps the classic choice.
TEST(ComputerPlayersTest, LevelTwoCutsAnOpponentOff)
{
    const Drawn drawn({"##################", //
                       "#................#", //
                       "#................#", //
                       "#................#", //
                       "#.......0........#", //
                       "#########1########", //
                       "#########.########", //
                       "#########.########", //
                       "##################"},
                      {UP, UP});
    expectChoices(drawn, 0, UP, {{"gap", 1, UP}, {"gap", 2, RIGHT}, {"gap", 3, RIGHT}});
}

// Player 1, beside player 0, can only move up, into the five cells up there.
// Following it up wins more cells by the race but loses: player 1 comes out
// with the longer path. Down is a closed block of four cells, one more move
// than player 1 will have: the search finds that retreat.
TEST(ComputerPlayersTest, LevelThreeOutlastsWhereTheRaceWouldFight)
{
    const Drawn drawn({"#########", //
                       "#####..##", //
                       "#.###.#.#", //
                       "#....####", //
                       "##10#####", //
                       "#.#..####", //
                       "#.#..####", //
                       "#########"},
                      {UP, RIGHT});
    expectChoices(drawn, 0, UP, {{"retreat", 2, UP}, {"retreat", 3, DOWN}});
}

// Boxed in on all sides every level takes the classic choice (and is out).
TEST(ComputerPlayersTest, BoxedInEveryLevelTakesTheClassicChoice)
{
    const Drawn drawn({"#####", //
                       "##1.#", //
                       "#.#.#", //
                       "##0##", //
                       "#####"},
                      {UP, RIGHT});
    expectChoices(drawn, 0, LEFT, {{"boxed", 1, LEFT}, {"boxed", 2, LEFT}, {"boxed", 3, LEFT}});
}

// The race: a cell goes to whoever reaches it first, an earlier source
// winning equal distances.
TEST(ComputerPlayersTest, RaceSplitsACorridorAndGivesTiesToTheFirstSource)
{
    const Drawn drawn({"#########", //
                       "#0.....1#", //
                       "#########"},
                      {RIGHT, LEFT});
    const GridSnapshot grid = drawn.snapshot();
    Tool::GridSearch search;
    search.startMatch(grid);
    search.prepare(grid);
    const int first = grid.index(1, 1);
    const int second = grid.index(7, 1);
    // Five free cells between them: two each, the middle one to the first.
    const int sources[2] = {first, second};
    const Tool::GridSearch::Race race = search.race(grid.cells, sources, 2, 0, 100);
    EXPECT_EQ(3, race.mine);
    EXPECT_EQ(2, race.theirs);
    const int swapped[2] = {second, first};
    const Tool::GridSearch::Race other = search.race(grid.cells, swapped, 2, 1, 100);
    EXPECT_EQ(2, other.mine);
    EXPECT_EQ(3, other.theirs);
    // A budget stops the claims.
    EXPECT_EQ(2, search.race(grid.cells, sources, 2, 0, 3).mine);
}

} // namespace
