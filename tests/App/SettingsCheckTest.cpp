// One list of settings, each judged twice: by the game's own start-up, run
// headless, and by "vektra-config --check", the real program. Both must end
// with the same exit code and print, byte for byte, the same messages;
// only what the classic game keeps quiet about, and keys no part of Vektra
// reads, are said by the check alone.
#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game/Headless/HeadlessPlatform.h"
#include "Support/GlobalStateGuard.h"
#include "Support/ProgramRun.h"
#include "Support/TempDir.h"
#include "Support/WorkingDirectory.h"

namespace {

using TestSupport::Outcome;

constexpr unsigned char ESC = 27;

struct Row {
    std::vector<std::string> args;
    int code;
    std::string message;
    // Said by the check only: the game stays quiet and plays.
    bool checkOnly = false;
    // Written to extra.cfg and named first, when not empty.
    std::string extraFile = "";
};

class SettingsCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(inDir.entered());
        dir.copy("vektra.cfg", VEKTRA_SOURCE_DIR "/vektra.cfg");
    }

    // The game's start-up on the headless platform, Escape on the title.
    Outcome game(std::vector<std::string> args)
    {
        TestSupport::GlobalStateGuard global;
        Game::HeadlessPlatform platform(0.016, {Game::HeadlessApp::Input::keyDown(1, ESC)}, 100);
        args.insert(args.begin(), "vektra");
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(&arg[0]);
        }
        Outcome outcome;
        outcome.exitCode = CFG::guardedMain([&] {
            return Game::startGame(static_cast<int>(argv.size()), argv.data(),
                                   Game::gameDefinition(), platform);
        });
        outcome.err = global.errors();
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
        return outcome;
    }

    Outcome check(std::vector<std::string> args)
    {
        args.insert(args.begin(), "--check");
        return TestSupport::ProgramRun(VEKTRA_CONFIG, dir.dir()).run(args);
    }

    void judge(const std::vector<Row>& rows)
    {
        for (Row row : rows) {
            SCOPED_TRACE(row.args.back());
            if (!row.extraFile.empty()) {
                dir.write("extra.cfg", row.extraFile);
                row.args.insert(row.args.begin(), "extra.cfg");
            }
            const std::string said = row.message.empty() ? "" : row.message + "\n";
            const Outcome checked = check(row.args);
            EXPECT_EQ(row.code, checked.exitCode);
            EXPECT_EQ(said, checked.err);
            const Outcome played = game(row.args);
            EXPECT_EQ(row.code, played.exitCode);
            EXPECT_EQ(row.checkOnly ? "" : said, played.err);
        }
    }

    TestSupport::TempDir dir;
    TestSupport::WorkingDirectory inDir{dir.dir()};
};

const std::string NOT_A_NUMBER = ": not a number: Cant convert String to Num:";

TEST_F(SettingsCheckTest, RefusedValuesStopBothWithTheSameMessage)
{
    judge({
        {{"FRAME_LIMIT==0.5"}, 2, "FRAME_LIMIT: out of range: 0.5 (0, or 1 and more)"},
        {{"MOVE_TIME == fast"}, 2, "MOVE_TIME" + NOT_A_NUMBER + "fast"},
        {{"FRAME_RATE==fast"}, 2, "FRAME_RATE" + NOT_A_NUMBER + "fast"},
        {{"CLEAR_COLOR==blue"}, 2, "CLEAR_COLOR" + NOT_A_NUMBER + "blue"},
        {{"INFO_MAX_TEXTURE_SIZE_2D==big"}, 2, "INFO_MAX_TEXTURE_SIZE_2D" + NOT_A_NUMBER + "big"},
        {{"FLASH_TIME==often"}, 2, "FLASH_TIME" + NOT_A_NUMBER + "often"},
        {{"JOY_P2==pad"}, 2, "JOY_P2" + NOT_A_NUMBER + "pad"},
        {{"GRID_WIDTH==abc"}, 2, "GRID_WIDTH" + NOT_A_NUMBER + "abc"},
        {{"GRID_WIDTH==2000"}, 2, "GRID_WIDTH: out of range: 2000 (at most 1024)"},
        {{"NUM_PLAYERS==5000"},
         2,
         "NUM_PLAYERS: out of range: 5000 (at most 4524 players on the 80 x 60 grid)"},
        {{"AI_LEVEL==7"}, 2, "AI_LEVEL: out of range: 7 (0 to 4)"},
        {{"AI_LEVEL_P3==-1"}, 2, "AI_LEVEL_P3: out of range: -1 (0 to 4)"},
        {{"PLAYER_COLORS==red"}, 2, "PLAYER_COLORS entry 1" + NOT_A_NUMBER + "red"},
        {{"CONNECT==host:0"}, 2, "CONNECT: the port is no number from 1 to 65535: 0"},
    });
}

