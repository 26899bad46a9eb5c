// A number setting read the way the match reads "MOVE_TIME" and the arena
// view "FLASH_TIME" (Util::strToNum on the value text), against the text
// stream read that it used to be, on the same values, in the same run.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "Util/StringHelpers.h"

namespace {

// Values as the shipped settings hold them, and two the stream still reads.
const std::string VALUES[] = {"60", "500", "0.5", "16.667", "1e3", " 60"};
constexpr int VALUE_COUNT = sizeof(VALUES) / sizeof(VALUES[0]);

float streamRead(const std::string& text)
{
    std::istringstream stream(text);
    float value = 0.0f;
    stream >> value;
    return value;
}

void BM_StrToNumFloat(benchmark::State& state)
{
    const std::string& text = VALUES[state.range(0)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(Util::strToNum<float>(text));
    }
    state.SetLabel(text);
}

void BM_StreamReadFloat(benchmark::State& state)
{
    const std::string& text = VALUES[state.range(0)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(streamRead(text));
    }
    state.SetLabel(text);
}

void values(benchmark::internal::Benchmark* run)
{
    run->DenseRange(0, VALUE_COUNT - 1)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_StrToNumFloat)->Apply(values);
BENCHMARK(BM_StreamReadFloat)->Apply(values);
