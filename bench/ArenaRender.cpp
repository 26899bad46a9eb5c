// The arena view's drawing (Tool::MainView::onRender) on the real OpenGL
// render controller, on grids as real matches leave them: 2 and 16 players
// on 64 x 48, 256 x 192, 1024 x 768 and 1024 x 1024 cells, and 256 players
// on 1024 x 1024, each match played by the match state itself (same rules,
// a fixed seed) to its end. In a window of the shipped size:
//
// - BM_ArenaViewRender: the view as shipped (a quad per blocked cell);
// - BM_MinimalQuadDraw: the reference, the least drawing the same picture
//   needs: one clear and one draw call from a client array filled once;
// - BM_ArenaViewTexture: the view with "ARENA_DRAWING" == "TEXTURE";
// - BM_ArenaViewQuadsBlinking / BM_ArenaViewTexture: both view modes with
//   the blink toggled before every frame, so the texture re-sends every
//   player marker each frame (its worst case in a running match).
//
// Each frame ends with glFinish, so the rasteriser's work (Mesa under Xvfb)
// is in the time. The rasteriser runs on threads of its own, so the figure
// that counts is the process's CPU time per frame (all threads); the wall
// clock is shown beside it.
//
// The grid scan alone, without OpenGL: BM_ArenaFill (the view's fill of
// the trail quads) against BM_ArenaFillColumnScan (the same quads from a
// plain column-by-column scan, as the fill was first written).

#include <benchmark/benchmark.h>

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

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

Render::ViewData viewData()
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

// One match of the given size played to its end by the match state on the
// real controller (nobody steers player 0), with its arena view drawing in
// the given mode.
struct Arena {
    Arena(int columns, int rows, int players, const char* drawing)
        : manager(window().width, window().height, 60, 5), controller(viewData())
    {
        CFG::getDefaultOverrides()->reset();
        CFG::getDefaultOverrides()->add("GRID_WIDTH", std::to_string(columns));
        CFG::getDefaultOverrides()->add("GRID_HEIGHT", std::to_string(rows));
        CFG::getDefaultOverrides()->add("NUM_PLAYERS", std::to_string(players));
        CFG::getDefaultOverrides()->add("ARENA_DRAWING", drawing);
        controller.init();
        manager.setRenderController(&controller);
        Devices::setKeyboard(&keyboard);
        logic.reset(new Tool::MainLogic(&manager));
        logic->onEnter("TITLE", "START");
        // A step every call; a generous bound, never reached on these grids.
        for (long step = 0; step < 10L * columns * rows && logic->getResult().empty(); ++step) {
            logic->onUpdate(1e6f);
        }
        view = logic->getView();
        view->setScreenSize(window().width, window().height);
        cells = columns * rows;
        quads = view->fillTrailQuads();
    }

    ~Arena() { Devices::setKeyboard(nullptr); }

    // Toggles the blink: the next update's elapsed time runs the timer out.
    void blink() { view->onUpdate(1e6f); }

    Game::GameManager manager;
    OGL::Controller controller;
    Devices::Keyboard keyboard;
    std::unique_ptr<Tool::MainLogic> logic;
    Tool::MainView* view = nullptr; // owned by logic
    int cells = 0;
    int quads = 0;
};

std::unique_ptr<Arena> arenaFor(const benchmark::State& state, const char* drawing)
{
    return std::make_unique<Arena>(static_cast<int>(state.range(0)),
                                   static_cast<int>(state.range(1)),
                                   static_cast<int>(state.range(2)), drawing);
}

void report(benchmark::State& state, const Arena& arena)
{
    state.counters["cells"] = arena.cells;
    state.counters["quads"] = arena.quads;
    state.counters["players"] = static_cast<double>(state.range(2));
}

void BM_ArenaViewRender(benchmark::State& state)
{
    std::unique_ptr<Arena> arena = arenaFor(state, "QUADS");
    for (auto _ : state) {
        arena->view->onRender();
        glFinish();
    }
    report(state, *arena);
}

