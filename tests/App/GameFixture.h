#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Events/EventBus.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"

// Runs a game state against real parts: settings read from a real file in a
// temporary directory (the overrides store emptied), a real game manager
// with its view manager, an installed keyboard fed through key events on
// the bus, and the debug streams captured.
class GameFixture : public ::testing::Test {
protected:
    // Settings every test starts from: a 16 x 12 arena, two players, a step
    // every 10 ms, no random turns, the arrow keys.
    static constexpr const char* BASE_SETTINGS = "GRID_WIDTH == 16\n"
                                                 "GRID_HEIGHT == 12\n"
                                                 "NUM_PLAYERS == 2\n"
                                                 "MOVE_TIME == 10\n"
                                                 "TURN_CHANCE == 0\n"
                                                 "GAME_SEED == 12345\n"
                                                 "FLASH_TIME == 100\n"
                                                 "KEY_MOVE_UP == UP\n"
                                                 "KEY_MOVE_DOWN == DOWN\n"
                                                 "KEY_MOVE_LEFT == LEFT\n"
                                                 "KEY_MOVE_RIGHT == RIGHT\n";

    void SetUp() override
    {
        settings(BASE_SETTINGS);
        keyboard.reset(new Devices::Keyboard());
        Devices::setKeyboard(keyboard.get());
        manager.reset(new Game::GameManager(0, 0, 0, 0));
    }

    void TearDown() override { Devices::setKeyboard(nullptr); }

    // Replaces the global store with BASE_SETTINGS followed by extra (later
    // lines win).
    void settings(const std::string& extra)
    {
        const std::string path = dir.write("test.cfg", std::string(BASE_SETTINGS) + extra);
        ASSERT_TRUE(CFG::setConfig(path));
    }

    void key(unsigned char code, bool down)
    {
        EVT::Event_Key event(code, down, 0);
        EVT::EventBus::instance().raiseEvent(&event, false);
    }

    // What the game printed so far.
    std::string printed() const { return global.printed(); }

    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    std::unique_ptr<Devices::Keyboard> keyboard;
    std::unique_ptr<Game::GameManager> manager;
};

// Key codes of the key name table.
constexpr unsigned char CODE_LEFT = 4;
constexpr unsigned char CODE_RIGHT = 5;
constexpr unsigned char CODE_UP = 6;
constexpr unsigned char CODE_DOWN = 7;
