// RandSimple::getFloat against the cheapest generator of the same size: one
// xorshift32 step scaled to [0, 1]. Both draw 32-bit state sequentially, so
// the figure is the cost of one dependent step each.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "Random/RandSimple.h"

namespace {

void BM_RandSimpleGetFloat(benchmark::State& st)
{
    RNG::RandSimple rng(12345u);
    for (auto _ : st) {
        benchmark::DoNotOptimize(rng.getFloat());
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_RandSimpleGetFloat);

void BM_Xorshift32Step(benchmark::State& st)
{
    std::uint32_t x = 12345u;
    for (auto _ : st) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        benchmark::DoNotOptimize(static_cast<double>(x) * (1.0 / 4294967295.0));
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_Xorshift32Step);

} // namespace
