#pragma once

#include <memory>
#include <string>
#include <vector>

namespace Render {
class I_RenderController;
}
namespace Sound {
class I_SoundController;
}

namespace Game {

class GameManager;
class I_Platform;
class I_WindowApp;
class LogicController;
struct GameDefinition;

// A whole game as the start-up routine builds it, so that the program, its tests, benchmarks
// and other front ends all run the same assembly: the settings loaded from the command line,
// the game manager, the platform's window application and render controller (abilities
// published into the settings, required ones checked), a sound controller, the logic
// controller with the game's states, and the keyboard. Owns what it builds except the
// keyboard, which stays installed after the run (the next build, of this or another assembly,
// replaces it: off the event bus, then deleted); destroys the rest in one order
// whichever way it ends: logic, sound, render controller, window application, game manager.
class GameAssembly {
public:
    GameAssembly();
    ~GameAssembly();
    GameAssembly(const GameAssembly&) = delete;
    GameAssembly& operator=(const GameAssembly&) = delete;

    // Loads the settings from args (the command line without the program's name, read as the
    // settings loader documents) and builds the game on the platform, which must outlive this
    // object. Returns CFG::SettingsLoader::GO_ON once built; otherwise the exit code the
    // program ends with (1: missing or empty extra settings file, or the game's settings check's
    // code), with nothing built. A setting that is no number throws: call it inside
    // CFG::guardedMain.
    int build(const std::vector<std::string>& args, const GameDefinition& game,
              I_Platform& platform);
    // Runs the built game until it quits, then hands it, still whole, to the platform's
    // loopEnded. Only after a successful build.
    void run();

    // Null before a successful build.
    GameManager* getManager() const { return manager.get(); }
    LogicController* getLogic() const { return logic.get(); }
    I_WindowApp* getWindowApp() const { return windowApp.get(); }
    Render::I_RenderController* getRenderController() const { return renderController.get(); }

private:
    void tearDown();

    I_Platform* platform;
    // In the order they are built; torn down the other way round.
    std::unique_ptr<GameManager> manager;
    std::unique_ptr<I_WindowApp> windowApp;
    std::unique_ptr<Render::I_RenderController> renderController;
    std::unique_ptr<Sound::I_SoundController> sound;
    std::unique_ptr<LogicController> logic;
};

} // namespace Game
