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
    dir.copy("vektra.cfg", VEKTRA_SHIPPED_CFG);

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
        {{"--matches=2", "AI_LEVEL==9"}, 2, "", "AI_LEVEL: out of range: 9 (0 to 4)\n"},
        {{"--matches=2", "missing.cfg"}, 1, "", ""},
        {{"--merge", "missing.txt"}, 5, "", "vektra-sim: --merge: cannot open missing.txt\n"},
        {{"--merge", "."}, 5, "", "vektra-sim: --merge: cannot read .: Is a directory\n"},
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
    dir.copy("vektra.cfg", VEKTRA_SHIPPED_CFG);
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

// Without settings the game's fallback grid of 4 x 4 plays only draws: the
// simulator refuses, naming the folder it looked in; --help still works.
TEST(SimulatorBadInput, NoSettingsFound)
{
    TempDir dir;
    Outcome outcome = ProgramRun(VEKTRA_SIM, dir.dir()).run({"--matches=3"});
    EXPECT_EQ(2, outcome.exitCode);
    EXPECT_EQ("", outcome.out);
    EXPECT_EQ(0u, outcome.err.rfind("vektra-sim: no vektra.cfg in " + dir.dir(), 0)) << outcome.err;
    outcome = ProgramRun(VEKTRA_SIM, dir.dir()).run({"--help"});
    EXPECT_EQ(0, outcome.exitCode);
    dir.write("small.cfg", "GRID_WIDTH == 12\nGRID_HEIGHT == 12\nNUM_PLAYERS == 2\n");
    outcome = ProgramRun(VEKTRA_SIM, dir.dir()).run({"small.cfg", "--matches=2"});
    EXPECT_EQ(0, outcome.exitCode) << outcome.err;
    EXPECT_EQ(0u, outcome.out.rfind("2 matches on a 12 x 12 grid", 0)) << outcome.out;
}

// The shipped profiles set a leave key or fast-forward, which make the
// title screen wait for a held key's release, and sound: the simulator
// still plays every match it is asked for, silently.
TEST(SimulatorBadInput, PlaysTheShippedProfiles)
{
    TempDir dir;
    const std::string shipped = VEKTRA_SHIPPED_CFG;
    const std::string folder = shipped.substr(0, shipped.rfind('/') + 1);
    for (const char* name : {"vektra.cfg", "party.cfg", "play.cfg"}) {
        std::ifstream file(folder + name);
        std::stringstream text;
        text << file.rdbuf();
        dir.write(name, text.str());
    }
    for (const char* profile : {"party.cfg", "play.cfg"}) {
        SCOPED_TRACE(profile);
        const Outcome outcome = ProgramRun(VEKTRA_SIM, dir.dir())
                                    .timeLimit(60)
                                    .run({profile, "--matches=3", "GRID_WIDTH==30"});
        ASSERT_EQ(0, outcome.exitCode) << outcome.describe() << "\n" << outcome.err;
        EXPECT_EQ(0u, outcome.out.rfind("3 matches on a 30 x 60 grid", 0)) << outcome.out;
        EXPECT_EQ("", outcome.err) << "play.cfg's sound stays off in the simulator";
    }
}

} // namespace

#endif
