#include "SimulatorOptions.h"

#include <limits>

#include "Util/StringHelpers.h"

namespace Tool {

namespace {

constexpr unsigned long long MAX_SHARDS = 1000000;

// "I/N" with 0 <= I < N <= MAX_SHARDS; else what is wrong.
std::string readShard(const std::string& text, unsigned long& index, unsigned long& count)
{
    const std::string::size_type slash = text.find('/');
    unsigned long long i = 0;
    unsigned long long n = 0;
    if (slash == std::string::npos || !Util::readDecimal(text.substr(0, slash), MAX_SHARDS, i) ||
        !Util::readDecimal(text.substr(slash + 1), MAX_SHARDS, n) || n == 0) {
        return "--shard wants I/N, a shard I of N shards (N from 1 to 1000000), not \"" + text +
               "\"";
    }
    if (i >= n) {
        return "--shard=" + text + " has no shard " + std::to_string(i) +
               ": the shards of N are numbered 0 to N - 1";
    }
    index = static_cast<unsigned long>(i);
    count = static_cast<unsigned long>(n);
    return std::string();
}

// One option into options; false when it is unknown or its value is wrong.
bool readOption(const std::string& arg, SimulatorOptions& options, bool& haveMatches)
{
    unsigned long long value = 0;
    if (arg == "--help" || arg == "-h") {
        options.help = true;
    } else if (arg == "--version") {
        options.version = true;
    } else if (arg == "--csv") {
        options.csv = true;
    } else if (arg == "--list") {
        options.list = true;
    } else if (arg == "--merge") {
        options.merge = true;
    } else if (Util::startswith(arg, "--matches=")) {
        if (!Util::readDecimal(arg.substr(10), 1000000000000ull, value) || value == 0) {
            options.error = "--matches wants a number of matches from 1 to 10^12, not \"" +
                            arg.substr(10) + "\"";
            return false;
        }
        options.matches = static_cast<unsigned long>(value);
        haveMatches = true;
    } else if (Util::startswith(arg, "--first=")) {
        if (!Util::readDecimal(arg.substr(8), std::numeric_limits<unsigned int>::max(), value)) {
            options.error =
                "--first wants a match number from 0 to 4294967295, not \"" + arg.substr(8) + "\"";
            return false;
        }
        options.first = static_cast<unsigned int>(value);
    } else if (Util::startswith(arg, "--shard=")) {
        options.error = readShard(arg.substr(8), options.shardIndex, options.shardCount);
        options.sharded = options.error.empty();
        return options.sharded;
    } else {
        options.error = "unknown option " + arg;
        return false;
    }
    return true;
}

} // namespace

SimulatorOptions SimulatorOptions::parse(const std::vector<std::string>& args)
{
    SimulatorOptions options;
    bool haveMatches = false;
    bool haveFirst = false;
    bool haveFiles = false;
    for (const std::string& arg : args) {
        if (arg.empty() || arg[0] != '-') {
            haveFiles = true;
            continue;
        }
        haveFirst = haveFirst || Util::startswith(arg, "--first=");
        if (!readOption(arg, options, haveMatches)) {
            return options;
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (options.merge) {
        // The shard files say which matches they hold and how they were played.
        if (haveMatches || haveFirst || options.sharded) {
            options.error = "--merge takes no --matches, --first or --shard: the shard files say "
                            "which matches they hold";
        } else if (!haveFiles) {
            options.error = "--merge wants the shard files to merge";
        }
    } else if (!haveMatches) {
        options.error = "say how many matches to play with --matches=N";
    }
    return options;
}

const char* SimulatorOptions::usage()
{
    return "usage: vektra-sim [SETTINGS_x.cfg] [x.cfg] [KEY==VALUE...] --matches=N [--first=K]\n"
           "                  [--shard=I/N] [--csv] [--list]\n"
           "       vektra-sim --merge [--csv] [--list] SHARD_FILE...\n"
           "       vektra-sim --replay FILE...\n"
           "Plays N matches of Vektra without a window, as fast as it can, every player a\n"
           "computer player at its level (AI_LEVEL, AI_LEVEL_P1, AI_LEVEL_P2, ...), and\n"
           "prints each player's wins, the draws, the average match length in steps and\n"
           "the matches per second. Settings are read as the game reads them: vektra.cfg\n"
           "and SETTINGS_vektra.cfg in the working directory, the files named, their .MOD\n"
           "companions and the KEY==VALUE arguments.\n"
           "  --matches=N  play N matches (1 or more)\n"
           "  --first=K    number the matches from K: match k is played with the random\n"
           "               generators started from GAME_SEED + k (modulo 2^32), so\n"
           "               --first=K --matches=1 replays match K of any longer series\n"
           "  --shard=I/N  play only the matches whose number k has k mod N == I (0 <= I < N,\n"
           "               N at most 1000000) and print them as --list does, then one\n"
           "               closing \"shard\" line for --merge instead of the tally (so\n"
           "               --csv and --list change nothing for a shard)\n"
           "  --merge      read the output files of the N shards of one series (each\n"
           "               --shard=I/N run once) and print the tally of the whole series\n"
           "               (and with --list its matches in order) as one run prints it;\n"
           "               a match missing or held twice, shards of other series, or a\n"
           "               file that is unreadable, malformed or cut short end it with\n"
           "               exit code 5 and the reason\n"
           "  --csv        print the tally as comma-separated values, one row per player\n"
           "  --list       print every match: number, result, steps, final-grid hash\n"
           "  --help, -h   print this text\n"
           "  --version    print the version\n"
           "  --replay     play each recorded match FILE (see RECORD_DIR) from its own\n"
           "               settings, no settings file read, and check its checksums:\n"
           "               exit 0 all hold, 1 one differs, 2 a file is unreadable,\n"
           "               malformed or damaged\n"
           "Without vektra.cfg in the working directory and no settings file named it\n"
           "plays nothing (a --replay needs neither).\n"
           "Exit codes: 0 done; 1 the extra settings file is missing or empty; 2 a\n"
           "setting is wrong (the message says which) or no settings were found; 3 an\n"
           "option is wrong; 4 the output could not be written (a full disk, a closed\n"
           "pipe); 5 the shard files could not be merged.\n";
}

} // namespace Tool
