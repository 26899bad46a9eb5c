// One match played to its end on the real OpenGL render controller, in a
// hidden window of the shipped size, for the peak-memory benchmark
// (bench/match-memory.sh runs it under /usr/bin/time): the shipped
// settings with the given grid and player count, the match state playing
// a step per frame (nobody steers player 0) and the arena view drawing
// every DRAW_EVERY-th step and the last, each frame finished with glFinish.
// Prints the steps played and the most quads drawn in one frame.
//
// Usage: vektra_match_memory COLUMNS ROWS PLAYERS [ARENA_DRAWING]

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameManager.h"
#include "Render/OGL/Controller.h"
#include "Render/ViewData.h"
#include "app/MainLogic.h"
#include "app/MainView.h"

#ifndef VEKTRA_SOURCE_DIR
#error "VEKTRA_SOURCE_DIR must name the directory holding the shipped vektra.cfg"
#endif

namespace {

constexpr long DRAW_EVERY = 64;

int setting(const char* key)
{
    return CFG::parser()->getNumber<int>(key);
}

Render::ViewData viewData(int width, int height)
{
    Render::ViewData data;
    data.minZ = -1.0f;
    data.maxZ = 1.0f;
    data.x = 0;
    data.y = 0;
    data.width = width;
    data.height = height;
    data.zoomX = 1.0f;
    data.zoomY = 1.0f;
    data.vsync = 0;
    data.is3D = false;
    return data;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s COLUMNS ROWS PLAYERS [ARENA_DRAWING]\n", argv[0]);
        return 2;
    }
    CFG::setConfig(std::string(VEKTRA_SOURCE_DIR) + "/vektra.cfg");
    CFG::getDefaultOverrides()->add("GRID_WIDTH", argv[1]);
    CFG::getDefaultOverrides()->add("GRID_HEIGHT", argv[2]);
    CFG::getDefaultOverrides()->add("NUM_PLAYERS", argv[3]);
    CFG::getDefaultOverrides()->add("ARENA_DRAWING", argc > 4 ? argv[4] : "QUADS");
    const int width = setting("SCREEN_WIDTH");
    const int height = setting("SCREEN_HEIGHT");
    if (!glfwInit()) {
        std::fprintf(stderr, "no X server: run under xvfb-run\n");
        return 1;
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    GLFWwindow* window = glfwCreateWindow(width, height, "match memory", nullptr, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "no OpenGL window\n");
        return 1;
    }
    glfwMakeContextCurrent(window);
    glewInit();
    long steps = 0;
    int mostQuads = 0;
    {
        Game::GameManager manager(width, height, 60, 5);
        OGL::Controller controller(viewData(width, height));
        controller.init();
        manager.setRenderController(&controller);
        Devices::Keyboard keyboard;
        Devices::setKeyboard(&keyboard);
        Tool::MainLogic logic(&manager);
        logic.onEnter("TITLE", "START");
        Tool::MainView* view = logic.getView();
        view->setScreenSize(width, height);
        const long bound = 10L * logic.getGridWidth() * logic.getGridHeight();
        while (logic.getResult().empty() && steps < bound) {
            logic.onUpdate(1e6f);
            view->onUpdate(1e6f);
            ++steps;
            if (steps % DRAW_EVERY == 0 || !logic.getResult().empty()) {
                view->onRender();
                glFinish();
                glfwSwapBuffers(window);
                mostQuads = std::max(mostQuads, view->fillTrailQuads());
            }
        }
        Devices::setKeyboard(nullptr);
    }
    glfwDestroyWindow(window);
    glfwTerminate();
    std::printf("%ld steps, at most %d quads in a frame\n", steps, mostQuads);
    return 0;
}
