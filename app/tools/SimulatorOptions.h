#pragma once

#include <string>
#include <vector>

namespace Tool {

// The match simulator's own command-line options, told apart from the
// game's arguments by their leading "-": --matches=N (required, 1 or more),
// --first=K (0 to 4294967295), --csv, --list and --help. Everything else
// is left to start-up, which reads it as the game does.
struct SimulatorOptions {
    // Exit code for an option the simulator cannot use.
    static constexpr int BAD_OPTION = 3;
    // Exit code when the output could not be written (full disk, closed pipe).
    static constexpr int WRITE_FAILED = 4;
    // Exit code when there is no vektra.cfg in the working directory and no
    // settings file is named.
    static constexpr int SETTINGS_MISSING = 2;

    unsigned long matches = 0;
    unsigned int first = 0;
    bool csv = false;
    bool list = false;
    bool help = false;
    // Empty when the options are usable; else what is wrong, for the user.
    std::string error;

    static SimulatorOptions parse(const std::vector<std::string>& args);
    static const char* usage();
};

} // namespace Tool
