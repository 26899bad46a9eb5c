// The whole program — settings, start-up, title, matches, teardown — run
// on the headless platform: a fixed frame time, scripted keys, no display.
#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Game/Headless/HeadlessPlatform.h"
#include "Game/LogicController.h"
#include "Support/GlobalStateGuard.h"
#include "Support/ProgramRun.h"
#include "Support/TempDir.h"
#include "Support/WorkingDirectory.h"
#include "app/MainLogic.h"
#include "app/MainView.h"
#include "app/VektraGame.h"

using TestSupport::TempDir;

namespace {

using Game::HeadlessApp;
using Input = HeadlessApp::Input;

constexpr unsigned char SPACE = 32;
constexpr unsigned char ESC = 27;

// Settings for quick matches: a step every frame of 16 ms, a 12 x 9 arena.
const char* const SETTINGS = "SCREEN_WIDTH == 240\n"
                             "SCREEN_HEIGHT == 180\n"
                             "CLEAR_COLOR == 0x203040FF\n"
                             "FRAME_RATE == 60\n"
                             "FRAME_SKIP == 5\n"
                             "GAME_SPEED == 1.0\n"
                             "GRID_WIDTH == 12\n"
                             "GRID_HEIGHT == 9\n"
                             "NUM_PLAYERS == 4\n"
                             "MOVE_TIME == 10\n"
                             "TURN_CHANCE == 30\n"
                             "GAME_SEED == 777\n"
                             "FLASH_TIME == 100\n"
                             "KEY_MOVE_UP == UP\n"
                             "KEY_MOVE_DOWN == DOWN\n"
                             "KEY_MOVE_LEFT == LEFT\n"
                             "KEY_MOVE_RIGHT == RIGHT\n";

// What one run left behind: how it ended and what it printed, and what
// the game held when the platform looked inside.
struct GameRun : TestSupport::Outcome {
    int framesRun = 0;
    bool limitReached = false;
    bool inspected = false;
    std::vector<unsigned char> grid;
    int playerCount = 0;
    bool viewStillShown = false;
    std::string infoVbos;
    int textureSize2D = 0;
};

class HeadlessGameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(workingDirectory.entered());
        dir.write("vektra.cfg", SETTINGS);
    }

    // Runs the program as main() would (inside CFG::guardedMain) with the
    // arguments, on a headless platform with the script.
    GameRun run(std::vector<std::string> args, const std::vector<Input>& script,
                const Game::GameDefinition& game = Game::gameDefinition())
    {
        GameRun outcome;
        CFG::getDefaultOverrides()->reset();
        global.forget();
        Game::HeadlessPlatform platform(
            0.016, script, 5000, [&](Game::GameManager& manager) { inspect(manager, outcome); });
        args.insert(args.begin(), "vektra");
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(&arg[0]);
        }
        outcome.exitCode = CFG::guardedMain([&] {
            return Game::startGame(static_cast<int>(argv.size()), argv.data(), game, platform);
        });
        outcome.out = global.printed();
        outcome.err = global.errors();
        outcome.framesRun = platform.getFramesRun();
        outcome.limitReached = platform.reachedFrameLimit();
        // Start-up installs a keyboard for the rest of the process; the
        // next run installs its own.
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
        return outcome;
    }

    static void inspect(Game::GameManager& manager, GameRun& outcome)
    {
        auto* logic = dynamic_cast<Game::LogicController*>(manager.getLogicController());
        ASSERT_NE(nullptr, logic);
        auto* match = Tool::matchState(*logic);
        ASSERT_NE(nullptr, match);
        outcome.inspected = true;
        const int cells = match->getGridWidth() * match->getGridHeight();
        outcome.grid.assign(match->getGrid(), match->getGrid() + cells);
        outcome.playerCount = match->getPlayerCount();
        outcome.viewStillShown = match->getView() != nullptr &&
                                 manager.getViewManager()->viewStillValid(match->getView());
        outcome.infoVbos = CFG::getDefaultOverrides()->get("INFO_HAVE_VBOS");
        outcome.textureSize2D = manager.getRenderController()->getAbility(8);
    }

    static std::vector<Input> press(int frame, unsigned char key)
    {
        return {Input::keyDown(frame, key), Input::keyUp(frame + 6, key)};
    }

    // Two matches (each over well within 150 frames), then Escape.
    static std::vector<Input> twoMatches()
    {
        std::vector<Input> script;
        for (auto part : {press(3, SPACE), press(200, SPACE), press(400, ESC)}) {
            script.insert(script.end(), part.begin(), part.end());
        }
        return script;
    }

    TestSupport::GlobalStateGuard global;
    TempDir dir;
    TestSupport::WorkingDirectory workingDirectory{dir.dir()};
};

