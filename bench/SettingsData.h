#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

// Generated settings for the settings benchmarks: ENTRIES keys spread over
// sections, half of them numbers and half quoted text, written once as a
// settings file and once as the same data in an INI file.
namespace SettingsData {

constexpr int ENTRIES = 100000;
constexpr int PER_SECTION = 100;

inline std::string section(int i)
{
    return "SECTION_" + std::to_string(i / PER_SECTION);
}

inline std::string key(int i)
{
    return "KEY_" + std::to_string(i);
}

inline std::string value(int i)
{
    return i % 2 == 0 ? std::to_string(i * 7) : "\"text value number " + std::to_string(i) + "\"";
}

// A directory holding "data.cfg" and "data.ini", removed at exit.
class Files {
public:
    Files()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vektra-bench-XXXXXX").string();
        root = ::mkdtemp(&pattern[0]) != nullptr ? pattern : std::string(".");
        std::ofstream cfg(cfgPath());
        std::ofstream ini(iniPath());
        for (int i = 0; i < ENTRIES; ++i) {
            cfg << section(i) << "_" << key(i) << " == " << value(i) << "\n";
            if (i % PER_SECTION == 0) {
                ini << "[" << section(i) << "]\n";
            }
            ini << key(i) << " = " << value(i) << "\n";
        }
    }
    ~Files() { std::filesystem::remove_all(root); }

    std::string cfgPath() const { return root + "/data.cfg"; }
    std::string iniPath() const { return root + "/data.ini"; }

private:
    std::string root;
};

// The keys to look up, in a fixed random order.
inline std::vector<int> lookupOrder(int count)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> pick(0, ENTRIES - 1);
    std::vector<int> order(count);
    for (int& i : order) {
        i = pick(random);
    }
    return order;
}

} // namespace SettingsData
