#include "Game/GameAssembly.h"

// The start-up routine's helpers, without its program entry: its reports keep naming it.
#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

#include "Events/EventBus.h"

namespace Game {

GameAssembly::GameAssembly() : platform(nullptr) {}

GameAssembly::~GameAssembly()
{
    tearDown();
}

int GameAssembly::build(const std::vector<std::string>& args, const GameDefinition& game,
                        I_Platform& platform)
{
    using namespace StartUp;
    tearDown();
    this->platform = &platform;

    std::vector<std::string> pathKeys;
    for (const char* const* key = game.pathSettings; key != nullptr && *key != nullptr; ++key) {
        pathKeys.emplace_back(*key);
    }
    const int early = CFG::SettingsLoader(game.settingsFile, pathKeys).load(args);
    if (early != CFG::SettingsLoader::GO_ON) {
        return early;
    }
    applyDefaults(game);
    if (game.checkSettings != nullptr) {
        const int refused = game.checkSettings();
        if (refused != CFG::SettingsLoader::GO_ON) {
            return refused;
        }
    }

    const int frameSkip = readInt("FRAME_SKIP");
    const int frameRate = readInt("FRAME_RATE");
    const int baseHeight = readInt("BASE_SCREEN_HEIGHT");
    const int baseWidth = readInt("BASE_SCREEN_WIDTH");
    manager.reset(new GameManager(baseWidth, baseHeight, frameRate, frameSkip));

    const float gameSpeed = readFloat("GAME_SPEED");
    const unsigned long clearColor = CFG::parser()->getNumber<unsigned long>("CLEAR_COLOR");
    const bool fullscreen = readBool("FULLSCREEN_ON");
    const int screenHeight = readInt("SCREEN_HEIGHT");
    const int screenWidth = readInt("SCREEN_WIDTH");
    windowApp.reset(platform.createWindowApp(game.title, screenWidth, screenHeight, fullscreen,
                                             clearColor, true, gameSpeed));
    manager->setWindowApp(windowApp.get());

    const Render::ViewData view = readViewData();
    renderController.reset(platform.createRenderController(view));
    manager->setRenderController(renderController.get());

    publishAbilities(*renderController);
    checkRequiredAbilities(game);
    copyGlobalKeys();

    if (game.makeSoundController != nullptr) {
        sound.reset(game.makeSoundController());
    }
    if (!sound) {
        sound.reset(new Sound::NullSoundController());
    }
    manager->setSoundController(sound.get());

    logic.reset(new LogicController());
    game.registerStates(*logic, manager.get());

    // Installed for the rest of the process: start-up's callers read it
    // after the run. A keyboard an earlier build left behind goes now, off
    // the bus first, so that it neither leaks nor hears keys.
    if (Devices::Keyboard* previous = Devices::getKeyboard()) {
        EVT::EventBus::instance().removeConsumer(previous);
        delete previous;
    }
    Devices::setKeyboard(new Devices::Keyboard());

    manager->setLogicController(logic.get());
    return CFG::SettingsLoader::GO_ON;
}

void GameAssembly::run()
{
    manager->run();
    platform->loopEnded(*manager);
}

void GameAssembly::tearDown()
{
    logic.reset();
    sound.reset();
    renderController.reset();
    windowApp.reset();
    manager.reset();
}

} // namespace Game