TEST_F(HeadlessGameTest, TitleMatchesAndEscapeRunToANormalEnd)
{
    const GameRun outcome = run({}, twoMatches());
    EXPECT_EQ(0, outcome.exitCode);
    EXPECT_EQ("", outcome.err);
    EXPECT_FALSE(outcome.limitReached) << "Escape on the title screen must end the loop";
    // Escape is held from frame 400: the quit comes in the next frame.
    EXPECT_EQ(402, outcome.framesRun);
    ASSERT_TRUE(outcome.inspected);
    // One line per match, each exactly the match's result.
    std::istringstream printed(outcome.out);
    std::string line;
    int matches = 0;
    while (std::getline(printed, line)) {
        ++matches;
        EXPECT_TRUE(line == "DRAW" || line.rfind("WIN=", 0) == 0) << line;
    }
    EXPECT_EQ(2, matches);
    EXPECT_TRUE(outcome.viewStillShown) << "the last grid stays visible behind the title";
}

TEST_F(HeadlessGameTest, SameSeedAndSameInputGiveTheSameMatchesRunAfterRun)
{
    const GameRun first = run({}, twoMatches());
    const GameRun second = run({}, twoMatches());
    ASSERT_TRUE(first.inspected && second.inspected);
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(first.grid, second.grid);

    // Another seed plays other matches.
    const GameRun other = run({"GAME_SEED==778"}, twoMatches());
    EXPECT_NE(first.grid, other.grid);
}

TEST_F(HeadlessGameTest, CommandLineOverridesAndExtraSettingsFiles)
{
    dir.write("extra.cfg", "NUM_PLAYERS == 5\n");
    dir.write("empty.cfg", "");
    dir.write("SETTINGS_mine.cfg", "NUM_PLAYERS == 6\n");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        int players;
    };
    const Case cases[] = {
        {{}, 0, 4},
        {{"NUM_PLAYERS==3"}, 0, 3},
        {{"extra.cfg"}, 0, 5},
        {{"extra.cfg", "NUM_PLAYERS == 7"}, 0, 7},
        {{"SETTINGS_mine.cfg", "extra.cfg"}, 0, 6},
        {{"-NUM_PLAYERS==3", "NUM_PLAYERS==3==4"}, 0, 4},
        {{"missing.cfg"}, 1, 0},
        {{"empty.cfg", "NUM_PLAYERS==3"}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.args.size() << " args, first " << (c.args.empty() ? "" : c.args[0]));
        const GameRun outcome = run(c.args, press(1, ESC));
        EXPECT_EQ(c.exitCode, outcome.exitCode);
        EXPECT_EQ("", outcome.out);
        EXPECT_EQ("", outcome.err);
        EXPECT_EQ(c.exitCode == 0, outcome.inspected) << "nothing is built for exit code 1";
        EXPECT_EQ(c.players, outcome.playerCount);
    }
}

