#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "Support/ProgramRun.h"
#include "Support/TempDir.h"
#include "Support/XServer.h"

using TestSupport::Outcome;
using TestSupport::ProgramRun;
using TestSupport::TempDir;
using TestSupport::waitUntil;
using TestSupport::XServer;

// Bad settings and arguments given to the real game on an X server of its
// own. Each run waits for the window, plays a match to its printed result
// when the row asks for it, then presses ESC until the title screen ends
// the game.
// Each row says how the run must end (exit code, error text as a regular
// expression); no row may end in a signal, a time-out or a core file.

#ifndef VEKTRA_GAME

TEST(GameBadInput, NeedsTheGame)
{
    GTEST_SKIP() << "the game executable is not part of this build";
}

#else

namespace {

// Results the game prints, one per match.
const std::string RESULTS = "((DRAW|WIN=[0-9]+)\n)*";
const std::string NOT_A_NUMBER = "Cant convert String to Num:";

// Hostile: the shipped file followed by a 10 MB line, NUL bytes, a
// self-include, reference cycles and a quoted value that never closes.
// Oversized: the shipped file with an overrides file past the size limit.
enum class Settings { Shipped, Hostile, Missing, Empty, Directory, Oversized };

struct Row {
    const char* name;
    std::vector<std::string> args;
    int code;
    std::string err;
    bool playMatch = true;
    Settings settings = Settings::Shipped;
    std::string out = RESULTS;
};

// A small window and arena with fast steps, so that a match ends quickly.
const std::vector<std::string> QUICK = {
    "SCREEN_WIDTH==320",   "SCREEN_HEIGHT==240",   "GRID_WIDTH==16",  "GRID_HEIGHT==12",
    "NUM_PLAYERS==2",      "MOVE_TIME==10",        "KEY_MOVE_UP==UP", "KEY_MOVE_DOWN==DOWN",
    "KEY_MOVE_LEFT==LEFT", "KEY_MOVE_RIGHT==RIGHT"};

std::vector<std::string> quick(std::vector<std::string> more)
{
    std::vector<std::string> args = QUICK;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string shippedSettings()
{
    std::ifstream file(VEKTRA_SHIPPED_CFG, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void prepare(const TempDir& dir, Settings settings)
{
    switch (settings) {
    case Settings::Shipped:
        dir.write("vektra.cfg", shippedSettings());
        break;
    case Settings::Empty:
        dir.write("vektra.cfg", "");
        break;
    case Settings::Directory:
        ::mkdir(dir.path("vektra.cfg").c_str(), 0700);
        break;
    case Settings::Hostile:
        dir.write("vektra.cfg", shippedSettings() + "BIG == " + std::string(10u << 20, 'x') + "\n" +
                                    std::string("N\0UL == 1\n", 10) +
                                    "<INCLUDE == vektra.cfg\nA == ::B::\nB == ::A::\n"
                                    "SELF ?? SELF\n* == >>SELF\nSELF\nOPEN == \"never closed\n");
        break;
    case Settings::Missing:
        break;
    case Settings::Oversized:
        dir.write("vektra.cfg", shippedSettings());
        ::truncate(dir.write("SETTINGS_vektra.cfg", "").c_str(), (16 << 20) + 1);
        break;
    }
    ::mkdir(dir.path("folder.cfg").c_str(), 0700);
}

// A row takes as long as the game needs: under a second for most, a few
// seconds for the 1024 x 1024 grid on a fresh machine; the limit is far
// above that, so that a loaded machine does not fail a row.
const double ROW_TIME_LIMIT_SECONDS = 60;
const int ROW_TIME_LIMIT_MS = static_cast<int>(ROW_TIME_LIMIT_SECONDS * 1000);

// Every wait is on what the game shows (its window, its output, its end),
// pressing keys meanwhile where the game has to answer them, so that a row
// takes as long as the game needs and no longer.
Outcome play(const XServer& display, const Row& row, const TempDir& dir)
{
    ProgramRun game(VEKTRA_GAME, dir.dir());
    game.timeLimit(ROW_TIME_LIMIT_SECONDS)
        .environment("DISPLAY=" + display.display())
        .sanitizerPreload();
    game.start(row.args);
    // The window is found once it is mapped and has taken the focus; a game
    // that ends first (a refused setting, after the window opened or not)
    // is not waited for.
    const bool focused = waitUntil(
        [&] {
            return !game.running() ||
                   display.xdotool("search --onlyvisible --name '^Vektra$' windowfocus --sync");
        },
        ROW_TIME_LIMIT_MS);
    if (focused && game.running()) {
        if (row.playMatch) {
            // Space starts a match on the title; player 0 starts heading
            // right, so Left turns it back into its own trail and ends the
            // match at once, whatever the arena's size. Both are pressed in
            // turn until the game prints the match's result: the title may
            // not be up yet, and a slow first frame of a large arena can
            // swallow a press (Left does nothing on the title).
            const auto resultOrEnd = [&] { return !game.running() || !game.output().empty(); };
            waitUntil(resultOrEnd, ROW_TIME_LIMIT_MS, [&] {
                display.xdotool("keydown space sleep 0.1 keyup space "
                                "keydown Left sleep 0.1 keyup Left");
            });
        }
        // Escape ends the game only on the title screen, so it is repeated
        // until the game has ended.
        waitUntil([&] { return !game.running(); }, ROW_TIME_LIMIT_MS,
                  [&] { display.holdKey("Escape"); });
    }
    return game.finish();
}

void checkRow(const XServer& display, const Row& row)
{
    SCOPED_TRACE(row.name);
    TempDir dir;
    prepare(dir, row.settings);
    Outcome run = play(display, row, dir);
    ASSERT_FALSE(run.timedOut) << run.err;
    ASSERT_EQ(run.signal, 0) << run.describe() << "\n" << run.err;
    EXPECT_EQ(run.exitCode, row.code) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, std::regex(row.out))) << run.out;
    if (row.playMatch && row.code == 0) {
        EXPECT_FALSE(run.out.empty()) << "no match was played";
    }
    EXPECT_TRUE(std::regex_match(run.err, std::regex(row.err))) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("core")));
}

