#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Support/ProgramRun.h"
#include "Support/TempDir.h"

// The real match simulator: what only the process shows, its exit codes
// and what it prints for them, with the shipped settings.

#ifndef VEKTRA_SIM

TEST(SimulatorBadInput, NeedsTheSimulator)
{
    GTEST_SKIP() << "the simulator executable is not part of this build";
}

#else

namespace {

using TestSupport::Outcome;
using TestSupport::ProgramRun;
using TestSupport::TempDir;

TEST(SimulatorBadInput, ExitCodesAndMessages)
{
    TempDir dir;
    std::ifstream shipped(VEKTRA_SHIPPED_CFG);
    std::stringstream settings;
    settings << shipped.rdbuf();
    dir.write("vektra.cfg", settings.str());

    struct Row {
        std::vector<std::string> args;
        int code;
        std::string outStart;
        std::string err;
    };
    const Row rows[] = {
        {{"--help"}, 0, "usage: vektra-sim", ""},
        {{"--matches=2", "--csv", "NUM_PLAYERS==2", "AI_LEVEL_P2==1"},
         0,
         "player,level,wins,draws,matches,average_steps",
         ""},
        {{"--matches=0"}, 3, "", "vektra-sim: --matches wants a number of matches from 1"},
        {{"--matches=2", "AI_LEVEL==9"}, 2, "", "AI_LEVEL == 9 is no computer-player level"},
        {{"--matches=2", "missing.cfg"}, 1, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        ProgramRun program(VEKTRA_SIM, dir.dir());
        const Outcome outcome = program.timeLimit(60).run(row.args);
        ASSERT_EQ(row.code, outcome.exitCode) << outcome.describe() << "\n" << outcome.err;
        EXPECT_EQ(0u, outcome.out.rfind(row.outStart, 0)) << outcome.out;
        if (row.err.empty()) {
            EXPECT_EQ("", outcome.err);
        } else {
            EXPECT_EQ(0u, outcome.err.rfind(row.err, 0)) << outcome.err;
        }
    }
}

// --replay reads no settings file: one match recorded beside the shipped
// settings plays back in a folder without any.
TEST(SimulatorBadInput, ReplaysNeedNoSettingsFile)
{
    TempDir dir;
    std::ifstream shipped(VEKTRA_SHIPPED_CFG);
    std::stringstream settings;
    settings << shipped.rdbuf();
    dir.write("vektra.cfg", settings.str());
    ASSERT_EQ(0, ProgramRun(VEKTRA_SIM, dir.dir())
                     .timeLimit(60)
                     .run({"--matches=1", "RECORD_DIR==" + dir.dir()})
                     .exitCode);
    TempDir bare;
    ProgramRun list("/bin/sh", dir.dir());
    const std::string recorded = list.run({"-c", "ls *.vkr"}).out;
    ASSERT_FALSE(recorded.empty());
    const std::string good = dir.path(recorded.substr(0, recorded.find('\n')));
    const std::string damaged = bare.write("damaged.vkr", "VEKTRA-MATCH 1\n");

    struct Row {
        std::vector<std::string> args;
        int code;
        std::string err;
    };
    const Row rows[] = {
        {{"--replay", good}, 0, ""},
        {{"--replay", good, damaged}, 2, "vektra-sim: " + damaged + ": replay is damaged"},
        {{"--replay"}, 3, "vektra-sim: --replay needs one or more replay files"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        const Outcome outcome = ProgramRun(VEKTRA_SIM, bare.dir()).timeLimit(60).run(row.args);
        ASSERT_EQ(row.code, outcome.exitCode) << outcome.describe() << "\n" << outcome.err;
        EXPECT_EQ(0u, outcome.err.rfind(row.err, 0)) << outcome.err;
    }
}

} // namespace

#endif
