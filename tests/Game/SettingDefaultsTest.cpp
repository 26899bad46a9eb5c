// A game's definition may carry defaults for start-up settings: a value
// left out of every settings file takes the default, a value given
// anywhere wins over it, and a game without defaults reads the empty value
// (a missing "GAME_SPEED" then stops its clock).
#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game/HeadlessPlatform.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"

namespace {

// Adds up the game time its updates are given.
class ClockState : public Game::I_LogicState {
public:
    void setPause(bool) override {}
    void onEnter(const std::string&, const std::string&) override {}
    std::string onUpdate(float delta) override
    {
        total += delta;
        return "";
    }
    void doExit(const std::string&) override {}

    static float total;
};

float ClockState::total = 0;

void registerClock(Game::LogicController& logic, Game::GameManager*)
{
    logic.add("CLOCK", new ClockState(), {});
}

const Game::SettingDefault DEFAULTS[] = {
    {"GAME_SPEED", "1.0"}, {"FRAME_RATE", "60"}, {"BASE_SCREEN_WIDTH", "320"}, {nullptr, nullptr}};

} // namespace

TEST(SettingDefaults, FillOnlyWhatTheSettingsLeaveOut)
{
    struct Row {
        const char* file;
        std::vector<std::string> args;
        const Game::SettingDefault* defaults;
        float gameMilliseconds; // ten frames of 10 ms
    };
    const Row rows[] = {
        {"", {}, nullptr, 0},
        {"", {}, DEFAULTS, 100},
        {"GAME_SPEED == 2.0\n", {}, DEFAULTS, 200},
        {"", {"GAME_SPEED==0.5"}, DEFAULTS, 50},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.file) + (row.defaults ? " with defaults" : " without"));
        TestSupport::GlobalStateGuard global;
        TestSupport::TempDir dir;
        const std::string file = dir.write("clock.cfg", row.file);
        const Game::GameDefinition game = {"Clock", file.c_str(), "", &registerClock, row.defaults};
        ClockState::total = 0;
        Game::HeadlessPlatform platform(0.01, {}, 10);
        std::vector<std::string> args = row.args;
        args.insert(args.begin(), "clock");
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(&arg[0]);
        }
        ASSERT_EQ(0, Game::startGame(static_cast<int>(argv.size()), argv.data(), game, platform));
        EXPECT_NEAR(row.gameMilliseconds, ClockState::total, 1e-2);
        if (row.defaults != nullptr && row.args.empty() && *row.file == '\0') {
            EXPECT_EQ("320", CFG::get("BASE_SCREEN_WIDTH")) << "read like any setting";
        }
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
    }
}