class GameBadInput : public ::testing::Test {
protected:
    static void SetUpTestSuite() { display = new XServer(XServer::PRIVATE); }
    static void TearDownTestSuite()
    {
        delete display;
        display = nullptr;
    }
    void SetUp() override
    {
        if (!display->ready()) {
            GTEST_SKIP() << "Xvfb could not be started";
        }
    }
    void checkAll(const std::vector<Row>& rows)
    {
        for (const Row& row : rows) {
            checkRow(*display, row);
        }
    }

    static XServer* display;
};

XServer* GameBadInput::display = nullptr;

} // namespace

TEST_F(GameBadInput, GridSizes)
{
    checkAll({
        {"grid 0", quick({"GRID_WIDTH==0", "GRID_HEIGHT==0"}), 0, ""},
        {"grid -5", quick({"GRID_WIDTH==-5", "GRID_HEIGHT==-5"}), 0, ""},
        {"grid 3", quick({"GRID_WIDTH==3", "GRID_HEIGHT==3"}), 0, ""},
        {"grid 100000", quick({"GRID_WIDTH==100000", "GRID_HEIGHT==100000"}), 2,
         "GRID_WIDTH: out of range: 100000 \\(at most 1024\\)\n"},
        {"grid height 2147483647", quick({"GRID_HEIGHT==2147483647"}), 2,
         "GRID_HEIGHT: out of range: 2147483647 \\(at most 1024\\)\n"},
        {"grid 1024 x 1024 is the largest", quick({"GRID_WIDTH==1024", "GRID_HEIGHT==1024"}), 0,
         ""},
        {"grid abc", quick({"GRID_WIDTH==abc"}), 2,
         "GRID_WIDTH: not a number: " + NOT_A_NUMBER + "abc\n", false},
    });
}

TEST_F(GameBadInput, PlayerCounts)
{
    checkAll({
        {"-1 players", quick({"NUM_PLAYERS==-1"}), 0, ""},
        {"0 players", quick({"NUM_PLAYERS==0"}), 0, ""},
        {"1 player", quick({"NUM_PLAYERS==1"}), 0, ""},
        {"more players than free cells", quick({"NUM_PLAYERS==141"}), 2,
         "NUM_PLAYERS: out of range: 141 \\(at most 140 players on the 16 x 12 grid\\)\n"},
        {"as many players as free cells", quick({"NUM_PLAYERS==140"}), 0, ""},
    });
}

