// vektra-config: shows the settings exactly as the game would read them.
// It loads the settings files and the command line as the game's start-up
// does, then prints every key of the global store in ascending order as
// "KEY == VALUE" (the expanded value), or, with "--get KEY" options (given
// before the game's arguments, repeatable), only each key's value, one per
// line, in the order asked for. "INFO_" keys are filled by the game once its
// window is open, so an empty one is marked as such. "--help" prints the
// usage. Exit codes: 0 normal, 1 missing or empty extra settings file, 2
// unusable setting, settings file over the size limit, or bad option, 4
// output that could not be written (documented in the man page; the help
// text stays as it was).
#include <iostream>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/GuardedMain.h"
#include "CFG/SettingsLoader.h"
#include "Util/Debug.h"
#include "Util/OutputCheck.h"

namespace {

const char* const SETTINGS_FILE = "vektra.cfg";
const char* const GET_OPTION = "--get";
const char* const HELP_OPTION = "--help";
const char* const INFO_PREFIX = "INFO_";
const char* const INFO_NOTE = "(published by the game at start-up)";
constexpr int USAGE_EXIT = 2;
constexpr int WRITE_FAILED_EXIT = 4;

const char* const USAGE_LINE =
    "usage: vektra-config [--get KEY]... [SETTINGS_file] [extra.cfg] [KEY==VALUE]...";
const char* const HELP_TEXT =
    "Loads the settings as the game does (SETTINGS_vektra.cfg, then vektra.cfg, from the\n"
    "working directory; then the arguments) and prints every key as KEY == VALUE, sorted,\n"
    "or, with --get, each KEY's value on a line of its own. --get comes first.\n"
    "Exit codes: 0; 1 for a missing or empty extra.cfg; 2 for an unusable setting, a\n"
    "settings file over the size limit, or a bad option.\n";

struct Options {
    std::vector<std::string> keys;
    std::vector<std::string> gameArgs;
    bool help = false;
    // What is wrong with the options, if anything; a --get without its key
    // gets the usage line alone.
    std::string error;
    bool bareUsage = false;
};

Options readOptions(int argc, char** argv)
{
    Options options;
    int i = 1;
    while (i < argc && std::string(argv[i]) == GET_OPTION) {
        if (i + 1 >= argc) {
            options.bareUsage = true;
            return options;
        }
        options.keys.emplace_back(argv[i + 1]);
        i += 2;
    }
    for (; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == HELP_OPTION) {
            options.help = true;
        } else if (argument == GET_OPTION) {
            options.error = "--get must come before the game's arguments";
            return options;
        }
        options.gameArgs.push_back(argument);
    }
    return options;
}

bool isUnpublishedInfo(const std::string& key, const std::string& value)
{
    return value.empty() && key.compare(0, std::string(INFO_PREFIX).size(), INFO_PREFIX) == 0;
}

// Built whole before anything is printed, so that a setting that cannot be
// expanded leaves only its error message, not half a listing.
std::string listing(const Options& options)
{
    std::string out;
    if (!options.keys.empty()) {
        for (const std::string& key : options.keys) {
            const std::string value = CFG::get(key);
            // The value line stays exact for scripts; the note goes aside.
            if (isUnpublishedInfo(key, value)) {
                *Util::Singleton<Util::Debug>::instance().err << key << ": " << INFO_NOTE
                                                              << std::endl;
            }
            out += value + '\n';
        }
        return out;
    }
    std::vector<std::string> keys;
    CFG::global()->keys(keys);
    for (const std::string& key : keys) {
        const std::string value = CFG::get(key);
        // As a comment, so that the listing stays a settings file that
        // leaves the key to the game.
        if (isUnpublishedInfo(key, value)) {
            out += std::string("# ") + key + " " + CFG::Info::keyValueSeparator() + " " +
                   INFO_NOTE + '\n';
            continue;
        }
        out += key + " " + CFG::Info::keyValueSeparator() + " " + value + '\n';
    }
    return out;
}

int run(int argc, char** argv)
{
    Options options = readOptions(argc, argv);
    if (!options.error.empty() || options.bareUsage) {
        std::ostream& err = *Util::Singleton<Util::Debug>::instance().err;
        if (!options.error.empty()) {
            err << "vektra-config: " << options.error << '\n';
        }
        err << USAGE_LINE << std::endl;
        return USAGE_EXIT;
    }
    if (options.help) {
        std::cout << USAGE_LINE << '\n' << HELP_TEXT;
        return Util::OutputCheck::standardOutputWritten("vektra-config") ? 0 : WRITE_FAILED_EXIT;
    }
    int code = CFG::SettingsLoader(SETTINGS_FILE).load(options.gameArgs);
    if (code != CFG::SettingsLoader::GO_ON) {
        return code;
    }
    std::cout << listing(options);
    return Util::OutputCheck::standardOutputWritten("vektra-config") ? 0 : WRITE_FAILED_EXIT;
}

} // namespace

int main(int argc, char** argv)
{
    return CFG::guardedMain([&] { return run(argc, argv); });
}
