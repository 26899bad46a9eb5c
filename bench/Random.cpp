// RandSimple::getFloat against the cheapest generator of the same size: one
// xorshift32 step scaled to [0, 1]. Each loop sums its values, so that both
// generators keep their state in a register and the figure is the cost of
// one dependent step each, not of a memory round trip per number.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "Random/RandSimple.h"

namespace {

void BM_RandSimpleGetFloat(benchmark::State& st)
{
    RNG::RandSimple rng(12345u);
    double sum = 0.0;
    for (auto _ : st)
        sum += rng.getFloat();
    benchmark::DoNotOptimize(sum);
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_RandSimpleGetFloat);

void BM_Xorshift32Step(benchmark::State& st)
{
    std::uint32_t x = 12345u;
    double sum = 0.0;
    for (auto _ : st) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        sum += static_cast<double>(x) * (1.0 / 4294967295.0);
    }
    benchmark::DoNotOptimize(sum);
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_Xorshift32Step);

} // namespace