TEST_F(GameBadInput, StepAndFlashTimes)
{
    checkAll({
        {"MOVE_TIME 0", quick({"MOVE_TIME==0"}), 0, ""},
        {"MOVE_TIME negative", quick({"MOVE_TIME==-20"}), 0, ""},
        {"MOVE_TIME abc", quick({"MOVE_TIME==abc"}), 2,
         "MOVE_TIME: not a number: " + NOT_A_NUMBER + "abc\n"},
        {"FLASH_TIME 0", quick({"FLASH_TIME==0"}), 0, ""},
        {"FLASH_TIME negative", quick({"FLASH_TIME==-5"}), 0, ""},
        {"FLASH_TIME abc", quick({"FLASH_TIME==abc"}), 2,
         "FLASH_TIME: not a number: " + NOT_A_NUMBER + "abc\n"},
    });
}

// A frame limit under one a second would leave Escape unanswered for
// minutes: refused at start-up, and so is one that is no number, by name.
TEST_F(GameBadInput, FrameLimits)
{
    const std::string UNDER_ONE = " \\(0, or 1 and more\\)\n";
    checkAll({
        {"FRAME_LIMIT fast", quick({"FRAME_LIMIT==fast"}), 2,
         "FRAME_LIMIT: not a number: " + NOT_A_NUMBER + "fast\n", false},
        {"FRAME_LIMIT 0.05", quick({"FRAME_LIMIT==0.05"}), 2,
         "FRAME_LIMIT: out of range: 0.05" + UNDER_ONE, false},
        {"FRAME_LIMIT 1e-9", quick({"FRAME_LIMIT==1e-9"}), 2,
         "FRAME_LIMIT: out of range: 1e-9" + UNDER_ONE, false},
        {"FRAME_LIMIT 30 without vertical sync", quick({"FRAME_LIMIT==30", "VSYNC_ON==NO"}), 0, ""},
    });
}

TEST_F(GameBadInput, KeysAndScreenSizes)
{
    checkAll({
        {"steering keys naming no key",
         quick({"KEY_MOVE_UP==nokey", "KEY_MOVE_DOWN==", "KEY_MOVE_LEFT==up",
                "KEY_MOVE_RIGHT==" + std::string(300, 'R')}),
         0, ""},
        {"screen 0 x 0", quick({"SCREEN_WIDTH==0", "SCREEN_HEIGHT==0"}), 0, ""},
        {"screen -5 x -5", quick({"SCREEN_WIDTH==-5", "SCREEN_HEIGHT==-5"}), 0, ""},
        {"screen huge", quick({"SCREEN_WIDTH==100000", "SCREEN_HEIGHT==100000"}), 0, ""},
    });
}

TEST_F(GameBadInput, SettingsFiles)
{
    checkAll({
        {"a hostile vektra.cfg", QUICK, 0, "", true, Settings::Hostile},
        {"a refused operator in MOVE_TIME", quick({"MOVE_TIME==EVAL:(2(3))"}), 2,
         "ABORT: Func:.*File:lib/CFG/Calculator Line: [0-9]+\nABORT: Unknown operator: \\(\n"},
        {"no vektra.cfg", {}, 0, "", false, Settings::Missing},
        {"an empty vektra.cfg", {}, 0, "", false, Settings::Empty},
        {"vektra.cfg is a directory",
         {},
         0,
         "Warning: settings file vektra.cfg exists but cannot be read; it is skipped\n",
         false,
         Settings::Directory},
        {"an overrides file over the size limit",
         {},
         2,
         "Settings file \\./SETTINGS_vektra\\.cfg is larger than the limit of 16 MiB per file\n",
         false,
         Settings::Oversized,
         ""},
        {"a missing extra settings file", {"missing.cfg"}, 1, "", false, Settings::Shipped, ""},
        {"an extra settings file that is a directory",
         {"folder.cfg"},
         1,
         "",
         false,
         Settings::Shipped,
         ""},
    });
}

#endif
