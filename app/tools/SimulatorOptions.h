#pragma once

#include <string>
#include <vector>

namespace Tool {

// The match simulator's own command-line options, told apart from the
// game's arguments by their leading "-": --matches=N (required, 1 or more),
// --first=K (0 to 4294967295), --shard=I/N, --csv, --list, --merge, --help
// (or -h) and --version. Everything else is left to start-up, which reads it as the game
// does; with --merge it is the shard files to merge.
struct SimulatorOptions {
    // Exit code for an option the simulator cannot use.
    static constexpr int BAD_OPTION = 3;
    // Exit code when the output could not be written (full disk, closed pipe).
    static constexpr int WRITE_FAILED = 4;
    // Exit code when there is no vektra.cfg in the working directory and no
    // settings file is named.
    static constexpr int SETTINGS_MISSING = 2;
    // Exit code when --merge refuses its shard files.
    static constexpr int MERGE_FAILED = 5;

    unsigned long matches = 0;
    unsigned int first = 0;
    bool csv = false;
    bool list = false;
    bool help = false;
    bool version = false;
    // --shard=I/N: only the matches whose number modulo shardCount is
    // shardIndex. 0/1 (every match) when not given.
    unsigned long shardIndex = 0;
    unsigned long shardCount = 1;
    bool sharded = false;
    // --merge: the arguments that are not options are shard files.
    bool merge = false;
    // Empty when the options are usable; else what is wrong, for the user.
    std::string error;

    static SimulatorOptions parse(const std::vector<std::string>& args);
    static const char* usage();
};

} // namespace Tool
