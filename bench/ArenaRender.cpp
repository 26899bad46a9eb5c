// The arena view's drawing (Tool::MainView::onRender) on the real OpenGL
// render controller, against the least drawing the same picture needs: one
// clear and one draw call from a client array filled once beforehand. Grids
// of 64 x 48, 256 x 192 and 1024 x 768 cells with half of them blocked (a
// checkerboard), in a window of the shipped size. Each frame ends with
// glFinish on both sides, so the time includes the rasteriser's work (Mesa
// under Xvfb), not only handing the commands over. The rasteriser runs on
// threads of its own, so the figure that counts is the process's CPU time
// per frame (all threads: the whole work of a frame, whatever else runs on
// the machine); the wall-clock time is shown beside it.

#include <benchmark/benchmark.h>

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "Game/GameManager.h"
#include "Render/OGL/Controller.h"
#include "Render/ViewData.h"
#include "app/MainLogic.h"
#include "app/MainView.h"

#ifndef VEKTRA_SOURCE_DIR
#error "VEKTRA_SOURCE_DIR must name the directory holding the shipped vektra.cfg"
#endif

namespace {

// A hidden window of the shipped size with a current context, made once.
struct Window {
    int width = 0;
    int height = 0;
    GLFWwindow* handle = nullptr;

    Window()
    {
        CFG::getDefaultOverrides()->reset();
        CFG::setConfig(std::string(VEKTRA_SOURCE_DIR) + "/vektra.cfg");
        width = CFG::parser()->getNumber<int>("SCREEN_WIDTH");
        height = CFG::parser()->getNumber<int>("SCREEN_HEIGHT");
        if (!glfwInit()) {
            throw std::runtime_error("no X server: run under xvfb-run");
        }
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        glfwWindowHint(GLFW_DEPTH_BITS, 24);
        handle = glfwCreateWindow(width, height, "arena", nullptr, nullptr);
        if (handle == nullptr) {
            throw std::runtime_error("no OpenGL window");
        }
        glfwMakeContextCurrent(handle);
        if (glewInit() != GLEW_OK) {
            throw std::runtime_error("GLEW failed");
        }
    }
};

Window& window()
{
    static Window instance;
    return instance;
}

// A match state and its arena view on the real controller, with a grid of
// the given size whose cells are blocked in a checkerboard.
struct Arena {
    explicit Arena(int gridWidth)
        : manager(window().width, window().height, 60, 5), controller(viewData())
    {
        const int gridHeight = gridWidth * 3 / 4;
        CFG::getDefaultOverrides()->add("GRID_WIDTH", std::to_string(gridWidth));
        CFG::getDefaultOverrides()->add("GRID_HEIGHT", std::to_string(gridHeight));
        controller.init();
        manager.setRenderController(&controller);
        logic.reset(new Tool::MainLogic(&manager));
        // The grid is only exposed for reading; the benchmark lays out its
        // own pattern in place of a played match.
        unsigned char* grid = const_cast<unsigned char*>(logic->getGrid());
        for (int y = 0; y < gridHeight; ++y) {
            for (int x = 0; x < gridWidth; ++x) {
                grid[y * gridWidth + x] = (x + y) % 2 == 0 ? Tool::MainLogic::BLOCKED : 0;
            }
        }
        view.reset(new Tool::MainView(&manager, logic.get()));
        view->setScreenSize(window().width, window().height);
        cells = gridWidth * gridHeight;
    }

    static Render::ViewData viewData()
    {
        Render::ViewData data;
        data.minZ = -1.0f;
        data.maxZ = 1.0f;
        data.x = 0;
        data.y = 0;
        data.width = window().width;
        data.height = window().height;
        data.zoomX = 1.0f;
        data.zoomY = 1.0f;
        data.vsync = 0;
        data.is3D = false;
        return data;
    }

    Game::GameManager manager;
    OGL::Controller controller;
    std::unique_ptr<Tool::MainLogic> logic;
    std::unique_ptr<Tool::MainView> view;
    int cells = 0;
};

void report(benchmark::State& state, const Arena& arena, int quads)
{
    state.counters["cells"] = arena.cells;
    state.counters["quads"] = quads;
}

void BM_ArenaViewRender(benchmark::State& state)
{
    Arena arena(static_cast<int>(state.range(0)));
    const int quads = arena.view->fillTrailQuads();
    for (auto _ : state) {
        arena.view->onRender();
        glFinish();
    }
    report(state, arena, quads);
}

void BM_MinimalQuadDraw(benchmark::State& state)
{
    Arena arena(static_cast<int>(state.range(0)));
    const int quads = arena.view->fillTrailQuads();
    const std::vector<float> vertices(arena.view->getVertices(),
                                      arena.view->getVertices() +
                                          quads * Tool::MainView::FLOATS_PER_QUAD);
    glViewport(0, 0, window().width, window().height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, window().width, 0, window().height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Culling stays as the controller's init left it, as for the view.
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 0);
    glColor4ub(255, 255, 255, 255);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, vertices.data());
        glDrawArrays(GL_QUADS, 0, quads * 4);
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();
    }
    report(state, arena, quads);
}

// Both sides run over the same grid widths with the same timing, so that
// their figures stand side by side.
void arenaRuns(benchmark::internal::Benchmark* run)
{
    run->Arg(64)->Arg(256)->Arg(1024);
    run->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime()->Repetitions(7);
}

BENCHMARK(BM_ArenaViewRender)->Apply(arenaRuns);
BENCHMARK(BM_MinimalQuadDraw)->Apply(arenaRuns);

} // namespace
