// Loading 100,000 settings whose keys were chosen to share one probe chain,
// against a file of as many random keys of the same length:
// - "Unkeyed": keys that all have one hash under a fast unkeyed hash of the
//   kind the settings index once used (inverted word by word, as anyone can
//   do offline);
// - "Adaptive": keys picked inside this process, knowing its hash key, to
//   share their low twelve hash bits, so the probe bound and the map
//   fallback carry the load.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "CFG/Info.h"
#include "CFG/SettingsTable.h"

namespace {

constexpr int KEYS = 100000;
constexpr std::size_t KEY_SIZE = 24;
constexpr std::uint64_t C = 0xC2B2AE3D27D4EB4Fu;
constexpr std::uint64_t K = 0x9E3779B97F4A7C15u;

std::uint64_t mix(std::uint64_t hash, std::uint64_t word)
{
    hash = (hash ^ word) * K;
    return hash ^ (hash >> 29);
}

std::uint64_t inverse(std::uint64_t odd)
{
    std::uint64_t x = odd; // Newton's iteration doubles the correct bits
    for (int i = 0; i < 6; ++i) {
        x *= 2 - odd * x;
    }
    return x;
}

bool keyByte(unsigned char c)
{
    return c > ' ' && c < 0x7F && c != '=';
}

std::string randomWord(std::mt19937_64& random)
{
    static const std::string ALPHABET = [] {
        std::string bytes;
        for (int c = 0; c < 0x80; ++c) {
            if (keyByte(static_cast<unsigned char>(c))) {
                bytes += static_cast<char>(c);
            }
        }
        return bytes;
    }();
    std::string word(8, ' ');
    std::uint64_t bits = random();
    for (char& c : word) {
        c = ALPHABET[(bits & 0xFF) % ALPHABET.size()];
        bits >>= 8;
    }
    return word;
}

std::uint64_t load(const std::string& text, std::size_t at)
{
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    return word;
}

// A 24-byte key w0 w1 w2 reached the final mix of that hash as
// (mix(24, w0) ^ w1) * C ^ w2: with w0 and w2 chosen, w1 follows, and is
// kept when all its bytes may stand in a key.
std::vector<std::string> unkeyedFlood(std::mt19937_64& random)
{
    const std::uint64_t target = 0x5A5A5A5A5A5A5A5Au;
    const std::uint64_t inverseC = inverse(C);
    std::vector<std::string> keys;
    while (keys.size() < KEYS) {
        std::string key = randomWord(random) + std::string(8, ' ') + randomWord(random);
        std::uint64_t w1 = ((target ^ load(key, 16)) * inverseC) ^ mix(KEY_SIZE, load(key, 0));
        std::memcpy(&key[8], &w1, 8);
        bool fits = true;
        for (std::size_t at = 8; at < 16; ++at) {
            fits = fits && keyByte(static_cast<unsigned char>(key[at]));
        }
        if (fits) {
            keys.push_back(key);
        }
    }
    return keys;
}

std::vector<std::string> adaptiveFlood(std::mt19937_64& random)
{
    std::vector<std::string> keys;
    while (keys.size() < KEYS) {
        std::string key = randomWord(random) + randomWord(random) + randomWord(random);
        if ((CFG::SettingsTable::hashOf(key) & 0xFFF) == 0) {
            keys.push_back(key);
        }
    }
    return keys;
}

std::vector<std::string> randomKeys(std::mt19937_64& random)
{
    std::vector<std::string> keys;
    while (keys.size() < KEYS) {
        keys.push_back(randomWord(random) + randomWord(random) + randomWord(random));
    }
    return keys;
}

// The keys as a settings file in a temporary directory, removed at exit.
class FloodFile {
public:
    explicit FloodFile(const std::vector<std::string>& keys)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vektra-flood-XXXXXX").string();
        root = ::mkdtemp(&pattern[0]) != nullptr ? pattern : std::string(".");
        std::ofstream file(path());
        for (std::size_t n = 0; n < keys.size(); ++n) {
            file << keys[n] << " == " << n << "\n";
        }
    }
    ~FloodFile() { std::filesystem::remove_all(root); }
    std::string path() const { return root + "/flood.cfg"; }

private:
    std::string root;
};

using MakeKeys = std::vector<std::string> (*)(std::mt19937_64&);

// Each kind of file made once, however often the benchmark library runs one.
const FloodFile& fileOf(MakeKeys make)
{
    static std::map<MakeKeys, std::unique_ptr<FloodFile>> files;
    std::unique_ptr<FloodFile>& file = files[make];
    if (!file) {
        std::mt19937_64 random(7);
        file = std::make_unique<FloodFile>(make(random));
    }
    return *file;
}

void load(benchmark::State& state, MakeKeys make)
{
    const FloodFile& file = fileOf(make);
    for (auto _ : state) {
        CFG::Info info(nullptr);
        if (!info.addConfig(file.path())) {
            state.SkipWithError("the file did not load");
        }
    }
    state.SetItemsProcessed(state.iterations() * KEYS);
}

void BM_LoadRandomKeys(benchmark::State& state)
{
    load(state, randomKeys);
}

void BM_LoadUnkeyedFlood(benchmark::State& state)
{
    load(state, unkeyedFlood);
}

void BM_LoadAdaptiveFlood(benchmark::State& state)
{
    load(state, adaptiveFlood);
}

} // namespace

BENCHMARK(BM_LoadRandomKeys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadUnkeyedFlood)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAdaptiveFlood)->Unit(benchmark::kMillisecond);
