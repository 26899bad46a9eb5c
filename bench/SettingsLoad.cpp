// Reading 100,000 settings: our reader on a settings file and on the same
// data as an INI file, against libinih's ini_parse of that INI file
// collecting every value into a std::map.
#include <benchmark/benchmark.h>
#include <ini.h>

#include <map>
#include <string>

#include "CFG/Info.h"
#include "SettingsData.h"

namespace {

const SettingsData::Files& files()
{
    static SettingsData::Files generated;
    return generated;
}

void BM_VektraLoadCfg(benchmark::State& state)
{
    for (auto _ : state) {
        CFG::Info info(nullptr);
        bool ok = info.addConfig(files().cfgPath());
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * SettingsData::ENTRIES);
}

void BM_VektraLoadIni(benchmark::State& state)
{
    for (auto _ : state) {
        CFG::Info info(nullptr);
        bool ok = info.addConfig(files().iniPath());
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * SettingsData::ENTRIES);
}

int collect(void* user, const char* section, const char* name, const char* value)
{
    auto& values = *static_cast<std::map<std::string, std::string>*>(user);
    values[std::string(section) + "::" + name] = value;
    return 1;
}

void BM_InihLoadIni(benchmark::State& state)
{
    for (auto _ : state) {
        std::map<std::string, std::string> values;
        int result = ini_parse(files().iniPath().c_str(), collect, &values);
        benchmark::DoNotOptimize(result);
        if (values.size() != SettingsData::ENTRIES) {
            state.SkipWithError("inih read a different number of values");
        }
    }
    state.SetItemsProcessed(state.iterations() * SettingsData::ENTRIES);
}

} // namespace

BENCHMARK(BM_VektraLoadCfg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VektraLoadIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InihLoadIni)->Unit(benchmark::kMillisecond);
