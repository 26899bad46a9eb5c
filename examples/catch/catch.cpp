// Catch: a small game built on the Vektra framework, as an example of one.
// The framework's start-up routine (Game/GAME_MAIN) reads the settings from
// catch.cfg, builds the game manager, window, render controller and logic
// controller, registers the states that gameDefinition() names, and runs
// the main loop.
//
//   catch                 plays in a window (GLFW and OpenGL)
//   catch --headless      plays a scripted round without a display and
//                         says how the run ended
// Any other arguments are those of the framework's start-up: an overrides
// file SETTINGS_..., an extra settings file ....cfg, KEY==VALUE overrides.
#include <iostream>
#include <string>
#include <vector>

#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

#include "CFG/GuardedMain.h"
#include "Devices/KeyboardStrings.h"
#include "Game/GLFW/GLFWPlatform.h"
#include "Game/Headless/HeadlessPlatform.h"
#include "Game/LogicController.h"
#include "PlayState.h"
#include "TitleState.h"

namespace {

void registerStates(Game::LogicController& logic, Game::GameManager* manager)
{
    // The title runs first; Space ("START") leads to the next registered
    // state, and whatever a round ends with leads back to the title.
    logic.add("TITLE", new Catch::TitleState(manager), {});
    logic.add("PLAY", new Catch::PlayState(manager), {{"*", "TITLE"}});
}

// Frames of 1/60 s. Space at frame 5 starts a round; six presses of Right
// and four of Down take the catcher from the top left corner of the 12 x 9
// board to the target in the middle (cell 6, 4) before it first jumps;
// the round ends after ROUND_TIME; Escape on the title quits.
std::vector<Game::HeadlessApp::Input> demoScript()
{
    using Input = Game::HeadlessApp::Input;
    const auto& names = Devices::KeyboardStrings::instance().keyMapping();
    std::vector<Input> script;
    auto press = [&script](int frame, unsigned char key) {
        script.push_back(Input::keyDown(frame, key));
        script.push_back(Input::keyUp(frame + 2, key));
    };
    int frame = 5;
    press(frame, names.getKey("SPACE"));
    frame = 20;
    for (int i = 0; i < 6; ++i, frame += 4) {
        press(frame, names.getKey("RIGHT"));
    }
    for (int i = 0; i < 4; ++i, frame += 4) {
        press(frame, names.getKey("DOWN"));
    }
    press(300, 27); // Escape
    return script;
}

constexpr double FRAME_SECONDS = 1.0 / 60;
constexpr int FRAME_LIMIT = 600;

} // namespace

namespace Game {

const GameDefinition& gameDefinition()
{
    // What start-up needs when catch.cfg leaves it out: a game clock at
    // real time, 60 frames a second, a window of 480 x 360.
    static const SettingDefault defaults[] = {
        {"GAME_SPEED", "1.0"},         {"FRAME_RATE", "60"},     {"FRAME_SKIP", "5"},
        {"SCREEN_WIDTH", "480"},       {"SCREEN_HEIGHT", "360"}, {"BASE_SCREEN_WIDTH", "480"},
        {"BASE_SCREEN_HEIGHT", "360"}, {"FOV", "45.0"},          {"MIN_Z", "0.1"},
        {"MAX_Z", "1000.0"},           {nullptr, nullptr}};
    static const GameDefinition game = {"Catch",         "catch.cfg", "",
                                        &registerStates, nullptr,     defaults};
    return game;
}

} // namespace Game

int main(int argc, char** argv)
{
    const bool headless = argc > 1 && std::string(argv[1]) == "--headless";
    return CFG::guardedMain([&] {
        if (!headless) {
            Game::GLFWPlatform platform;
            return Game::startGame(argc, argv, Game::gameDefinition(), platform);
        }
        // "--headless" begins with "-", so start-up passes over it.
        Game::HeadlessPlatform platform(FRAME_SECONDS, demoScript(), FRAME_LIMIT);
        const int code = Game::startGame(argc, argv, Game::gameDefinition(), platform);
        std::cout << "headless: " << platform.getFramesRun() << " frames, ended by "
                  << (platform.reachedFrameLimit() ? "the frame limit" : "quit") << std::endl;
        return code;
    });
}
