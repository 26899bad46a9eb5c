#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Support/ProgramRun.h"
#include "Support/TempDir.h"

using TestSupport::Outcome;
using TestSupport::TempDir;

// Runs the real vektra-config binary in a temporary working directory and
// checks what it prints and how it ends.

namespace {

Outcome runInspector(const TempDir& dir, const std::vector<std::string>& args)
{
    return TestSupport::ProgramRun(VEKTRA_CONFIG, dir.dir()).run(args);
}

class VektraConfig : public ::testing::Test {
protected:
    TempDir dir;

    void SetUp() override
    {
        dir.write("vektra.cfg", "WIDTH == 800\n"
                                "HEIGHT == 600\n"
                                "AREA == EVAL:(::WIDTH:: * ::HEIGHT::)\n"
                                "FROM == main\n");
    }
};

} // namespace

TEST_F(VektraConfig, ListsEveryKeyOrOnlyTheKeysAsked)
{
    dir.write("SETTINGS_vektra.cfg", "HEIGHT == 480\n");
    Outcome run = runInspector(dir, {});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "AREA == 384000\nFROM == main\nHEIGHT == 480\nWIDTH == 800\n");

    run = runInspector(dir, {"--get", "SETTINGS_FILE", "--get", "NONE", "--get", "AREA", "--get",
                             "HEIGHT", "WIDTH==1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "./SETTINGS_vektra.cfg\n\n480\n480\n");

    run = runInspector(dir, {"--get"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("usage"), std::string::npos);
}

TEST_F(VektraConfig, WhichArgumentsNameFiles)
{
    dir.write("SETTINGS_x.cfg", "FROM == overrides\n<INCLUDE == counter.cfg\n");
    dir.write("counter.cfg", "COUNT == ::COUNT::I\n");
    dir.write("extra.cfg", "FROM == extra\nWIDTH == 1024\n");
    dir.write("SETTINGS_vektra.cfg", "WIDTH == 640\n");
    struct Case {
        std::vector<std::string> args;
        const char* out;
    };
    const Case cases[] = {
        {{"SETTINGS_x.cfg"}, "overrides\n800\nI\n"},
        {{"extra.cfg"}, "extra\n640\n\n"},
        {{"SETTINGS_vektra.cfg", "extra.cfg"}, "extra\n640\n\n"},
        {{"SETTINGS_x.cfg", "extra.cfg"}, "overrides\n1024\nI\n"},
        {{"A==B", "extra.cfg"}, "main\n640\n\n"},
        {{"extra.cfg", "SETTINGS_x.cfg"}, "extra\n640\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front() + (c.args.size() > 1 ? " " + c.args.back() : ""));
        std::vector<std::string> args{"--get", "FROM", "--get", "WIDTH", "--get", "COUNT"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        Outcome run = runInspector(dir, args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, c.out);
    }
    // The overrides file named first is not read into the global store as well.
    EXPECT_EQ(runInspector(dir, {"SETTINGS_x.cfg"}).out,
              "AREA == 480000\nFROM == overrides\nHEIGHT == 600\nWIDTH == 800\n");
}

TEST_F(VektraConfig, CommandLineOverrides)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"HEIGHT==1"}, "1\n\n"},
        {{"A==B", "HEIGHT==2"}, "2\nB\n"},
        {{"-HEIGHT==3"}, "600\n\n"},
        {{"HEIGHT==4==5"}, "600\n\n"},
        {{" HEIGHT == 6 "}, "6\n\n"},
        {{"HEIGHT=="}, "600\n\n"},
        {{"HEIGHT==7", "HEIGHT=="}, "600\n\n"}, // the empty value replaces the 7
        {{"HEIGHT", "HEIGHT=8", "x.cfg"}, "600\n\n"},
    };
    for (const auto& [extra, out] : cases) {
        SCOPED_TRACE(extra.front());
        std::vector<std::string> args{"--get", "HEIGHT", "--get", "A"};
        args.insert(args.end(), extra.begin(), extra.end());
        Outcome run = runInspector(dir, args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, out);
    }
}

TEST_F(VektraConfig, MissingOrEmptyExtraFileEndsWithCodeOne)
{
    dir.write("empty.cfg", "");
    for (const char* name : {"empty.cfg", "missing.cfg"}) {
        SCOPED_TRACE(name);
        Outcome run = runInspector(dir, {name, "HEIGHT==1"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out + run.err, "");
    }
}

TEST_F(VektraConfig, UnusableSettingsEndWithCodeTwo)
{
    dir.write("number.cfg", "BAD == EVAL:(::WIDTH:: * abc)\n");
    Outcome run = runInspector(dir, {"number.cfg"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "") << "no half listing";
    EXPECT_EQ(run.err, "Cant convert String to Num:abc\n");

    run = runInspector(dir, {"--get", "AREA", "WIDTH==wide"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Cant convert String to Num:wide * 600\n");

    dir.write("operator.cfg", "BAD == EVAL:(2(3))\n");
    run = runInspector(dir, {"--get", "WIDTH", "--get", "BAD", "operator.cfg"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(::testing::internal::RE::FullMatch(
        run.err, "ABORT: Func:static float CFG::Calculator::doCalculation\\(float, const "
                 "std::string&, float\\) File:lib/CFG/Calculator Line: [0-9]+\n"
                 "ABORT: Unknown operator: \\(\n"))
        << run.err;
}

// The listing marks a value the game would refuse, or warn about, with a
// comment line above it. (What --check says of each value is judged beside
// the game's own start-up in tests/App/SettingsCheckTest.cpp.)
TEST(VektraConfigCheck, TheListingMarksWhatTheGameJudges)
{
    TempDir dir;
    dir.copy("vektra.cfg", VEKTRA_SHIPPED_CFG);
    const char* const rows[][2] = {
        {"AI_LEVEL==7", "# refused by the game: AI_LEVEL: out of range: 7 (0 to 4)\n"},
        {"HUMAN_PLAYERS==9", "# warning: HUMAN_PLAYERS: out of range: 9 (0 to 4): using 4\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        const Outcome run = runInspector(dir, {row[0]});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_NE(run.out.find(row[1]), std::string::npos) << run.out;
    }
    Outcome run = runInspector(dir, {"--check"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "vektra-config: the game runs with these settings\n");
    EXPECT_EQ(runInspector(dir, {}).out.find("# "), std::string::npos);
}

// An online client's server: --check refuses what the game refuses at
// start-up, with the game's message.
TEST(VektraConfigCheck, AServerAddressTheGameCannotUse)
{
    TempDir dir;
    dir.copy("vektra.cfg", VEKTRA_SHIPPED_CFG);
    const char* const refused[][2] = {
        {"CONNECT==host:0", "CONNECT: the port is no number from 1 to 65535: 0\n"},
        {"CONNECT==::1",
         "CONNECT: not host or host:port (IPv6 addresses are not supported): ::1\n"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row[0]);
        const Outcome run = runInspector(dir, {"--check", row[0]});
        EXPECT_EQ(2, run.exitCode);
        EXPECT_EQ(row[1], run.err);
    }
    const Outcome run = runInspector(dir, {"--check", "CONNECT==example.org:4041"});
    EXPECT_EQ(0, run.exitCode) << run.err;
}
