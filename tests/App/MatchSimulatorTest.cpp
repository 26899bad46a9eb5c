#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/GuardedMain.h"
#include "Devices/Devices.h"
#include "Support/TempDir.h"
#include "Util/Debug.h"
#include "app/shards/ShardList.h"
#include "app/tools/MatchSimulator.h"
#include "app/tools/SimulatorOptions.h"

namespace {

using TestSupport::TempDir;

using Tool::MatchSimulator;
using Tool::SimulatorOptions;

// Small quick matches: a 24 x 16 arena, three players of mixed levels.
const char* const SETTINGS = "GRID_WIDTH == 24\n"
                             "GRID_HEIGHT == 16\n"
                             "NUM_PLAYERS == 3\n"
                             "MOVE_TIME == 60\n"
                             "TURN_CHANCE == 10\n"
                             "GAME_SEED == 4294967290\n"
                             "AI_LEVEL == 1\n"
                             "AI_LEVEL_P2 == 2\n"
                             "AI_LEVEL_P3 == 3\n";

struct SimRun {
    int exitCode = -1;
    std::vector<std::string> matches; // "number result steps hash"
    std::string rows;                 // as a shard prints them
    MatchSimulator::Tally tally;
    std::string errors;
};

class MatchSimulatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char buffer[4096];
        ASSERT_NE(nullptr, ::getcwd(buffer, sizeof buffer));
        savedDir = buffer;
        ASSERT_EQ(0, ::chdir(dir.dir().c_str()));
        dir.write("vektra.cfg", SETTINGS);
    }

    void TearDown() override
    {
        ASSERT_EQ(0, ::chdir(savedDir.c_str()));
        CFG::getDefaultOverrides()->reset();
    }

    // The simulator as vektra-sim runs it, inside CFG::guardedMain.
    static SimRun simulate(unsigned long matches, unsigned int first,
                           const std::vector<std::string>& args = {}, unsigned long shard = 0,
                           unsigned long shards = 1)
    {
        SimRun run;
        CFG::getDefaultOverrides()->reset();
        Util::Debug& debug = Util::Debug::instance();
        std::ostringstream errors;
        std::ostream* const savedErr = debug.err;
        debug.err = &errors;
        MatchSimulator simulator(
            matches, first, [&](const MatchSimulator::Match& match, const MatchSimulator::Tally&) {
                std::ostringstream line;
                line << match.number << ' ' << match.result << ' ' << match.steps << ' '
                     << match.gridHash;
                run.matches.push_back(line.str());
                run.rows += Tool::ShardList::row(match) + "\n";
            });
        simulator.setShard(shard, shards);
        run.exitCode = CFG::guardedMain([&] { return simulator.run(args); });
        debug.err = savedErr;
        run.errors = errors.str();
        run.tally = simulator.tally();
        // The assembly installs a keyboard for the rest of the process.
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
        return run;
    }

    TempDir dir;
    std::string savedDir;
};

TEST_F(MatchSimulatorTest, MatchKAloneReplaysMatchKOfTheSeries)
{
    const SimRun series = simulate(8, 0);
    ASSERT_EQ(0, series.exitCode) << series.errors;
    ASSERT_EQ(8u, series.matches.size());
    EXPECT_EQ(8ul, series.tally.matches);
    unsigned long decided = series.tally.draws;
    for (unsigned long wins : series.tally.wins) {
        decided += wins;
    }
    EXPECT_EQ(8ul, decided);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), series.tally.levels);

    // The seed wraps past 2^32 - 1 from match 6 on; each match alone is the same.
    for (unsigned int k : {0u, 5u, 6u, 7u}) {
        SCOPED_TRACE("match " + std::to_string(k));
        const SimRun alone = simulate(1, k);
        ASSERT_EQ(1u, alone.matches.size());
        EXPECT_EQ(series.matches[k], alone.matches[0]);
    }
    // A shard plays the series' own matches whose number modulo the shard
    // count is its index, also when the series starts past match 0.
    const SimRun shard = simulate(8, 0, {}, 1, 3);
    EXPECT_EQ((std::vector<std::string>{series.matches[1], series.matches[4], series.matches[7]}),
              shard.matches);
    const SimRun later = simulate(3, 5, {}, 0, 2);
    EXPECT_EQ((std::vector<std::string>{series.matches[6]}), later.matches);
    EXPECT_EQ(1ul, later.tally.matches);
    // Another seed plays other matches.
    const SimRun other = simulate(8, 0, {"GAME_SEED==17"});
    EXPECT_NE(series.matches, other.matches);
}

TEST_F(MatchSimulatorTest, BadSettingsEndAsTheGameEndsThem)
{
    dir.write("empty.cfg", "");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {{"missing.cfg"}, 1, ""},
        {{"empty.cfg"}, 1, ""},
        {{"AI_LEVEL==5"}, 2, "AI_LEVEL: out of range: 5 (0 to 4)\n"},
        {{"AI_LEVEL_P2==-1"}, 2, "AI_LEVEL_P2: out of range: -1 (0 to 4)\n"},
        {{"AI_LEVEL_P1==x"}, 2, "AI_LEVEL_P1: not a number: Cant convert String to Num:x\n"},
        {{"GRID_WIDTH==2000"}, 2, "GRID_WIDTH: out of range: 2000 (at most 1024)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const SimRun run = simulate(3, 0, c.args);
        EXPECT_EQ(c.exitCode, run.exitCode);
        EXPECT_EQ(c.message, run.errors);
        EXPECT_TRUE(run.matches.empty());
    }
}

