// vektra-config: shows the settings exactly as the game would read them.
// It loads the settings files and the command line as the game's start-up
// does, then prints every key of the global store in ascending order as
// "KEY == VALUE" (the expanded value), or, with "--get KEY" options (given
// before the game's arguments, repeatable), only each key's value, one per
// line, in the order asked for. "INFO_" keys are filled by the game once its
// window is open, so an empty one is marked as such. "--help" prints the
// usage. "--check" runs the game's own checks on the loaded settings and
// prints their messages; the listing marks each value the game would refuse
// or limit with a comment line above it. Exit codes: 0 normal (a limited
// value too), 1 missing or empty extra settings file, 2 unusable or refused
// setting, settings file over the size limit, or bad option, 4 output that
// could not be written (documented in the man page; the help text stays as
// it was). "-h" and "--help" print the usage, "--version" the version.
#include <iostream>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/GuardedMain.h"
#include "CFG/SettingsLoader.h"
#include "Util/Debug.h"
#include "Util/OutputCheck.h"
#include "app/settings/SettingRules.h"
#include "app/settings/SettingsCheck.h"

namespace {

const char* const SETTINGS_FILE = "vektra.cfg";
const char* const GET_OPTION = "--get";
const char* const HELP_OPTION = "--help";
const char* const SHORT_HELP_OPTION = "-h";
const char* const VERSION_OPTION = "--version";
const char* const CHECK_OPTION = "--check";
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
// --check is described in the man page and the README; the text above is
// kept as it is, since scripts compare it.

struct Options {
    std::vector<std::string> keys;
    std::vector<std::string> gameArgs;
    bool help = false;
    bool version = false;
    bool check = false;
    // What is wrong with the options, if anything; a --get without its key
    // gets the usage line alone.
    std::string error;
    bool bareUsage = false;
};

Options readOptions(int argc, char** argv)
{
    Options options;
    int i = 1;
    for (; i < argc && std::string(argv[i]) == CHECK_OPTION; ++i) {
        options.check = true;
    }
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
        if (argument == HELP_OPTION || argument == SHORT_HELP_OPTION) {
            options.help = true;
        } else if (argument == VERSION_OPTION) {
            options.version = true;
        } else if (argument == GET_OPTION || argument == CHECK_OPTION) {
            options.error = argument + " must come before the game's arguments";
            return options;
        }
        options.gameArgs.push_back(argument);
    }
    return options;
}

// The server's password is a secret: its value is never printed.
const char* const SECRET_KEY = "PASSWORD";
const char* const SECRET_NOTE = "(set; never shown)";

bool isSecret(const std::string& key, const std::string& value)
{
    return key == SECRET_KEY && !value.empty();
}

bool isUnpublishedInfo(const std::string& key, const std::string& value)
{
    return value.empty() && key.compare(0, std::string(INFO_PREFIX).size(), INFO_PREFIX) == 0;
}

// The comment line that marks a value the game would not take as written.
std::string problemNote(const Tool::SettingProblem& problem)
{
    return std::string(problem.refused ? "# refused by the game: " : "# warning: ") +
           problem.message + '\n';
}

// The game's checks, every one, and the keys nothing reads.
std::vector<Tool::SettingProblem> problems()
{
    std::vector<Tool::SettingProblem> found = Tool::SettingsCheck::run(Tool::SettingRule::GAME);
    const std::vector<Tool::SettingProblem> unknown = Tool::SettingsCheck::unknownKeys();
    found.insert(found.end(), unknown.begin(), unknown.end());
    return found;
}

// Every message on the error stream, as the game prints it; exit code 2
// when a value would stop the game.
int check()
{
    std::ostream& err = *Util::Singleton<Util::Debug>::instance().err;
    bool refused = false;
    for (const Tool::SettingProblem& problem : problems()) {
        err << problem.message << std::endl;
        refused = refused || problem.refused;
    }
    if (refused) {
        return Tool::SettingsCheck::REFUSED;
    }
    std::cout << "vektra-config: the game runs with these settings" << std::endl;
    return 0;
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
            if (isSecret(key, value)) {
                *Util::Singleton<Util::Debug>::instance().err << key << ": " << SECRET_NOTE
                                                              << std::endl;
                out += '\n';
                continue;
            }
            out += value + '\n';
        }
        return out;
    }
    // The values the game judges; a key it does not know is left to --check.
    std::vector<Tool::SettingProblem> problems = Tool::SettingsCheck::run(Tool::SettingRule::GAME);
    std::vector<std::string> keys;
    CFG::global()->keys(keys);
    for (const std::string& key : keys) {
        for (auto problem = problems.begin(); problem != problems.end();) {
            if (problem->key == key) {
                out += problemNote(*problem);
                problem = problems.erase(problem);
            } else {
                ++problem;
            }
        }
        const std::string value = CFG::get(key);
        // As a comment, so that the listing stays a settings file that
        // leaves the key to the game.
        if (isUnpublishedInfo(key, value) || isSecret(key, value)) {
            out += std::string("# ") + key + " " + CFG::Info::keyValueSeparator() + " " +
                   (isSecret(key, value) ? SECRET_NOTE : INFO_NOTE) + '\n';
            continue;
        }
        out += key + " " + CFG::Info::keyValueSeparator() + " " + value + '\n';
    }
    // Keys set only in the overrides are not listed; their notes close it.
    for (const Tool::SettingProblem& problem : problems) {
        out += problemNote(problem);
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
    if (options.help || options.version) {
        if (options.help) {
            std::cout << USAGE_LINE << '\n' << HELP_TEXT;
        } else {
            std::cout << "vektra-config " VEKTRA_VERSION "\n";
        }
        return Util::OutputCheck::standardOutputWritten("vektra-config") ? 0 : WRITE_FAILED_EXIT;
    }
    int code = CFG::SettingsLoader(SETTINGS_FILE, Tool::settingKeys(Tool::SettingRule::PATH))
                   .load(options.gameArgs);
    if (code != CFG::SettingsLoader::GO_ON) {
        return code;
    }
    if (options.check) {
        code = check();
    } else {
        std::cout << listing(options);
        code = 0;
    }
    return Util::OutputCheck::standardOutputWritten("vektra-config") ? code : WRITE_FAILED_EXIT;
}

} // namespace

int main(int argc, char** argv)
{
    return CFG::guardedMain([&] { return run(argc, argv); });
}
