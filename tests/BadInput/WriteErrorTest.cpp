#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Support/ProgramRun.h"
#include "Support/TempDir.h"

// The command-line programs' output into a full disk and into a pipe whose
// reader is gone: a failed write is an exit code of its own (4) and a
// message, never a success.

#if !defined(VEKTRA_SIM) || !defined(VEKTRA_CONFIG)

TEST(WriteError, NeedsThePrograms)
{
    GTEST_SKIP() << "the simulator or the inspector is not part of this build";
}

#else

namespace {

using TestSupport::Outcome;
using TestSupport::ProgramRun;
using TestSupport::TempDir;

// Runs the command with standard output on a pipe whose read end is closed
// before the command starts, SIGPIPE ignored (as under many supervisors),
// so the write fails with EPIPE; the command's own exit code comes back.
const char* const CLOSED_PIPE =
    "import os, subprocess, sys\n"
    "r, w = os.pipe(); os.close(r)\n"
    "sys.exit(subprocess.run(sys.argv[1:], stdout=w, restore_signals=False).returncode)\n";

TEST(WriteError, FullDiskAndClosedPipeEndWithCodeFour)
{
    TempDir dir;
    dir.copy("vektra.cfg", VEKTRA_SHIPPED_CFG);

    const std::vector<std::vector<std::string>> commands = {
        {VEKTRA_SIM, "--matches=2", "--csv", "NUM_PLAYERS==2", "GRID_WIDTH==16", "GRID_HEIGHT==12"},
        {VEKTRA_SIM, "--matches=2", "--list", "NUM_PLAYERS==2", "GRID_WIDTH==16",
         "GRID_HEIGHT==12"},
        {VEKTRA_SIM, "--help"},
        {VEKTRA_CONFIG},
        {VEKTRA_CONFIG, "--get", "GRID_WIDTH"},
    };
    for (const std::vector<std::string>& command : commands) {
        const std::string program = command[0].substr(command[0].rfind('/') + 1);
        std::string line;
        for (const std::string& word : command) {
            line += " '" + word + "'";
        }
        for (const char* where : {"full disk", "closed pipe"}) {
            SCOPED_TRACE(std::string(where) + ":" + line);
            ProgramRun run(where[0] == 'f' ? "/bin/sh" : "/usr/bin/python3", dir.dir());
            std::vector<std::string> args = {"-c", "exec" + line + " >/dev/full"};
            if (where[0] != 'f') {
                args = {"-c", CLOSED_PIPE};
                args.insert(args.end(), command.begin(), command.end());
            }
            const Outcome outcome = run.timeLimit(60).run(args);
            EXPECT_EQ(4, outcome.exitCode) << outcome.describe() << "\n" << outcome.err;
            EXPECT_EQ(0u, outcome.err.rfind(program + ": cannot write the output: ", 0))
                << outcome.err;
        }
    }
}

} // namespace

#endif
