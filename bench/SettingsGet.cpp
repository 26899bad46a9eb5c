// Lookups in a store of 100,000 settings: a plain key, a key holding two
// key references, and an "EVAL:(" key, against std::map::find on the same
// keys and values, and against std::unordered_map::find with a copy of the
// value found (what a plain get does: one hash, one comparison, one copy).
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "CFG/Info.h"
#include "SettingsData.h"

namespace {

constexpr int LOOKUPS = 4096;

struct Store {
    CFG::Info overrides{nullptr};
    CFG::Info info{&overrides};
    std::map<std::string, std::string> reference;
    std::unordered_map<std::string, std::string> hashed;
    std::vector<std::string> plainKeys;
    std::vector<std::string> referenceKeys;
    std::vector<std::string> evalKeys;

    Store()
    {
        for (int i = 0; i < SettingsData::ENTRIES; ++i) {
            std::string key = SettingsData::section(i) + "_" + SettingsData::key(i);
            std::string value = std::to_string(i * 7);
            info.add(key, value);
            reference[key] = value;
            hashed[key] = value;
        }
        std::vector<int> order = SettingsData::lookupOrder(LOOKUPS);
        for (int n = 0; n < LOOKUPS; ++n) {
            int i = order[n];
            std::string key = SettingsData::section(i) + "_" + SettingsData::key(i);
            std::string other = SettingsData::section(order[(n + 1) % LOOKUPS]) + "_" +
                                SettingsData::key(order[(n + 1) % LOOKUPS]);
            plainKeys.push_back(key);
            referenceKeys.push_back("REFS_" + std::to_string(n));
            info.add(referenceKeys.back(), "::" + key + "::x::" + other + "::");
            evalKeys.push_back("EVAL_" + std::to_string(n));
            info.add(evalKeys.back(), "EVAL:(::" + key + ":: * 3 / 4)");
        }
    }
};

const Store& store()
{
    static Store built;
    return built;
}

void lookups(benchmark::State& state, const std::vector<std::string>& keys)
{
    const CFG::Info& info = store().info;
    std::size_t n = 0;
    for (auto _ : state) {
        std::string value = info.get(keys[n++ % keys.size()]);
        benchmark::DoNotOptimize(value);
    }
}

void BM_VektraGetPlain(benchmark::State& state)
{
    lookups(state, store().plainKeys);
}

void BM_VektraGetTwoReferences(benchmark::State& state)
{
    lookups(state, store().referenceKeys);
}

void BM_VektraGetEval(benchmark::State& state)
{
    lookups(state, store().evalKeys);
}

void BM_MapFind(benchmark::State& state)
{
    const Store& data = store();
    std::size_t n = 0;
    for (auto _ : state) {
        auto found = data.reference.find(data.plainKeys[n++ % data.plainKeys.size()]);
        benchmark::DoNotOptimize(found);
    }
}

void BM_UnorderedFindCopy(benchmark::State& state)
{
    const Store& data = store();
    std::size_t n = 0;
    for (auto _ : state) {
        auto found = data.hashed.find(data.plainKeys[n++ % data.plainKeys.size()]);
        std::string value = found == data.hashed.end() ? std::string() : found->second;
        benchmark::DoNotOptimize(value);
    }
}

} // namespace

BENCHMARK(BM_VektraGetPlain);
BENCHMARK(BM_VektraGetTwoReferences);
BENCHMARK(BM_VektraGetEval);
BENCHMARK(BM_MapFind);
BENCHMARK(BM_UnorderedFindCopy);