void BM_ArenaViewQuadsBlinking(benchmark::State& state)
{
    std::unique_ptr<Arena> arena = arenaFor(state, "QUADS");
    for (auto _ : state) {
        arena->blink();
        arena->view->onRender();
        glFinish();
    }
    report(state, *arena);
}

void BM_ArenaViewTexture(benchmark::State& state)
{
    std::unique_ptr<Arena> arena = arenaFor(state, "TEXTURE");
    for (auto _ : state) {
        arena->blink();
        arena->view->onRender();
        glFinish();
    }
    report(state, *arena);
}

void BM_MinimalQuadDraw(benchmark::State& state)
{
    std::unique_ptr<Arena> arena = arenaFor(state, "QUADS");
    const std::vector<float> vertices(arena->view->getVertices(),
                                      arena->view->getVertices() +
                                          arena->quads * Tool::MainView::FLOATS_PER_QUAD);
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
        glDrawArrays(GL_QUADS, 0, arena->quads * 4);
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();
    }
    report(state, *arena);
}

void BM_ArenaFill(benchmark::State& state)
{
    std::unique_ptr<Arena> arena = arenaFor(state, "QUADS");
    for (auto _ : state) {
        benchmark::DoNotOptimize(arena->view->fillTrailQuads());
        benchmark::ClobberMemory();
    }
    report(state, *arena);
}

// The fill as first written: x outer, y inner, straight over the grid.
void BM_ArenaFillColumnScan(benchmark::State& state)
{
    std::unique_ptr<Arena> arena = arenaFor(state, "QUADS");
    const Tool::MainLogic& logic = *arena->logic;
    const int columns = logic.getGridWidth();
    const int rows = logic.getGridHeight();
    const unsigned char* grid = logic.getGrid();
    const int width = window().width;
    const int height = window().height;
    std::unique_ptr<float[]> out(new float[static_cast<std::size_t>(columns) * rows * 12]);
    for (auto _ : state) {
        int count = 0;
        for (int x = 0; x < columns; ++x) {
            for (int y = 0; y < rows; ++y) {
                if (grid[y * columns + x] == 0) {
                    continue;
                }
                const float cw = static_cast<float>(width) / columns;
                const float ch = static_cast<float>(height) / rows;
                const float cx = cw * x + cw / 2;
                const float cy = height - (ch * y + ch / 2);
                const float hw = cw / 2;
                const float hh = ch / 2;
                const float quad[12] = {cx - hw, cy + hh, 0, cx - hw, cy - hh, 0,
                                        cx + hw, cy - hh, 0, cx + hw, cy + hh, 0};
                std::memcpy(&out[static_cast<std::size_t>(count++) * 12], quad, sizeof(quad));
            }
        }
        benchmark::DoNotOptimize(count);
        benchmark::ClobberMemory();
    }
    report(state, *arena);
}

// Every side runs over the same grids with the same timing, so that their
// figures stand side by side.
void playedGrids(benchmark::internal::Benchmark* run)
{
    for (const auto& size : {std::make_pair(64, 48), std::make_pair(256, 192),
                             std::make_pair(1024, 768), std::make_pair(1024, 1024)}) {
        for (int players : {2, 16}) {
            run->Args({size.first, size.second, players});
        }
    }
    run->Args({1024, 1024, 256});
    run->ArgNames({"w", "h", "players"});
    run->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
    run->MinTime(0.2)->Repetitions(5);
}

BENCHMARK(BM_ArenaViewRender)->Apply(playedGrids);
BENCHMARK(BM_MinimalQuadDraw)->Apply(playedGrids);
BENCHMARK(BM_ArenaViewQuadsBlinking)->Apply(playedGrids);
BENCHMARK(BM_ArenaViewTexture)->Apply(playedGrids);
BENCHMARK(BM_ArenaFill)->Apply(playedGrids);
BENCHMARK(BM_ArenaFillColumnScan)->Apply(playedGrids);

} // namespace
