// The match model on a 1024 x 1024 arena with 16 computer players: one
// step, and a restore 8 steps back with those 8 steps played again, at
// level 0 (the classic decision) and level 2 (territory search). Built
// twice: bench_MatchModel with the checksum kept up to date, and
// bench_MatchModelNoChecksum from the same model compiled without that
// upkeep; the difference of their step times is the upkeep's cost.
#include <benchmark/benchmark.h>

#include "app/match/Match.h"

namespace {

using Tool::Match;
using Tool::MatchInputs;
using Tool::MatchSetup;
using Tool::MatchState;

MatchSetup largeSetup(int level)
{
    MatchSetup setup;
    setup.gridWidth = 1024;
    setup.gridHeight = 1024;
    setup.playerCount = 16;
    setup.humans = 0;
    setup.turnChance = 5;
    setup.levels.assign(16, level);
    setup.startRandom = 12345;
    setup.decisionRandom = 12345;
    return setup;
}

// Steps of a running match: a match that ends starts again, untimed.
void BM_Step(benchmark::State& state)
{
    const MatchSetup setup = largeSetup(static_cast<int>(state.range(0)));
    Match match(setup);
    match.start(setup);
    const MatchInputs none;
    for (auto _ : state) {
        match.step(none);
        if (match.isOver()) {
            state.PauseTiming();
            match.start(setup);
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(match.checksum());
}
// A fixed count at level 0, so that both builds play the very same steps
// (an instruction count under callgrind compares like with like).
BENCHMARK(BM_Step)->Arg(0)->Iterations(200000);
BENCHMARK(BM_Step)->Arg(2);

// A rollback: back to a state saved 8 steps ago, and the 8 steps again.
void BM_RestoreAndReplay8(benchmark::State& state)
{
    const MatchSetup setup = largeSetup(static_cast<int>(state.range(0)));
    Match match(setup);
    match.start(setup);
    const MatchInputs none;
    for (int i = 0; i < 200; ++i) {
        match.step(none);
    }
    MatchState saved;
    match.save(saved);
    for (auto _ : state) {
        match.restore(saved);
        for (int i = 0; i < 8; ++i) {
            match.step(none);
        }
    }
    benchmark::DoNotOptimize(match.checksum());
}
BENCHMARK(BM_RestoreAndReplay8)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
