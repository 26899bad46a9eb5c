// Lookups in a store of 100,000 settings: a plain key, a key holding two
// key references, and an "EVAL:(" key, against std::map::find on the same
// keys and values, and against std::unordered_map::find with a copy of the
// value found (what a plain get does: one hash, one comparison, one copy).
// Then the small stores a game has: every key of the shipped vektra.cfg and
// 64 more, in a fixed random order, and the running game's two hot reads in
// turn ("MOVE_TIME" and "FLASH_TIME" as numbers, through the global store
// and its overrides, from the same key texts each time). Only the public
// settings interface is used, so this file also builds against an older
// settings library (bench/settings-get-against.sh).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/Info.h"
#include "CFG/InfoParser.h"
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

void lookups(benchmark::State& state, const CFG::Info& info, const std::vector<std::string>& keys)
{
    std::size_t n = 0;
    for (auto _ : state) {
        std::string value = info.get(keys[n++ % keys.size()]);
        benchmark::DoNotOptimize(value);
    }
}

void BM_VektraGetPlain(benchmark::State& state)
{
    lookups(state, store().info, store().plainKeys);
}

void BM_VektraGetTwoReferences(benchmark::State& state)
{
    lookups(state, store().info, store().referenceKeys);
}

void BM_VektraGetEval(benchmark::State& state)
{
    lookups(state, store().info, store().evalKeys);
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

#ifndef VEKTRA_SOURCE_DIR
#define VEKTRA_SOURCE_DIR "."
#endif

// The shipped vektra.cfg: VEKTRA_SHIPPED_CFG when set (so that builds of
// other commits read the same file), else this source tree's.
std::string shippedFile()
{
    const char* path = std::getenv("VEKTRA_SHIPPED_CFG");
    return path != nullptr ? path : VEKTRA_SOURCE_DIR "/vektra.cfg";
}

constexpr int EXTRA_KEYS = 64;

struct SmallStore {
    CFG::Info overrides{nullptr};
    CFG::Info info{&overrides};
    std::vector<std::string> keys;
    bool loaded;

    SmallStore() : loaded(info.addConfig(shippedFile()))
    {
        for (int n = 0; n < EXTRA_KEYS; ++n) {
            info.add("EXTRA_SETTING_" + std::to_string(n), std::to_string(n * 7));
        }
        info.keys(keys);
        std::shuffle(keys.begin(), keys.end(), std::mt19937(42));
    }
};

void BM_VektraGetShippedPlus64(benchmark::State& state)
{
    static SmallStore store;
    if (!store.loaded) {
        state.SkipWithError("the shipped vektra.cfg did not load");
        return;
    }
    lookups(state, store.info, store.keys);
}

void BM_VektraHotReads(benchmark::State& state)
{
    static const bool loaded = CFG::setConfig(shippedFile());
    if (!loaded) {
        state.SkipWithError("the shipped vektra.cfg did not load");
        return;
    }
    static const std::string MOVE_TIME = "MOVE_TIME";
    static const std::string FLASH_TIME = "FLASH_TIME";
    const CFG::InfoParser* parser = CFG::parser();
    for (auto _ : state) {
        float move = parser->getNumber<float>(MOVE_TIME);
        float flash = parser->getNumber<float>(FLASH_TIME);
        benchmark::DoNotOptimize(move);
        benchmark::DoNotOptimize(flash);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

} // namespace

BENCHMARK(BM_VektraGetPlain);
BENCHMARK(BM_VektraGetTwoReferences);
BENCHMARK(BM_VektraGetEval);
BENCHMARK(BM_MapFind);
BENCHMARK(BM_UnorderedFindCopy);
BENCHMARK(BM_VektraGetShippedPlus64);
BENCHMARK(BM_VektraHotReads);
