// A game's definition may carry defaults for start-up settings: a value
// left out of every settings file takes the default, a value given
// anywhere wins over it, and without defaults a missing "GAME_SPEED" stops
// the game's clock, as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameAssembly.h"
#include "Game/GameDefinition.h"
#include "Game/Headless/HeadlessPlatform.h"
#include "Game/LogicController.h"
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

    static inline float total = 0;
};

void registerClock(Game::LogicController& logic, Game::GameManager*)
{
    logic.add("CLOCK", new ClockState(), {});
}

const Game::SettingDefault DEFAULTS[] = {{"GAME_SPEED", "1.0"}, {nullptr, nullptr}};

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
        const Game::GameDefinition game = {"Clock",        file.c_str(), "",
                                           &registerClock, nullptr,      row.defaults};
        ClockState::total = 0;
        Game::HeadlessPlatform platform(0.01, {}, 10);
        {
            Game::GameAssembly assembly;
            ASSERT_EQ(-1, assembly.build(row.args, game, platform));
            assembly.run();
        }
        EXPECT_NEAR(row.gameMilliseconds, ClockState::total, 1e-2);
        delete Devices::getKeyboard();
        Devices::setKeyboard(nullptr);
    }
}
