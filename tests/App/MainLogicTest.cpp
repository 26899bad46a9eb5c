#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "app/MainLogic.h"
#include "app/MainView.h"

namespace {

using Tool::MainLogic;

class MainLogicTest : public GameFixture {
protected:
    // Plays steps until the match has a result or limit steps are played.
    static std::string play(MainLogic& logic, int limit = 10000)
    {
        for (int i = 0; i < limit && logic.getResult().empty(); ++i) {
            logic.onUpdate(1000);
        }
        return logic.getResult();
    }

    static int blockedCells(const MainLogic& logic)
    {
        int count = 0;
        for (int y = 0; y < logic.getGridHeight(); ++y) {
            for (int x = 0; x < logic.getGridWidth(); ++x) {
                count += logic.cell(x, y) == MainLogic::BLOCKED ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(MainLogicTest, SettingsBelowTheLowerBoundsAreRaised)
{
    struct Case {
        const char* settings;
        int width, height, players;
    };
    const Case cases[] = {
        {"GRID_WIDTH == 2\nGRID_HEIGHT == 2\nNUM_PLAYERS == 0\n", 4, 4, 2},
        {"GRID_WIDTH == -7\nGRID_HEIGHT == 3\nNUM_PLAYERS == 1\n", 4, 4, 2},
        {"GRID_WIDTH ==\nGRID_HEIGHT ==\nNUM_PLAYERS ==\n", 4, 4, 2},
        {"GRID_WIDTH == 0x0a\nGRID_HEIGHT == 5\nNUM_PLAYERS == 7\n", 10, 5, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        settings(c.settings);
        MainLogic logic(manager.get());
        EXPECT_EQ(c.width, logic.getGridWidth());
        EXPECT_EQ(c.height, logic.getGridHeight());
        EXPECT_EQ(c.players, logic.getPlayerCount());
    }
}

TEST_F(MainLogicTest, ArenasTooLargeOrTooCrowdedAreRefusedWithAMessage)
{
    struct Case {
        const char* settings;
        const char* message;
    };
    const Case cases[] = {
        {"GRID_WIDTH == 1025\n", "GRID_WIDTH: out of range: 1025 (at most 1024)"},
        {"GRID_HEIGHT == 2000000000\n", "GRID_HEIGHT: out of range: 2000000000 (at most 1024)"},
        {"GRID_WIDTH == 4\nGRID_HEIGHT == 4\nNUM_PLAYERS == 5\n",
         "NUM_PLAYERS: out of range: 5 (at most 4 players on the 4 x 4 grid)"},
        {"NUM_PLAYERS == 2147483647\n", "NUM_PLAYERS: out of range: 2147483647 (at most"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        settings(c.settings);
        try {
            MainLogic logic(manager.get());
            ADD_FAILURE() << "not refused";
        } catch (const std::domain_error& error) {
            EXPECT_EQ(0u, std::string(error.what()).find(c.message)) << error.what();
        }
    }

    // The largest accepted arena, full of players, still plays.
    settings("GRID_WIDTH == 1024\nGRID_HEIGHT == 4\nNUM_PLAYERS == 2044\n");
    MainLogic logic(manager.get());
    logic.onEnter("", "");
    EXPECT_FALSE(play(logic).empty());
}

TEST_F(MainLogicTest, MatchStartBuildsTheWallRingAndPlacesTheTwoFixedPlayers)
{
    settings("GRID_WIDTH == 2\nGRID_HEIGHT == 3\nMOVE_TIME == 33.5\n");
    MainLogic logic(manager.get());
    logic.onEnter("TITLE", "*");

    // Ring of a 4 x 4 grid, plus the two players' cells.
    const std::string expected = "1111"
                                 "1101"
                                 "1011"
                                 "1111";
    std::string grid;
    for (int i = 0; i < 16; ++i) {
        grid += logic.getGrid()[i] == MainLogic::BLOCKED ? '1' : '0';
    }
    EXPECT_EQ(expected, grid);
    EXPECT_EQ(1, logic.getPlayer(0).x);
    EXPECT_EQ(1, logic.getPlayer(0).y);
    EXPECT_EQ(MainLogic::RIGHT, logic.getPlayer(0).heading);
    EXPECT_EQ(2, logic.getPlayer(1).x);
    EXPECT_EQ(2, logic.getPlayer(1).y);
    EXPECT_EQ(MainLogic::LEFT, logic.getPlayer(1).heading);
    EXPECT_TRUE(logic.getPlayer(0).alive && logic.getPlayer(1).alive);
    EXPECT_FLOAT_EQ(33.5f, logic.getStepTimer());
    EXPECT_EQ("", logic.getResult());
}

TEST_F(MainLogicTest, TheArenaViewIsMadeAtTheFirstMatchAndKeptUntilTheStateGoes)
{
    auto* logic = new MainLogic(manager.get());
    EXPECT_EQ(nullptr, logic->getView());
    logic->onEnter("", "");
    Tool::MainView* view = logic->getView();
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(manager->getViewManager()->viewStillValid(view));

    play(*logic);
    logic->onEnter("RUNNING", "*");
    EXPECT_EQ(view, logic->getView()) << "a second match makes no second view";

    delete logic;
    EXPECT_FALSE(manager->getViewManager()->viewStillValid(view));
}

TEST_F(MainLogicTest, RandomPlayersStartInsideTheFreeAreaEvenWhenTheGeneratorGivesOne)
{
    // 230204178 makes the generator's first number exactly 1.0, which the
    // start formula alone would turn into a column on the wall ring.
    settings("GAME_SEED == 230204178\nNUM_PLAYERS == 3\n");
    MainLogic first(manager.get());
    first.onEnter("", "");
    EXPECT_EQ(first.getGridWidth() - 2, first.getPlayer(2).x);

    // Many seeds and crowded arenas: every start is inside, and the heading
    // follows the start column.
    for (unsigned seed = 1; seed < 40; ++seed) {
        SCOPED_TRACE(seed);
        settings("GRID_WIDTH == 9\nGRID_HEIGHT == 6\nNUM_PLAYERS == 28\nGAME_SEED == " +
                 std::to_string(seed) + "\n");
        MainLogic logic(manager.get());
        logic.onEnter("", "");
        for (int k = 2; k < logic.getPlayerCount(); ++k) {
            const MainLogic::Player& p = logic.getPlayer(k);
            EXPECT_TRUE(p.x >= 1 && p.x <= 7 && p.y >= 1 && p.y <= 4) << p.x << "," << p.y;
            EXPECT_EQ(p.x / 2 == 1 ? MainLogic::RIGHT : MainLogic::LEFT, p.heading);
        }
    }
}

TEST_F(MainLogicTest, StepTiming)
{
    struct Case {
        const char* moveTime;
        std::vector<float> frames;
        std::vector<bool> steps; // whether each frame played a step
    };
    const Case cases[] = {
        // Exactly 0 left is no step yet; the next frame takes it below.
        {"10", {4, 6, 0.5f}, {false, false, true}},
        // A huge frame plays one step; the overshoot is dropped.
        {"10", {1000, 9, 2}, {true, false, true}},
        {"0", {0, 0.001f, 0, 5}, {false, true, false, true}},
        {"-1", {0, 0, 0}, {true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("MOVE_TIME ") + c.moveTime);
        settings(std::string("GRID_WIDTH == 40\nMOVE_TIME == ") + c.moveTime + "\n");
        MainLogic logic(manager.get());
        logic.onEnter("", "");
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            const int before = logic.getPlayer(0).x;
            logic.onUpdate(c.frames[i]);
            EXPECT_EQ(c.steps[i], logic.getPlayer(0).x != before) << "frame " << i;
        }
    }
}

TEST_F(MainLogicTest, SteeringKeysTheLaterOneWins)
{
    struct Case {
        std::vector<unsigned char> held;
        int heading;
    };
    const Case cases[] = {
        {{}, MainLogic::RIGHT},
        {{CODE_UP}, MainLogic::UP},
        {{CODE_DOWN}, MainLogic::DOWN},
        {{CODE_UP, CODE_DOWN}, MainLogic::DOWN},
        {{CODE_DOWN, CODE_LEFT}, MainLogic::LEFT},
        {{CODE_UP, CODE_LEFT, CODE_DOWN, CODE_RIGHT}, MainLogic::RIGHT},
        {{CODE_UP, CODE_LEFT}, MainLogic::LEFT},
    };
    settings("GRID_WIDTH == 40\nGRID_HEIGHT == 40\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        MainLogic logic(manager.get());
        logic.onEnter("", "");
        for (unsigned char code : c.held) {
            key(code, true);
        }
        logic.onUpdate(11);
        for (unsigned char code : c.held) {
            key(code, false);
        }
        EXPECT_EQ(c.heading, logic.getPlayer(0).heading);
    }
}

TEST_F(MainLogicTest, KeySettingsThatNameNoKeyCannotSteer)
{
    for (const char* setting :
         {"KEY_MOVE_UP == up\n", "KEY_MOVE_UP ==\n", "KEY_MOVE_UP == NO SUCH KEY\n"}) {
        SCOPED_TRACE(setting);
        settings(setting);
        MainLogic logic(manager.get());
        logic.onEnter("", "");
        key(CODE_UP, true);
        key(0, true);
        logic.onUpdate(11);
        key(CODE_UP, false);
        key(0, false);
        EXPECT_EQ(MainLogic::RIGHT, logic.getPlayer(0).heading);
    }
}

TEST_F(MainLogicTest, KeyCodesAreReadOnceAtTheFirstStep)
{
    MainLogic logic(manager.get());
    logic.onEnter("", "");
    logic.onUpdate(11);
    CFG::getDefaultOverrides()->add("KEY_MOVE_UP", "w");
    key('w', true);
    logic.onUpdate(11);
    EXPECT_EQ(MainLogic::RIGHT, logic.getPlayer(0).heading);
    key(CODE_UP, true);
    logic.onUpdate(11);
    EXPECT_EQ(MainLogic::UP, logic.getPlayer(0).heading);
}

TEST_F(MainLogicTest, ComputerDecisionTable)
{
    using H = MainLogic::Heading;
    struct Case {
        int heading, r, chance;
        std::set<int> blocked;
        int expected;
    };
    const Case cases[] = {
        // Random turns: even draws turn one way, odd draws the other.
        {H::UP, 4, 5, {}, H::RIGHT},
        {H::DOWN, 4, 5, {}, H::LEFT},
        {H::LEFT, 0, 5, {}, H::UP},
        {H::RIGHT, 2, 5, {}, H::DOWN},
        {H::UP, 3, 5, {}, H::LEFT},
        {H::DOWN, 1, 5, {}, H::RIGHT},
        {H::LEFT, 3, 5, {}, H::DOWN},
        {H::RIGHT, 1, 5, {}, H::UP},
        // No turn unless the draw is below the chance.
        {H::UP, 5, 5, {}, H::UP},
        {H::UP, 0, 0, {}, H::UP},
        {H::UP, 100, 101, {}, H::RIGHT},
        // Blocked ahead: first way out, then second, then into the wall.
        {H::UP, 50, 0, {H::UP}, H::LEFT},
        {H::UP, 50, 0, {H::UP, H::LEFT}, H::RIGHT},
        {H::UP, 50, 0, {H::UP, H::LEFT, H::RIGHT}, H::RIGHT},
        {H::DOWN, 50, 0, {H::DOWN}, H::RIGHT},
        {H::DOWN, 50, 0, {H::DOWN, H::RIGHT}, H::LEFT},
        {H::LEFT, 50, 0, {H::LEFT}, H::DOWN},
        {H::LEFT, 50, 0, {H::LEFT, H::DOWN}, H::UP},
        {H::RIGHT, 50, 0, {H::RIGHT}, H::UP},
        {H::RIGHT, 50, 0, {H::RIGHT, H::UP}, H::DOWN},
        // The look-ahead checks the heading after the random turn.
        {H::UP, 4, 5, {H::RIGHT}, H::UP},
        {H::UP, 4, 5, {H::RIGHT, H::UP}, H::DOWN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "heading " << c.heading << " r " << c.r << " chance "
                                          << c.chance << " blocked " << c.blocked.size());
        EXPECT_EQ(c.expected, MainLogic::decideHeading(c.heading, c.r, c.chance, [&](int h) {
                      return c.blocked.count(h) != 0;
                  }));
    }
}

// Scenarios on small grids with "TURN_CHANCE" 0: keys held for given steps.
struct Scenario {
    const char* name;
    const char* settings;
    std::vector<std::vector<unsigned char>> keysPerStep;
    std::string result;
    int steps;
};

TEST_F(MainLogicTest, CollisionScenarios)
{
    const Scenario scenarios[] = {
        // 12 x 4: player 0 weaves down, right, up, right into (5, 1) while
        // player 1, boxed in at (5, 2) by the wall below and player 0's
        // trail ahead, is left with the way up into that same cell.
        {"same cell",
         "GRID_WIDTH == 12\nGRID_HEIGHT == 4\n",
         {{CODE_DOWN}, {CODE_RIGHT}, {CODE_UP}, {CODE_RIGHT}},
         "WIN=0",
         4},
        // 4 x 4: player 0 runs into the wall; player 1, boxed in, turns up
        // into player 0's start cell: both out in one step.
        {"both out", "GRID_WIDTH == 4\nGRID_HEIGHT == 4\n", {{}, {}}, "DRAW", 2},
        // Holding the key opposite to the heading: into its own trail.
        {"reverse", "GRID_WIDTH == 16\nGRID_HEIGHT == 16\n", {{}, {CODE_LEFT}}, "WIN=1", 2},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        settings(s.settings);
        MainLogic logic(manager.get());
        logic.onEnter("", "");
        int steps = 0;
        while (logic.getResult().empty() && steps < 100) {
            const std::vector<unsigned char> held = steps < static_cast<int>(s.keysPerStep.size())
                                                        ? s.keysPerStep[steps]
                                                        : std::vector<unsigned char>{};
            for (unsigned char code : held) {
                key(code, true);
            }
            EXPECT_EQ(logic.getResult(), logic.onUpdate(11));
            for (unsigned char code : held) {
                key(code, false);
            }
            ++steps;
        }
        EXPECT_EQ(s.result, logic.getResult());
        EXPECT_EQ(s.steps, steps);
    }
}

TEST_F(MainLogicTest, APlayerThatIsOutStaysOnTheCellItRanInto)
{
    // The "same cell" scenario: both end on (5, 1), the winner and the loser.
    settings("GRID_WIDTH == 12\nGRID_HEIGHT == 4\n");
    MainLogic logic(manager.get());
    logic.onEnter("", "");
    for (unsigned char code : {CODE_DOWN, CODE_RIGHT, CODE_UP, CODE_RIGHT}) {
        key(code, true);
        logic.onUpdate(11);
        key(code, false);
    }
    ASSERT_EQ("WIN=0", logic.getResult());
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(k == 0, logic.getPlayer(k).alive);
        EXPECT_EQ(5, logic.getPlayer(k).x);
        EXPECT_EQ(1, logic.getPlayer(k).y);
    }
}

TEST_F(MainLogicTest, AFinishedMatchKeepsItsGridPrintsItsResultOnceAndIsReplayedByTheNextEntry)
{
    settings("GRID_WIDTH == 4\nGRID_HEIGHT == 4\n");
    MainLogic logic(manager.get());
    logic.onEnter("", "");
    EXPECT_EQ("DRAW", play(logic));
    const std::vector<unsigned char> final(logic.getGrid(), logic.getGrid() + 16);
    const int x0 = logic.getPlayer(0).x;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ("DRAW", logic.onUpdate(1000));
    }
    EXPECT_EQ(final, std::vector<unsigned char>(logic.getGrid(), logic.getGrid() + 16));
    EXPECT_EQ(x0, logic.getPlayer(0).x);
    EXPECT_EQ("DRAW\n", printed());

    logic.onEnter("RUNNING", "*");
    EXPECT_EQ("", logic.getResult());
    EXPECT_EQ(1, logic.getPlayer(0).x);
    EXPECT_EQ(14, blockedCells(logic)) << "the ring and the two start cells";
    EXPECT_EQ("DRAW", play(logic));
    EXPECT_EQ("DRAW\nDRAW\n", printed());
}

TEST_F(MainLogicTest, PlayersNeverLeaveTheGrid)
{
    // Busy matches with many random turns on assorted arenas: living players
    // stay in the free area, and players that are out sit at most on the
    // ring. Under AddressSanitizer this also proves no access outside.
    for (unsigned seed = 1; seed <= 30; ++seed) {
        const int width = 4 + static_cast<int>(seed % 7);
        const int height = 4 + static_cast<int>((seed * 3) % 5);
        const int players = 2 + static_cast<int>(seed % ((width - 2) * (height - 2) - 1));
        SCOPED_TRACE(::testing::Message()
                     << seed << ": " << width << "x" << height << " " << players);
        settings("GRID_WIDTH == " + std::to_string(width) + "\nGRID_HEIGHT == " +
                 std::to_string(height) + "\nNUM_PLAYERS == " + std::to_string(players) +
                 "\nTURN_CHANCE == 60\nGAME_SEED == " + std::to_string(seed) + "\n");
        MainLogic logic(manager.get());
        for (int match = 0; match < 3; ++match) {
            logic.onEnter("", "");
            for (int step = 0; step < 500 && logic.getResult().empty(); ++step) {
                logic.onUpdate(11);
                for (int k = 0; k < players; ++k) {
                    const MainLogic::Player& p = logic.getPlayer(k);
                    const int margin = p.alive ? 1 : 0;
                    ASSERT_TRUE(p.x >= margin && p.x < width - margin && p.y >= margin &&
                                p.y < height - margin)
                        << "player " << k << " at " << p.x << "," << p.y;
                }
            }
            EXPECT_NE("", logic.getResult());
        }
    }
}

TEST_F(MainLogicTest, SameSeedSameKeysSameMatchesAndLaterMatchesContinueTheSequences)
{
    settings("GRID_WIDTH == 30\nGRID_HEIGHT == 20\nNUM_PLAYERS == 5\nTURN_CHANCE == 20\n");
    auto playMatches = [this](std::vector<std::string>& results,
                              std::vector<std::vector<unsigned char>>& grids) {
        MainLogic logic(manager.get());
        for (int match = 0; match < 3; ++match) {
            logic.onEnter("", "");
            for (int step = 0; logic.getResult().empty(); ++step) {
                const bool turn = step % 7 == 3;
                if (turn) {
                    key(step % 2 ? CODE_DOWN : CODE_UP, true);
                }
                logic.onUpdate(11);
                if (turn) {
                    key(CODE_DOWN, false);
                    key(CODE_UP, false);
                }
            }
            results.push_back(logic.getResult());
            grids.emplace_back(logic.getGrid(), logic.getGrid() + 600);
        }
    };
    std::vector<std::string> firstResults, secondResults;
    std::vector<std::vector<unsigned char>> firstGrids, secondGrids;
    playMatches(firstResults, firstGrids);
    playMatches(secondResults, secondGrids);
    EXPECT_EQ(firstResults, secondResults);
    EXPECT_EQ(firstGrids, secondGrids);
    EXPECT_NE(firstGrids[0], firstGrids[1]) << "the second match continues the sequences";
}

} // namespace
