// Level 4's scoring of a position, piece by piece, on positions of real
// matches on the shipped 80 x 60 grid (two level-2 players, every 20th step
// of the first matches): the distance race bit-parallel (BitRace) and by a
// queue (QueueRace) side by side, and the cut-point walk (CutPoints). Each
// reports its cost per claimed or walked cell ("per_cell").
#include <benchmark/benchmark.h>

#include <vector>

#include "app/match/Match.h"
#include "app/players/BitRace.h"
#include "app/players/CutPoints.h"
#include "app/players/DuelBoard.h"
#include "app/players/QueueRace.h"

namespace {

using namespace Tool;

std::vector<DuelBoard> positions()
{
    MatchSetup setup;
    setup.gridWidth = 80;
    setup.gridHeight = 60;
    setup.playerCount = 2;
    setup.humans = 0;
    setup.turnChance = 5;
    setup.levels.assign(2, 2);
    std::vector<DuelBoard> boards;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        setup.startRandom = setup.decisionRandom = seed;
        Match match(setup);
        match.start(setup);
        for (int step = 0; !match.isOver(); ++step) {
            if (step % 20 == 0) {
                const PlayerHead* heads = &match.getPlayer(0);
                const GridSnapshot grid{80, 60, match.getGrid(), heads, 2, match.getStepCount()};
                DuelBoard board;
                board.load(grid, 1, 1, 78, 58);
                board.place(0, board.cellAt(heads[0].x, heads[0].y));
                board.place(1, board.cellAt(heads[1].x, heads[1].y));
                boards.push_back(board);
            }
            match.step(MatchInputs());
        }
    }
    return boards;
}

template <typename Race>
void BM_Race(benchmark::State& state)
{
    const std::vector<DuelBoard> boards = positions();
    Race race;
    long cells = 0;
    for (auto _ : state) {
        for (const DuelBoard& board : boards) {
            const Territory& split = race.run(board, 0, 1 << 30);
            cells += split.cells[0] + split.cells[1];
        }
    }
    state.counters["per_cell"] = benchmark::Counter(
        static_cast<double>(cells), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["positions"] = static_cast<double>(boards.size());
}
BENCHMARK_TEMPLATE(BM_Race, BitRace)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Race, QueueRace)->Unit(benchmark::kMicrosecond);

void BM_CutPoints(benchmark::State& state)
{
    const std::vector<DuelBoard> boards = positions();
    QueueRace race;
    std::vector<Territory> splits;
    for (const DuelBoard& board : boards) {
        splits.push_back(race.run(board, 0, 1 << 30));
    }
    CutPoints cuts;
    long cells = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < boards.size(); ++i) {
            cells += splits[i].cells[0] + splits[i].cells[1];
            for (std::uint8_t side = 0; side < 2; ++side) {
                benchmark::DoNotOptimize(cuts.reach(boards[i], boards[i].head(side),
                                                    splits[i].side.data(), side, 1 << 30));
            }
        }
    }
    state.counters["per_cell"] = benchmark::Counter(
        static_cast<double>(cells), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CutPoints)->Unit(benchmark::kMicrosecond);

} // namespace
