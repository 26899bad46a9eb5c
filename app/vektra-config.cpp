// vektra-config: shows the settings exactly as the game would read them.
// It loads the settings files and the command line as the game's start-up
// does, then prints every key of the global store in ascending order as
// "KEY == VALUE" (the expanded value), or, with "--get KEY" options (given
// before the game's arguments, repeatable), only each key's value, one per
// line, in the order asked for. Exit codes: 0 normal, 1 missing or empty
// extra settings file, 2 unusable setting or bad option.
#include <iostream>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/GuardedMain.h"
#include "CFG/SettingsLoader.h"
#include "Util/Debug.h"

namespace {

const char* const SETTINGS_FILE = "vektra.cfg";
const char* const GET_OPTION = "--get";
constexpr int USAGE_EXIT = 2;

struct Options {
    std::vector<std::string> keys;
    std::vector<std::string> gameArgs;
    bool valid = true;
};

Options readOptions(int argc, char** argv)
{
    Options options;
    int i = 1;
    while (i < argc && std::string(argv[i]) == GET_OPTION) {
        if (i + 1 >= argc) {
            options.valid = false;
            return options;
        }
        options.keys.emplace_back(argv[i + 1]);
        i += 2;
    }
    for (; i < argc; ++i) {
        options.gameArgs.emplace_back(argv[i]);
    }
    return options;
}

// Built whole before anything is printed, so that a setting that cannot be
// expanded leaves only its error message, not half a listing.
std::string listing(const Options& options)
{
    std::string out;
    if (!options.keys.empty()) {
        for (const std::string& key : options.keys) {
            out += CFG::get(key) + '\n';
        }
        return out;
    }
    std::vector<std::string> keys;
    CFG::global()->keys(keys);
    for (const std::string& key : keys) {
        out += key + " " + CFG::Info::keyValueSeparator() + " " + CFG::get(key) + '\n';
    }
    return out;
}

int run(int argc, char** argv)
{
    Options options = readOptions(argc, argv);
    if (!options.valid) {
        *Util::Singleton<Util::Debug>::instance().err
            << "usage: vektra-config [--get KEY]... [SETTINGS_file] [extra.cfg] [KEY==VALUE]..."
            << std::endl;
        return USAGE_EXIT;
    }
    int code = CFG::SettingsLoader(SETTINGS_FILE).load(options.gameArgs);
    if (code != CFG::SettingsLoader::GO_ON) {
        return code;
    }
    std::cout << listing(options) << std::flush;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return CFG::guardedMain([&] { return run(argc, argv); });
}
