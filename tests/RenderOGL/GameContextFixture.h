#pragma once

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "GLContextFixture.h"
#include "Game/GameManager.h"
#include "RecordingController.h"
#include "Render/OGL/Controller.h"

// The hidden window's context with what the game's views draw through: a
// game manager on a real OpenGL controller, and a keyboard installed for
// the logic states. Overrides set by a test are cleared after it.
class GameContextTest : public GLContextTest {
protected:
    void SetUp() override
    {
        GLContextTest::SetUp();
        Devices::setKeyboard(&keyboard);
        controller.init();
        manager.setRenderController(&controller);
    }
    void TearDown() override
    {
        Devices::setKeyboard(nullptr);
        CFG::getDefaultOverrides()->reset();
        GLContextTest::TearDown();
    }

    Devices::Keyboard keyboard;
    OGL::Controller controller{orthoView(WIDTH, HEIGHT)};
    Game::GameManager manager{WIDTH, HEIGHT, 60, 5};
};
