#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/HeadlessApp.h"
#include "Game/HeadlessRenderController.h"
#include "Game/I_GameUpdated.h"
#include "Game/LogicController.h"
#include "Render/ViewData.h"
#include "Sound/NullSoundController.h"
#include "Support/TempDir.h"
#include "Util/Debug.h"
#include "app/MainLogic.h"
#include "app/TitleLogic.h"

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

// The whole game assembled as start-up assembles it, on the headless window
// application and render controller, from settings written to a real file
// (a 20 x 15 arena, four players, the arrow keys) plus extra lines that
// override them; a TurnProbe watches it. What the game prints (each
// match's result) is kept in printed. Run it once.
class HeadlessMatch {
public:
    static constexpr unsigned char SPACE = 32;
    static constexpr unsigned char UP = 6; // key code of the name "UP"

    HeadlessMatch(double frameSeconds, const std::string& extraSettings,
                  std::vector<Game::HeadlessApp::Input> script, int frameLimit)
        : loaded(load(extraSettings)), manager(800, 600, 60, 5),
          app(800, 600, 0x000000FF, true, 1.0f, frameSeconds, std::move(script), frameLimit),
          render(Render::ViewData()), logic(new Game::LogicController()),
          match(new Tool::MainLogic(&manager)), probe(match, UP)
    {
        manager.setWindowApp(&app);
        manager.setRenderController(&render);
        manager.setSoundController(&sound);
        logic->add("TITLE", new Tool::TitleLogic(&manager), {});
        logic->add("RUNNING", match, {{"*", "TITLE"}});
        Devices::setKeyboard(&keyboard);
        manager.setLogicController(logic.get());
        manager.addGameUpdated(&probe);
        savedOut = Util::Debug::instance().out;
        Util::Debug::instance().out = &printed;
    }

    ~HeadlessMatch()
    {
        manager.removeGameUpdated(&probe);
        logic.reset();
        Util::Debug::instance().out = savedOut;
        Devices::setKeyboard(nullptr);
        CFG::getDefaultOverrides()->reset();
    }

    HeadlessMatch(const HeadlessMatch&) = delete;
    HeadlessMatch& operator=(const HeadlessMatch&) = delete;

    void run() { manager.run(); }

private:
    bool load(const std::string& extraSettings)
    {
        CFG::getDefaultOverrides()->reset();
        return CFG::setConfig(dir.write("vektra.cfg", std::string("GRID_WIDTH == 20\n"
                                                                  "GRID_HEIGHT == 15\n"
                                                                  "NUM_PLAYERS == 4\n"
                                                                  "TURN_CHANCE == 5\n"
                                                                  "GAME_SEED == 12345\n"
                                                                  "FLASH_TIME == 250\n"
                                                                  "KEY_MOVE_UP == UP\n"
                                                                  "KEY_MOVE_DOWN == DOWN\n"
                                                                  "KEY_MOVE_LEFT == LEFT\n"
                                                                  "KEY_MOVE_RIGHT == RIGHT\n") +
                                                          extraSettings));
    }

    TestSupport::TempDir dir;
    bool loaded;
    std::ostream* savedOut = nullptr;

public:
    std::ostringstream printed;
    Game::GameManager manager;
    Game::HeadlessApp app;
    Game::HeadlessRenderController render;
    Sound::NullSoundController sound;
    std::unique_ptr<Game::LogicController> logic;
    Tool::MainLogic* match; // owned by logic
    Devices::Keyboard keyboard;
    TurnProbe probe;
};
