// Gamepads steering seats, scripted through the headless platform: the heading a pad points
// to, its buttons on the title screen and in a match, and seats with pads beside seats with
// keys.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Devices/Devices.h"
#include "Devices/Joypad.h"
#include "Game/GameManager.h"
#include "Game/I_GameUpdated.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"
#include "app/MainLogic.h"
#include "app/input/PadControl.h"
#include "app/tools/HeadlessVektra.h"

namespace {

using Devices::Joypad;
using Input = Game::HeadlessApp::Input;
using Tool::MainLogic;
using Tool::PadControl;

constexpr unsigned char SPACE = 32;

TEST(PadHeadingTest, DpadFirstThenTheStickPastItsDeadZone)
{
    struct Row {
        const char* what;
        float x, y;
        std::vector<int> dpad;
        int heading;
    };
    const Row rows[] = {
        {"at rest", 0, 0, {}, PadControl::NONE},
        {"stick up", 0, -0.8f, {}, MainLogic::UP},
        {"stick right", 0.5f, 0, {}, MainLogic::RIGHT},
        {"stick left", -1, 0.1f, {}, MainLogic::LEFT},
        {"inside the dead zone", 0.2f, -0.25f, {}, PadControl::NONE},
        {"larger axis wins", 0.3f, 0.8f, {}, MainLogic::DOWN},
        {"exact diagonal", -0.7f, 0.7f, {}, PadControl::NONE},
        {"D-pad down", 0, 0, {Joypad::DPAD_DOWN}, MainLogic::DOWN},
        {"D-pad over the stick", 0, 1, {Joypad::DPAD_UP}, MainLogic::UP},
        {"D-pad diagonal", 1, 0, {Joypad::DPAD_UP, Joypad::DPAD_LEFT}, PadControl::NONE},
        {"D-pad up and down", 0, 0, {Joypad::DPAD_UP, Joypad::DPAD_DOWN}, PadControl::NONE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Joypad::Pad pad;
        pad.axes[Joypad::LEFT_X] = row.x;
        pad.axes[Joypad::LEFT_Y] = row.y;
        for (int button : row.dpad) {
            pad.buttons[button] = true;
        }
        EXPECT_EQ(row.heading, PadControl::headingOf(pad, 0.25f));
    }
}

// What the match showed at the start of each frame.
struct Frame {
    int matches;
    unsigned long steps;
    bool paused;
    std::string result;
    int headings[4];
};

class FrameLog : public Game::I_GameUpdated {
public:
    explicit FrameLog(const MainLogic& match) : match(match) {}
    void onGameUpdated(const float&) override
    {
        Frame frame{match.getMatchesStarted(),
                    match.getStepCount(),
                    match.isPaused(),
                    match.getResult(),
                    {}};
        for (int k = 0; k < 4 && k < match.getPlayerCount(); ++k) {
            frame.headings[k] = match.getPlayer(k).heading;
        }
        frames.push_back(frame);
    }
    const MainLogic& match;
    std::vector<Frame> frames;
};

// A 20 x 15 arena, four players, a step every 50 ms (about three frames): player 0 starts at
// (5, 3) heading right, player 1 at (14, 11) heading left.
std::vector<Frame> play(const std::string& extra, const std::vector<Input>& script,
                        bool* joypadInstalled = nullptr)
{
    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    const std::string settings = dir.write(
        "vektra.cfg", "SCREEN_WIDTH == 240\nSCREEN_HEIGHT == 180\nFRAME_RATE == 60\n"
                      "FRAME_SKIP == 0\nGAME_SPEED == 1.0\nGRID_WIDTH == 20\nGRID_HEIGHT == 15\n"
                      "NUM_PLAYERS == 4\nMOVE_TIME == 50\nTURN_CHANCE == 0\nGAME_SEED == 9\n"
                      "FLASH_TIME == 100\nKEY_MOVE_UP == UP\nKEY_MOVE_DOWN == DOWN\n"
                      "KEY_MOVE_LEFT == LEFT\nKEY_MOVE_RIGHT == RIGHT\n" +
                          extra);
    Tool::HeadlessVektra game(0.016, script, 60, settings);
    if (joypadInstalled != nullptr) {
        *joypadInstalled = Devices::getJoypad() != nullptr;
    }
    FrameLog log(*game.match);
    game.manager.addGameUpdated(&log);
    game.run();
    game.manager.removeGameUpdated(&log);
    return log.frames;
}

std::vector<Input> startThen(std::vector<Input> inputs)
{
    inputs.push_back(Input::keyDown(1, SPACE));
    inputs.push_back(Input::keyUp(3, SPACE));
    return inputs;
}

TEST(PadSteeringTest, PadsActOnlyForSeatsThatHaveThem)
{
    const auto up = [](int frame) { return Input::padAxis(frame, 0, Joypad::LEFT_Y, -1.0f); };
    struct Row {
        const char* what;
        std::string settings;
        std::vector<Input> script;
        std::function<bool(const Frame&)> atFrame30;
    };
    const auto started = [](const Frame& f) { return f.matches == 1; };
    const auto notStarted = [](const Frame& f) { return f.matches == 0; };
    const auto heading0 = [](int h) { return [h](const Frame& f) { return f.headings[0] == h; }; };
    const std::vector<Row> rows = {
        {"A starts from the title",
         "JOY_P1 == 1\n",
         {Input::padButton(5, 0, Joypad::BUTTON_A, true)},
         started},
        {"no pad setting: A does nothing",
         "",
         {Input::padButton(5, 0, Joypad::BUTTON_A, true)},
         notStarted},
        {"another pad's A does nothing",
         "JOY_P1 == 2\n",
         {Input::padButton(5, 0, Joypad::BUTTON_A, true)},
         notStarted},
        {"stick up turns seat 1", "JOY_P1 == 1\n", startThen({up(10)}), heading0(MainLogic::UP)},
        {"inside the dead zone it does not", "JOY_P1 == 1\nJOY_DEADZONE == 0.5\n",
         startThen({Input::padAxis(10, 0, Joypad::LEFT_Y, -0.4f)}), heading0(MainLogic::RIGHT)},
        {"D-pad down turns seat 1", "JOY_P1 == 1\n",
         startThen({Input::padButton(10, 0, Joypad::DPAD_DOWN, true)}), heading0(MainLogic::DOWN)},
        {"a seat people do not play has no pad", "JOY_P2 == 1\n",
         startThen({Input::padButton(10, 0, Joypad::DPAD_DOWN, true)}),
         [](const Frame& f) { return f.headings[1] == MainLogic::LEFT; }},
        {"Start pauses with a pause key set", "JOY_P1 == 1\nKEY_PAUSE == P\n",
         startThen({Input::padButton(10, 0, Joypad::START, true)}),
         [](const Frame& f) { return f.paused; }},
        {"Start does nothing without one", "JOY_P1 == 1\n",
         startThen({Input::padButton(10, 0, Joypad::START, true)}),
         [](const Frame& f) { return !f.paused; }},
        {"B leaves with a leave key set", "JOY_P1 == 1\nKEY_LEAVE == Q\n",
         startThen({Input::padButton(10, 0, Joypad::BUTTON_B, true)}),
         [](const Frame& f) { return f.result == "LEAVE"; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::vector<Frame> frames = play(row.settings, row.script);
        ASSERT_GT(frames.size(), 30u);
        EXPECT_TRUE(row.atFrame30(frames[30]));
    }
}

TEST(PadSteeringTest, TwoSeatsWithPadsAndTwoWithKeys)
{
    bool installed = false;
    const std::vector<Frame> frames =
        play("HUMAN_PLAYERS == 4\nJOY_P2 == 1\nJOY_P4 == 2\nKEY_P3_UP == W\nKEY_P3_DOWN == S\n"
             "KEY_P3_LEFT == A\nKEY_P3_RIGHT == D\n",
             startThen({Input::keyDown(8, 6), Input::padButton(8, 0, Joypad::DPAD_UP, true),
                        Input::keyDown(8, 'S'), Input::padAxis(8, 1, Joypad::LEFT_Y, 0.9f)}),
             &installed);
    EXPECT_TRUE(installed);
    ASSERT_GT(frames.size(), 14u);
    const int expected[4] = {MainLogic::UP, MainLogic::UP, MainLogic::DOWN, MainLogic::DOWN};
    for (int seat = 0; seat < 4; ++seat) {
        SCOPED_TRACE(seat);
        EXPECT_EQ(expected[seat], frames[14].headings[seat]);
    }
}

TEST(PadSteeringTest, WithTheTurnBufferEachNewPushIsAPress)
{
    // A step every 200 ms (12.5 frames): up, released, then left, all between two steps.
    const std::vector<Frame> frames =
        play("JOY_P1 == 1\nTURN_BUFFER == YES\nMOVE_TIME == 200\n",
             startThen({Input::padAxis(20, 0, Joypad::LEFT_Y, -1.0f),
                        Input::padAxis(21, 0, Joypad::LEFT_Y, 0.0f),
                        Input::padButton(22, 0, Joypad::DPAD_LEFT, true)}));
    ASSERT_GT(frames.size(), 23u);
    const unsigned long pushedAt = frames[23].steps;
    std::vector<int> after;
    for (const Frame& frame : frames) {
        if (frame.steps > pushedAt && after.size() < frame.steps - pushedAt) {
            after.push_back(frame.headings[0]);
        }
    }
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(MainLogic::UP, after[0]);
    EXPECT_EQ(MainLogic::LEFT, after[1]);
}

} // namespace