TEST_F(SettingsCheckTest, LimitedValuesAreSaidByBothAndPlayOn)
{
    judge({
        {{"HUMAN_PLAYERS==9"}, 0, "HUMAN_PLAYERS: out of range: 9 (0 to 4): using 4"},
        {{"HUMAN_PLAYERS==-2"}, 0, "HUMAN_PLAYERS: out of range: -2 (0 to 4): using 0"},
        {{"COUNTDOWN==30"}, 0, "COUNTDOWN: out of range: 30 (at most 10): using 10"},
        {{"JOY_DEADZONE==2"}, 0, "JOY_DEADZONE: out of range: 2 (0 to 0.9): using 0.9"},
        {{"JOY_P1==40"}, 0, "JOY_P1: out of range: 40 (1 to 16; 0: none): using none"},
        {{"SOUND_VOLUME==150"}, 0, "SOUND_VOLUME: out of range: 150 (0 to 100): using 100"},
        {{"SOUND == yes"}, 0, "SOUND: not a truth value: yes (YES, Y or 1; NO): using NO"},
        {{"KEY_PAUSE == P"}, 0, "KEY_PAUSE: not a key name: P (did you mean p?)"},
        {{"ARENA_DRAWING==texture"},
         0,
         "ARENA_DRAWING: not a drawing: texture (TEXTURE; anything else: squares): using squares"},
    });
}

// The classic game brings these into range, or leaves the key unused,
// without a word; the check says so.
TEST_F(SettingsCheckTest, TheClassicGameStaysQuietWhereTheCheckSpeaks)
{
    judge({
        {{"GRID_WIDTH==3"}, 0, "GRID_WIDTH: out of range: 3 (4 to 1024): using 4", true},
        {{"NUM_PLAYERS==1"}, 0, "NUM_PLAYERS: out of range: 1 (at least 2): using 2", true},
        {{"KEY_MOVE_UP==nokey"}, 0, "KEY_MOVE_UP: not a key name: nokey", true},
        {{"VSYNC_ON==yes"},
         0,
         "VSYNC_ON: not a truth value: yes (YES, Y or 1; NO): using NO",
         true},
    });
}

// A key nothing reads is a warning with the nearest known key; keys that
// are meant without being read are not.
TEST_F(SettingsCheckTest, KeysNoPartOfVektraReads)
{
    judge({
        {{"GRID_WIDHT==5"},
         0,
         "GRID_WIDHT: not a setting Vektra reads (did you mean GRID_WIDTH?)",
         true},
        {{"ai_level==1"}, 0, "ai_level: not a setting Vektra reads (did you mean AI_LEVEL?)", true},
        {{"PORT==4041", "AI_LEVEL_P9==1", "KEY_P3_LEFT==a", "INFO_ANYTHING==1"}, 0, ""},
        {{"SIZE==90"},
         0,
         "",
         false,
         "GRID_WIDTH == ::SIZE::\nTURN_CHANCE ?? LEVEL\n* == 5\nLEVEL\n<INCLUDE_MORE == none.cfg\n"
         "GLOBAL_KEYS == KEPT\nKEPT == 1\nGRID_HEIGHT == >>ALIAS\nALIAS == 40\n"},
    });
}

} // namespace
