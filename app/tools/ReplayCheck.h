#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace Tool {

// vektra-sim --replay FILE...: plays each recorded match headless from
// its own header (no settings file needed) and checks every recorded
// checksum. Exit codes: 0 when all hold, 1 when one differs (the file and
// the first step that differs on errors), 2 for a file that cannot be
// read, is malformed or fails its CRC, 3 without files.
class ReplayCheck {
public:
    // Whether the arguments ask for it ("--replay" among them).
    static bool wanted(const std::vector<std::string>& args);
    // Checks every file named in args (all but "--replay"); one line per
    // file on out, problems on errors. Returns the exit code.
    static int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& errors);
};

} // namespace Tool
