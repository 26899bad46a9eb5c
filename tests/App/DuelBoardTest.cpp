// Level 4's copy of the grid and its table: a position's hash depends on
// the position alone, whatever order its moves were played in, and a
// decision's table forgets the last decision.
#include <gtest/gtest.h>

#include <cstdint>

#include "DrawnGrid.h"
#include "app/players/DuelBoard.h"
#include "app/players/TranspositionTable.h"

namespace {

using namespace Tool;

DuelBoard duelOn(const Drawn& drawn)
{
    const GridSnapshot grid = drawn.snapshot();
    DuelBoard board;
    board.load(grid, 0, 0, grid.width, grid.height);
    board.place(0, board.cellAt(drawn.heads[0].x, drawn.heads[0].y));
    board.place(1, board.cellAt(drawn.heads[1].x, drawn.heads[1].y));
    return board;
}

TEST(DuelBoardTest, HashIsThePositionsWhateverTheOrderOfItsMoves)
{
    const Drawn drawn({"#######", //
                       "#0....#", //
                       "#.....#", //
                       "#....1#", //
                       "#######"},
                      {0, 0});
    DuelBoard board = duelOn(drawn);
    const std::uint64_t start = board.hash();
    const int first = board.head(0);
    const int right = board.cellAt(2, 1);
    const int down = board.cellAt(1, 2);
    const int corner = board.cellAt(2, 2);

    board.move(0, right);
    board.move(0, corner);
    const std::uint64_t rightThenDown = board.hash();
    EXPECT_FALSE(board.isFree(right));
    board.undo(0, right);
    board.undo(0, first);
    EXPECT_EQ(start, board.hash());
    EXPECT_TRUE(board.isFree(right));

    // Another path to the same head leaves other cells taken: another position.
    board.move(0, down);
    board.move(0, corner);
    EXPECT_NE(rightThenDown, board.hash());
    board.undo(0, down);
    board.undo(0, first);

    // The same cells taken, the heads swapped: another position too.
    const int other = board.head(1);
    board.place(0, other);
    board.place(1, first);
    EXPECT_NE(start, board.hash());
}

TEST(DuelBoardTest, TableForgetsTheLastDecision)
{
    TranspositionTable table;
    table.clear();
    table.store(42, 7, 3, TranspositionTable::EXACT, 1);
    ASSERT_NE(nullptr, table.find(42));
    EXPECT_EQ(7, table.find(42)->score);
    EXPECT_EQ(nullptr, table.find(42 + TranspositionTable::SLOTS)) << "same slot, other key";
    // A shallower result for another position in the slot keeps the deeper.
    table.store(42 + TranspositionTable::SLOTS, 9, 1, TranspositionTable::EXACT, 0);
    EXPECT_NE(nullptr, table.find(42));
    table.clear();
    EXPECT_EQ(nullptr, table.find(42));
}

} // namespace
