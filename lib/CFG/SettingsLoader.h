#pragma once

#include <string>
#include <vector>

namespace CFG {

// Loads the program's settings at start-up from its settings file and its
// command line, into the overrides store and the global store:
// 1. the overrides file is dirname(mainFile) + "SETTINGS_" + basename(mainFile)
//    ("./SETTINGS_vektra.cfg"), unless the first argument starts with
//    "SETTINGS_" (and has no "=="): then that argument names it;
// 2. the overrides file is read into the overrides store, and "SETTINGS_FILE"
//    is set there to its name;
// 3. the global store is reset and mainFile read into it;
// 4. the next argument, if it ends with ".cfg" (and has no "=="), is an extra
//    settings file added to the global store; a missing or empty one ends
//    loading with exit code 1, before anything of it is read;
// 5. every remaining argument that does not begin with "-" and splits at
//    "==" into exactly two trimmed pieces sets that key in the overrides
//    store (an empty value hides nothing).
// The values of the path keys are paths: one given on the command line is
// taken from the folder the person started in (Files::UserPath), one read
// from a settings file from that file's folder (CFG::Info::setPathKeys).
// Every settings file that exists but cannot be read (a directory, no
// permission) gets one warning line on the error stream of Util::Debug and
// loading goes on; a file over a size limit of the reader (see
// CFG::Info::FileProblem) gets one line naming it and the limit, and ends
// loading with exit code 2, after the files before it were read.
// Used by the game's start-up and by the settings inspector alike.
class SettingsLoader {
public:
    // Returned by load when start-up may go on.
    static constexpr int GO_ON = -1;
    // Exit code for a missing or empty extra settings file.
    static constexpr int MISSING_EXTRA_FILE = 1;
    // Exit code for a settings file over a size limit.
    static constexpr int FILE_TOO_LARGE = 2;

    explicit SettingsLoader(std::string mainFile, std::vector<std::string> pathKeys = {});

    // args are the program's arguments without the program name. Returns
    // GO_ON, or the exit code the program must end with at once (printing
    // nothing more). Include keys are expanded while files are read, so what a
    // lookup throws can pass through: call it inside CFG::guardedMain.
    int load(const std::vector<std::string>& args) const;
    int load(int argc, const char* const* argv) const;

    // dirname(mainFile) + "SETTINGS_" + basename(mainFile).
    static std::string defaultOverridesFile(const std::string& mainFile);

private:
    std::string mainFile;
    std::vector<std::string> pathKeys;

    void applyOverride(const std::string& argument) const;
};

} // namespace CFG
