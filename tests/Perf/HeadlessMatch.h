#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/Headless/HeadlessApp.h"
#include "Game/I_GameUpdated.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"
#include "app/MainLogic.h"
#include "app/tools/HeadlessVektra.h"

// Watches a running game frame by frame: the frame whose input brought the
// up key, and the frame whose step first turned player 0 up. Frames count
// from 0; the game manager calls the probe at the start of each update,
// before the logic, so it sees the match as the previous frame left it.
class TurnProbe : public Game::I_GameUpdated, public EVT::I_EventConsumer {
public:
    TurnProbe(Tool::MainLogic* match, unsigned char upKey) : match(match), upKey(upKey)
    {
        EVT::EventBus::instance().addConsumer(EVT::KEY, this);
    }

    void onGameUpdated(const float&) override
    {
        if (keyFrame >= 0 && turnFrame < 0 && match->getPlayer(0).heading == Tool::MainLogic::UP) {
            turnFrame = updates - 1;
        }
        ++updates;
    }

    void handleEvent(EVT::I_Event* event) override
    {
        const auto* key = static_cast<EVT::Event_Key*>(event);
        if (key->key == upKey && key->pressed && keyFrame < 0) {
            keyFrame = updates - 1;
        }
    }

    Tool::MainLogic* match;
    unsigned char upKey;
    int updates = 0;
    int keyFrame = -1;
    int turnFrame = -1;
};

// The whole game built by start-up's own routine (Tool::buildVektra) on the
// headless platform, from settings written to a real file (a 20 x 15 arena,
// four players, the arrow keys, every frame drawn) plus extra lines that
// override them; a TurnProbe watches it. What the game prints (each
// match's result) is kept in global. Run it once.
class HeadlessMatch {
public:
    static constexpr unsigned char SPACE = 32;
    static constexpr unsigned char UP = 6; // key code of the name "UP"

    HeadlessMatch(double frameSeconds, const std::string& extraSettings,
                  std::vector<Game::HeadlessApp::Input> script, int frameLimit)
        : game(frameSeconds, std::move(script), frameLimit, writeSettings(extraSettings)),
          manager(game.manager), match(game.match), probe(match, UP)
    {
        manager.addGameUpdated(&probe);
    }

    ~HeadlessMatch() { manager.removeGameUpdated(&probe); }

    HeadlessMatch(const HeadlessMatch&) = delete;
    HeadlessMatch& operator=(const HeadlessMatch&) = delete;

    void run() { game.run(); }

private:
    // Drawing is never skipped (FRAME_SKIP 0), so each scripted key arrives
    // in the frame it is scripted for, whatever the frame time.
    std::string writeSettings(const std::string& extraSettings)
    {
        return dir.write("vektra.cfg", std::string("SCREEN_WIDTH == 800\n"
                                                   "SCREEN_HEIGHT == 600\n"
                                                   "CLEAR_COLOR == 0x000000FF\n"
                                                   "FRAME_RATE == 60\n"
                                                   "FRAME_SKIP == 0\n"
                                                   "GAME_SPEED == 1.0\n"
                                                   "GRID_WIDTH == 20\n"
                                                   "GRID_HEIGHT == 15\n"
                                                   "NUM_PLAYERS == 4\n"
                                                   "TURN_CHANCE == 5\n"
                                                   "GAME_SEED == 12345\n"
                                                   "FLASH_TIME == 250\n"
                                                   "KEY_MOVE_UP == UP\n"
                                                   "KEY_MOVE_DOWN == DOWN\n"
                                                   "KEY_MOVE_LEFT == LEFT\n"
                                                   "KEY_MOVE_RIGHT == RIGHT\n") +
                                           extraSettings);
    }

    TestSupport::TempDir dir;

public:
    // Also keeps what the game prints.
    TestSupport::GlobalStateGuard global;

private:
    Tool::HeadlessVektra game;

public:
    Game::GameManager& manager;
    Tool::MainLogic* match; // owned by the game's logic controller
    TurnProbe probe;
};
