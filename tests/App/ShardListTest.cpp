#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/shards/ShardList.h"

namespace {

using Tool::ShardList;

// Matches 10 to 14 of a two-player series, in two shards (even and odd).
const std::string CLOSE = " first 10 matches 5 seed 7 grid 80 x 60 players 2 levels 1,3 played ";
const std::string TIMES =
    " seconds 1.5 cpu_seconds 1.25 step_seconds 1.0 worst_step_seconds 0.002\n";
const std::string EVEN = "match 10 WIN=1 steps 300 grid 0000abcd\n"
                         "match 12 DRAW steps 100 grid 12345678\n"
                         "match 14 WIN=0 steps 200 grid ffffffff\n"
                         "shard 0/2" +
                         CLOSE + "3" + TIMES;
const std::string ODD = "match 11 WIN=1 steps 50 grid 00000001\n"
                        "match 13 WIN=1 steps 350 grid 00000002\n"
                        "shard 1/2" +
                        CLOSE + "2" + TIMES;

std::string merge(const std::vector<std::string>& files, ShardList& list)
{
    for (std::size_t k = 0; k < files.size(); ++k) {
        std::istringstream in(files[k]);
        if (!list.read(in, "shard" + std::to_string(k))) {
            return list.error();
        }
    }
    return list.finish() ? "" : list.error();
}

// Two shards in one file, as GNU parallel gathers its jobs' outputs.
TEST(ShardListTest, TwoShardsMergeIntoTheSeriesInOrder)
{
    ShardList list;
    ASSERT_EQ("", merge({ODD + EVEN}, list));
    const Tool::MatchSimulator::Tally& tally = list.tally();
    EXPECT_EQ(5ul, tally.matches);
    EXPECT_EQ((std::vector<unsigned long>{1, 3}), tally.wins);
    EXPECT_EQ(1ul, tally.draws);
    EXPECT_EQ(1000ul, tally.totalSteps);
    EXPECT_EQ((std::vector<int>{1, 3}), tally.levels);
    EXPECT_EQ(80, tally.gridWidth);
    EXPECT_DOUBLE_EQ(3.0, tally.seconds);
    EXPECT_DOUBLE_EQ(0.002, tally.worstStepSeconds);
    std::ostringstream rows;
    list.writeRows(rows);
    EXPECT_EQ("match 10 WIN=1 steps 300 grid 0000abcd\n"
              "match 11 WIN=1 steps 50 grid 00000001\n"
              "match 12 DRAW steps 100 grid 12345678\n"
              "match 13 WIN=1 steps 350 grid 00000002\n"
              "match 14 WIN=0 steps 200 grid ffffffff\n",
              rows.str());
}

TEST(ShardListTest, RefusesWhatIsNoWholeSeries)
{
    std::string otherSeed = ODD;
    otherSeed.replace(otherSeed.find("seed 7"), 6, "seed 8");
    std::string strayMatch = ODD;
    strayMatch.replace(strayMatch.find("match 13"), 8, "match 12");
    std::string beyondPlayers = ODD;
    beyondPlayers.replace(beyondPlayers.find("WIN=1"), 5, "WIN=2");
    struct Case {
        std::vector<std::string> files;
        std::string error;
    };
    const Case cases[] = {
        {{EVEN}, "match 11 is missing: no file holds it (it is shard 1/2's)"},
        {{EVEN, ODD, ODD}, "match 11 is there twice: in shard1 and in shard2"},
        {{EVEN, "match 11 WIN=1 steps 50\n" + ODD}, "shard1 line 1: neither a match row"},
        {{std::string("\x1b[2Jmatch\r") + std::string(70, 'x') + "\n" + EVEN},
         "shard0 line 1: neither a match row nor a shard's closing line: \"?[2Jmatch?" +
             std::string(50, 'x') + "...\""},
        {{EVEN, ODD.substr(0, ODD.find("shard"))}, "shard1 ends without a shard's closing line"},
        {{EVEN, ODD.substr(0, ODD.find("shard") + 20)},
         "shard1 line 3: the file ends inside this line: the shard was cut short"},
        {{EVEN + ODD + "match 15 DRAW steps 1 grid 00000000\n"},
         "shard0 ends without a shard's closing line"},
        {{EVEN, otherSeed}, "shard1 is a shard of another series than shard0"},
        {{EVEN, strayMatch}, "shard1: match 12 is no match of shard 1/2"},
        {{EVEN, beyondPlayers}, "shard1: match 11 names a winner beyond the 2 players"},
        {{EVEN, ODD.substr(ODD.find("match 13"))}, "shard1 holds 1 matches, but its closing"},
        {{EVEN, std::string(2000, 'm')}, "shard1 line 1: a line longer than 1024 characters"},
        {{}, "no shard read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        ShardList list;
        EXPECT_EQ(0u, merge(c.files, list).rfind(c.error, 0)) << list.error();
    }
}

} // namespace
