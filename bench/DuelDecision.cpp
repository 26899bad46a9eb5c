// Level 4's decisions on the shipped 80 x 60 grid: matches of level 4
// against level 4, each position of every step decided again apart and
// timed (processor time of the thread), with the nodes it searched and the
// depth it reached. Reports the median and the worst of each (counters).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "app/match/Match.h"
#include "app/players/ComputerPlayers.h"

namespace {

using namespace Tool;

// The thread's processor time: other processes on a shared machine do
// not add to it.
double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

template <typename T>
T median(std::vector<T> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void BM_LevelFourDecision(benchmark::State& state)
{
    MatchSetup setup;
    setup.gridWidth = 80;
    setup.gridHeight = 60;
    setup.playerCount = 2;
    setup.humans = 0;
    setup.turnChance = 5;
    setup.levels.assign(2, 4);
    std::vector<double> times;
    std::vector<int> nodes;
    std::vector<int> depths;
    ComputerPlayers deciding;
    deciding.setLevels(setup.levels);
    std::uint32_t seed = 12345;
    for (auto _ : state) {
        setup.startRandom = setup.decisionRandom = seed++;
        Match match(setup);
        match.start(setup);
        while (!match.isOver()) {
            const GridSnapshot grid{
                80, 60, match.getGrid(), &match.getPlayer(0), 2, match.getStepCount()};
            deciding.startMatch(grid);
            for (int self = 0; self < 2; ++self) {
                if (!grid.heads[self].alive) {
                    continue;
                }
                const double start = cpuMilliseconds();
                benchmark::DoNotOptimize(deciding.decide(grid, self, grid.heads[self].heading));
                const double took = cpuMilliseconds() - start;
                times.push_back(took);
                nodes.push_back(deciding.searching().lastNodes());
                depths.push_back(deciding.searching().lastDepth());
            }
            match.step(MatchInputs());
        }
    }
    state.counters["decisions"] = static_cast<double>(times.size());
    state.counters["ms_median"] = median(times);
    state.counters["ms_worst"] = *std::max_element(times.begin(), times.end());
    state.counters["nodes_median"] = median(nodes);
    state.counters["nodes_worst"] = *std::max_element(nodes.begin(), nodes.end());
    state.counters["depth_median"] = median(depths);
    state.counters["depth_worst"] = *std::max_element(depths.begin(), depths.end());
}
BENCHMARK(BM_LevelFourDecision)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