TEST(SimulatorOptionsTest, OptionsAndTheirErrors)
{
    struct Case {
        std::vector<std::string> args;
        unsigned long matches;
        unsigned int first;
        bool csv;
        std::string error;
    };
    const Case cases[] = {
        {{"--matches=10"}, 10, 0, false, ""},
        {{"SETTINGS_x.cfg", "x.cfg", "A==B", "--matches=1", "--first=4294967295", "--csv"},
         1,
         4294967295u,
         true,
         ""},
        {{}, 0, 0, false, "say how many matches to play with --matches=N"},
        {{"--matches=0"},
         0,
         0,
         false,
         "--matches wants a number of matches from 1 to 10^12, not \"0\""},
        {{"--matches=-5"},
         0,
         0,
         false,
         "--matches wants a number of matches from 1 to 10^12, not \"-5\""},
        {{"--matches=12x"},
         0,
         0,
         false,
         "--matches wants a number of matches from 1 to 10^12, not \"12x\""},
        {{"--matches=3", "--first=4294967296"},
         3,
         0,
         false,
         "--first wants a match number from 0 to 4294967295, not \"4294967296\""},
        {{"--matches=3", "-x==1"}, 3, 0, false, "unknown option -x==1"},
        {{"--matches=3", "--shard=2/2"},
         3,
         0,
         false,
         "--shard=2/2 has no shard 2: the shards of N are numbered 0 to N - 1"},
        {{"--matches=3", "--shard=1/0"},
         3,
         0,
         false,
         "--shard wants I/N, a shard I of N shards (N from 1 to 1000000), not \"1/0\""},
        {{"--matches=3", "--shard=1"},
         3,
         0,
         false,
         "--shard wants I/N, a shard I of N shards (N from 1 to 1000000), not \"1\""},
        {{"--merge", "--matches=3", "a"},
         0,
         0,
         false,
         "--merge takes no --matches, --first or --shard: the shard files say which matches "
         "they hold"},
        {{"--merge", "--csv"}, 0, 0, false, "--merge wants the shard files to merge"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back());
        const SimulatorOptions options = SimulatorOptions::parse(c.args);
        EXPECT_EQ(c.error, options.error);
        if (c.error.empty()) {
            EXPECT_EQ(c.matches, options.matches);
            EXPECT_EQ(c.first, options.first);
            EXPECT_EQ(c.csv, options.csv);
        }
    }
    const SimulatorOptions shard =
        SimulatorOptions::parse({"--matches=9", "--shard=999999/1000000"});
    EXPECT_EQ("", shard.error);
    EXPECT_TRUE(shard.sharded);
    EXPECT_EQ(999999ul, shard.shardIndex);
    EXPECT_EQ(1000000ul, shard.shardCount);
    EXPECT_TRUE(SimulatorOptions::parse({"--help"}).help);
    EXPECT_EQ("", SimulatorOptions::parse({"--help"}).error);
}

} // namespace

namespace {

// A shard with no match of the series (more shards than matches) still
// closes its output, and merges with the shard that played.
TEST_F(MatchSimulatorTest, AnEmptyShardMergesWithTheOthers)
{
    const SimRun played = simulate(1, 6, {}, 0, 2);
    const SimRun empty = simulate(1, 6, {}, 1, 2);
    ASSERT_EQ(0, empty.exitCode) << empty.errors;
    ASSERT_EQ(1u, played.matches.size());
    EXPECT_TRUE(empty.matches.empty());
    Tool::ShardList list;
    for (const auto* run : {&empty, &played}) {
        std::istringstream in(
            run->rows + Tool::ShardList::closingLine(run == &empty ? 1 : 0, 2, 6, 1, run->tally) +
            "\n");
        ASSERT_TRUE(list.read(in, "shard")) << list.error();
    }
    ASSERT_TRUE(list.finish()) << list.error();
    EXPECT_EQ(1ul, list.tally().matches);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), list.tally().levels);
    EXPECT_EQ(16, list.tally().gridHeight);
    EXPECT_EQ(4294967290u, list.tally().seed);
}

// Each run builds the game, and each build installs a keyboard: the one
// the run before left behind must go (the sanitizer build sees it leak).
TEST_F(MatchSimulatorTest, ARunAfterAnotherReplacesTheKeyboardItLeft)
{
    for (int run = 0; run < 2; ++run) {
        CFG::getDefaultOverrides()->reset();
        MatchSimulator simulator(1, 0, nullptr);
        ASSERT_EQ(0, CFG::guardedMain([&] { return simulator.run({}); }));
        ASSERT_NE(nullptr, Devices::getKeyboard());
    }
    delete Devices::getKeyboard();
    Devices::setKeyboard(nullptr);
}

} // namespace