TEST_F(HeadlessGameTest, UnusableSettingsEndWithTheirMessageAndExitCodeTwo)
{
    struct Case {
        const char* setting;
        std::vector<Input> script;
        const char* message;
    };
    const Case cases[] = {
        // Judged at start-up, even those read once a match starts.
        {"FRAME_RATE==fast", press(1, ESC),
         "FRAME_RATE: not a number: Cant convert String to Num:fast\n"},
        {"CLEAR_COLOR==blue", press(1, ESC),
         "CLEAR_COLOR: not a number: Cant convert String to Num:blue\n"},
        {"INFO_MAX_TEXTURE_SIZE_2D==big", press(1, ESC),
         "INFO_MAX_TEXTURE_SIZE_2D: not a number: Cant convert String to Num:big\n"},
        {"NUM_PLAYERS==many", press(1, ESC),
         "NUM_PLAYERS: not a number: Cant convert String to Num:many\n"},
        {"GRID_WIDTH==5000", press(1, ESC), "GRID_WIDTH: out of range: 5000 (at most 1024)\n"},
        {"NUM_PLAYERS==71", press(1, ESC),
         "NUM_PLAYERS: out of range: 71 (at most 70 players on the 12 x 9 grid)\n"},
        {"MOVE_TIME==soon", press(3, SPACE),
         "MOVE_TIME: not a number: Cant convert String to Num:soon\n"},
        {"FLASH_TIME==often", press(3, SPACE),
         "FLASH_TIME: not a number: Cant convert String to Num:often\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        const GameRun outcome = run({c.setting}, c.script);
        EXPECT_EQ(2, outcome.exitCode);
        EXPECT_EQ(c.message, outcome.err);
        EXPECT_FALSE(outcome.inspected) << "the loop never ended normally";
    }
}

// The game's own number settings say which setting (and which entry of a
// list) is wrong, and call a number too large for its type out of range.
TEST_F(HeadlessGameTest, BadNumbersOfTheGamesOwnSettingsNameTheSetting)
{
    const std::string NOT_A_NUMBER = "not a number: Cant convert String to Num:";
    const std::pair<const char*, std::string> cases[] = {
        {"PLAYER_COLORS==0x1, zz", "PLAYER_COLORS entry 2: " + NOT_A_NUMBER + "zz\n"},
        {"PLAYER_COLORS==0xFF0000FF, -1", "PLAYER_COLORS entry 2: out of range: -1\n"},
        {"PLAYER_COLORS==0x1FF0000FF", "PLAYER_COLORS entry 1: out of range: 0x1FF0000FF\n"},
        {"HUMAN_PLAYERS==two", "HUMAN_PLAYERS: " + NOT_A_NUMBER + "two\n"},
        {"HUMAN_PLAYERS==99999999999",
         "HUMAN_PLAYERS: out of range: Cant convert String to Num:99999999999\n"},
    };
    for (const auto& [setting, message] : cases) {
        SCOPED_TRACE(setting);
        const GameRun outcome = run({setting}, press(3, SPACE));
        EXPECT_EQ(2, outcome.exitCode);
        EXPECT_EQ(message, outcome.err);
    }
}

TEST_F(HeadlessGameTest, StartUpReadsItsSettingsInItsOrder)
{
    // Of two unusable settings, the one read first is the one reported.
    const char* const order[] = {"FRAME_SKIP",
                                 "FRAME_RATE",
                                 "BASE_SCREEN_HEIGHT",
                                 "BASE_SCREEN_WIDTH",
                                 "GAME_SPEED",
                                 "CLEAR_COLOR",
                                 "SCREEN_HEIGHT",
                                 "SCREEN_WIDTH",
                                 "FOV",
                                 "MAX_Z",
                                 "MIN_Z",
                                 "INFO_HAVE_SHADERS",
                                 "INFO_HAVE_RTT",
                                 "INFO_HAVE_VBOS",
                                 "INFO_HAVE_FBOS",
                                 "INFO_HAVE_PBOS",
                                 "INFO_HAVE_FLOAT_TEX",
                                 "INFO_HAVE_FRAME_BLIT",
                                 "INFO_MAX_PBO_SIZE",
                                 "GRID_WIDTH",
                                 "GRID_HEIGHT",
                                 "NUM_PLAYERS"};
    for (std::size_t i = 0; i + 1 < sizeof order / sizeof order[0]; ++i) {
        SCOPED_TRACE(std::string(order[i]) + " before " + order[i + 1]);
        const GameRun outcome =
            run({std::string(order[i + 1]) + "==second", std::string(order[i]) + "==first"},
                press(1, ESC));
        EXPECT_EQ(2, outcome.exitCode);
        EXPECT_EQ(std::string(order[i]) + ": not a number: Cant convert String to Num:first\n",
                  outcome.err);
    }
}

TEST_F(HeadlessGameTest, AbilitiesArePublishedAndSettingsOverrideThem)
{
    // The headless controller detects nothing: every ability is published
    // as 0, unless a setting gives it a value.
    GameRun outcome = run({}, press(1, ESC));
    EXPECT_EQ("0", outcome.infoVbos);
    EXPECT_EQ(0, outcome.textureSize2D);
    for (const char* value : {"0x800", "2048"}) {
        SCOPED_TRACE(value);
        outcome = run({std::string("INFO_MAX_TEXTURE_SIZE_2D==") + value}, press(1, ESC));
        EXPECT_EQ(2048, outcome.textureSize2D);
    }
}

TEST_F(HeadlessGameTest, GlobalKeysAreCopiedIntoTheOverridesUnlessAlreadySet)
{
    dir.write("vektra.cfg", std::string(SETTINGS) + "GLOBAL_KEYS == GAME_SEED, TURN_CHANCE\n");
    run({"TURN_CHANCE==9"}, press(1, ESC));
    EXPECT_EQ("777", CFG::getDefaultOverrides()->get("GAME_SEED"));
    EXPECT_EQ("9", CFG::getDefaultOverrides()->get("TURN_CHANCE"));
    EXPECT_EQ("", CFG::getDefaultOverrides()->get("GRID_WIDTH"));
}

TEST_F(HeadlessGameTest, ACloseRequestEndsTheProgramNormallyEvenDuringAMatch)
{
    std::vector<Input> script = press(3, SPACE);
    script.push_back(Input::close(8));
    const GameRun outcome = run({}, script);
    EXPECT_EQ(0, outcome.exitCode);
    EXPECT_FALSE(outcome.limitReached);
    EXPECT_EQ(9, outcome.framesRun);
    EXPECT_EQ("", outcome.out) << "the match was cut short, it has no result";
}

TEST_F(HeadlessGameTest, AMissingRequiredAbilityAbortsFromTheStartUpRoutine)
{
    Game::GameDefinition game = Game::gameDefinition();
    game.title = "Demo";
    game.requiredAbilities = " HAVE_VBOS ,HAVE_SHADERS";
    auto start = [&game](std::vector<std::string> args) {
        Game::HeadlessPlatform platform(0.016, press(1, ESC), 100);
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(&arg[0]);
        }
        return Game::startGame(static_cast<int>(argv.size()), argv.data(), game, platform);
    };
    global.capture(false); // the ABORT report goes to the real error stream
    EXPECT_EXIT(start({"vektra", "INFO_HAVE_VBOS==1"}), ::testing::KilledBySignal(SIGABRT),
                "ABORT: Func:int main\\(int, char\\*\\*\\) File:lib/Game/GAME_MAIN Line: [0-9]+\n"
                "ABORT: Demo requires support for HAVE_SHADERS");
    // Both reported present: the game runs.
    global.capture(true);
    EXPECT_EQ(0, run({"INFO_HAVE_VBOS==1", "INFO_HAVE_SHADERS==1"}, press(1, ESC), game).exitCode);
}

} // namespace
