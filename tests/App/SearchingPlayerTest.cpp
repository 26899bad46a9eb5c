// Computer player level 4 on hand-drawn positions: it sees the cells a cut
// point takes away (its own and an opponent's), fills a region as far as a
// walk can go, and decides the same from the same match however its
// buffers and table were used before.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "DrawnGrid.h"
#include "app/match/Headings.h"
#include "app/match/Match.h"
#include "app/players/BitRace.h"
#include "app/players/ComputerPlayers.h"
#include "app/players/CutPoints.h"
#include "app/players/QueueRace.h"
#include "app/players/SearchingPlayer.h"
#include "app/players/TerritoryPlayer.h"

namespace {

using namespace Tool;

const char* const NAMES[4] = {"up", "down", "left", "right"};

// Level 2 or level 4, each with its own search, as the match sets them up.
int decide(int level, const Drawn& drawn, int self, int classic)
{
    const GridSnapshot grid = drawn.snapshot();
    GridSearch search;
    search.startMatch(grid);
    search.prepare(grid);
    SpaceFiller level1(search);
    TerritoryPlayer level2(search, level1);
    SearchingPlayer level4(search, level1);
    const Preference preference =
        ComputerPlayers::preferenceFrom(drawn.heads[self].heading, classic);
    return level == 2 ? level2.decide(grid, self, preference, ComputerPlayers::CELL_BUDGET)
                      : level4.decide(grid, self, preference, SearchingPlayer::DECISION_WORK,
                                      ComputerPlayers::CELL_BUDGET);
}

// Player 0 alone moves until it is boxed in; the cells it filled.
int fillAlone(int level, Drawn drawn)
{
    int filled = 0;
    for (;;) {
        PlayerHead& head = drawn.heads[0];
        const int heading = level == 1 ? -1 : decide(level, drawn, 0, head.heading);
        int chosen = heading;
        if (level == 1) {
            const GridSnapshot grid = drawn.snapshot();
            GridSearch search;
            search.startMatch(grid);
            search.prepare(grid);
            chosen = SpaceFiller(search).decide(
                grid, 0, ComputerPlayers::preferenceFrom(head.heading, head.heading),
                ComputerPlayers::CELL_BUDGET);
        }
        const int x = head.x + STEP_X[chosen];
        const int y = head.y + STEP_Y[chosen];
        if (drawn.cells[drawn.snapshot().index(x, y)] != 0) {
            return filled;
        }
        drawn.cells[drawn.snapshot().index(x, y)] = 1;
        head = PlayerHead{x, y, chosen, true};
        ++filled;
    }
}

struct Case {
    const char* what;
    std::vector<std::string> rows;
    std::vector<int> headings;
    int classic;
    int level2;
    int level4;
};

TEST(SearchingPlayerTest, SeesTheCellsACutPointTakesAway)
{
    const Case cases[] = {
        // Left leads to a door between two rooms of ten: the race counts
        // both, a walk gets one, less than player 1 keeps on the right.
        // Right is the room player 1 shares, split with it.
        {"does not split its own region",
         {"###############", //
          "#.....#########", //
          "#.....#########", //
          "#####..0......#", //
          "#.....##......#", //
          "#.....#......1#", //
          "###############"},
         {LEFT, LEFT},
         LEFT,
         LEFT,
         RIGHT},
        // Player 1 stands in the only gap out of a corridor: right closes
        // the gap behind it.
        {"cuts an opponent off",
         {"##################", //
          "#................#", //
          "#................#", //
          "#................#", //
          "#.......0........#", //
          "#########1########", //
          "#########.########", //
          "#########.########", //
          "##################"},
         {UP, UP},
         UP,
         RIGHT,
         RIGHT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Drawn drawn(c.rows, c.headings);
        EXPECT_EQ(std::string(NAMES[c.level2]), NAMES[decide(2, drawn, 0, c.classic)]);
        EXPECT_EQ(std::string(NAMES[c.level4]), NAMES[decide(4, drawn, 0, c.classic)]);
    }
}

// The longest walk from the start fills 27 of the 30 free cells (found by
// trying every walk). Hugging the walls, level 1 leaves a pocket behind.
TEST(SearchingPlayerTest, FillsARegionAsFarAsAWalkCanGo)
{
    const Drawn drawn({"#########", //
                       "#...#...#", //
                       "#..#....#", //
                       "#......##", //
                       "#..0....#", //
                       "#...#...#", //
                       "#########"},
                      {RIGHT});
    EXPECT_EQ(27, fillAlone(4, drawn));
    EXPECT_LT(fillAlone(1, drawn), 27);
}

// The walk a head can still make: all of a corridor; a room's cells as far
// as the colours allow; one arm of a cross; the larger side of a door.
TEST(SearchingPlayerTest, CutPointsBoundTheWalkLeft)
{
    struct Region {
        const char* what;
        std::vector<std::string> rows;
        int reach;
    };
    const Region regions[] = {
        {"corridor", {"#######", "#0....#", "#######"}, 4},
        {"room of 8 + 6 cells by colour",
         {"#######", "#.....#", "#..0..#", "#.....#", "#######"},
         13},
        {"cross", {"#######", "###.###", "#..0..#", "###.###", "#######"}, 2},
        {"three parts of 1, 6 and 8 cells",
         {"#########", "#...#####", "#...#####", "###0.####", "###.#..##", "###.....#",
          "#########"},
         8},
    };
    for (const Region& region : regions) {
        SCOPED_TRACE(region.what);
        const Drawn drawn(region.rows, {UP});
        const GridSnapshot grid = drawn.snapshot();
        DuelBoard board;
        board.load(grid, 0, 0, grid.width, grid.height);
        board.place(0, board.cellAt(drawn.heads[0].x, drawn.heads[0].y));
        CutPoints cuts;
        EXPECT_EQ(region.reach, cuts.reach(board, board.head(0), nullptr, 0, 1000));
    }
}

// Both races split random boards the same way.
TEST(SearchingPlayerTest, BitParallelAndQueueRacesAgree)
{
    std::uint32_t random = 12345;
    auto next = [&random] { return random = random * 1103515245u + 12345u, random >> 16; };
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE("board " + std::to_string(round));
        const int width = 5 + static_cast<int>(next() % 140);
        const int height = 5 + static_cast<int>(next() % 30);
        std::vector<unsigned char> cells(static_cast<std::size_t>(width) * height);
        for (unsigned char& cell : cells) {
            cell = next() % 100 < 30 ? 1 : 0;
        }
        const PlayerHead heads[2] = {{1 + static_cast<int>(next() % (width - 2)),
                                      1 + static_cast<int>(next() % (height - 2)), 0, true},
                                     {1 + static_cast<int>(next() % (width - 2)),
                                      1 + static_cast<int>(next() % (height - 2)), 0, true}};
        if (heads[0].x == heads[1].x && heads[0].y == heads[1].y) {
            continue;
        }
        const GridSnapshot grid{width, height, cells.data(), heads, 2, 1};
        DuelBoard board;
        board.load(grid, 0, 0, width, height);
        board.place(0, board.cellAt(heads[0].x, heads[0].y));
        board.place(1, board.cellAt(heads[1].x, heads[1].y));
        BitRace bits;
        QueueRace queue;
        const int first = round % 2;
        const Territory byBits = bits.run(board, first, 1 << 30);
        const Territory& byQueue = queue.run(board, first, 1 << 30);
        EXPECT_EQ(byQueue.cells[0], byBits.cells[0]);
        EXPECT_EQ(byQueue.cells[1], byBits.cells[1]);
        EXPECT_EQ(byQueue.contact, byBits.contact);
        EXPECT_TRUE(byQueue.side == byBits.side);
    }
}

MatchSetup duelSetup(std::uint32_t seed)
{
    MatchSetup setup;
    setup.gridWidth = 30;
    setup.gridHeight = 20;
    setup.playerCount = 3;
    setup.humans = 0;
    setup.turnChance = 10;
    setup.levels = {4, 4, 2};
    setup.startRandom = seed;
    setup.decisionRandom = seed;
    return setup;
}

std::vector<std::uint64_t> checksums(Match& match, const MatchSetup& setup)
{
    match.start(setup);
    std::vector<std::uint64_t> sums;
    while (!match.isOver()) {
        match.step(MatchInputs());
        sums.push_back(match.checksum());
    }
    return sums;
}

// A match object that played another match first, its table and buffers
// full of it, decides as a new one does.
TEST(SearchingPlayerTest, SameSeedSameDecisionsWhateverCameBefore)
{
    const MatchSetup setup = duelSetup(7);
    Match fresh(setup);
    const std::vector<std::uint64_t> expected = checksums(fresh, setup);
    ASSERT_GT(expected.size(), 20u);
    Match used(duelSetup(8));
    checksums(used, duelSetup(8));
    EXPECT_EQ(expected, checksums(used, setup));
    EXPECT_EQ(expected, checksums(fresh, setup));
}

} // namespace
