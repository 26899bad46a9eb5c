// The frame that enters the first match: the match state's onEnter, which
// clears the grid, places the players and makes the arena view with its
// buffer of a quad per cell, on the shipped 80 x 60 grid and on 1024 x 1024
// (16 players), in the same run. The time is the thread's CPU time of
// onEnter alone; the match state is made fresh, untimed, for each.

#include <benchmark/benchmark.h>

#include <time.h>

#include <memory>
#include <string>

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameManager.h"
#include "Render/Headless/HeadlessRenderController.h"
#include "Render/ViewData.h"
#include "app/MainLogic.h"

#ifndef VEKTRA_SOURCE_DIR
#error "VEKTRA_SOURCE_DIR must name the directory holding the shipped vektra.cfg"
#endif

namespace {

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_EnterFirstMatch(benchmark::State& state)
{
    CFG::getDefaultOverrides()->reset();
    CFG::setConfig(std::string(VEKTRA_SOURCE_DIR) + "/vektra.cfg");
    CFG::getDefaultOverrides()->add("GRID_WIDTH", std::to_string(state.range(0)));
    CFG::getDefaultOverrides()->add("GRID_HEIGHT", std::to_string(state.range(1)));
    CFG::getDefaultOverrides()->add("NUM_PLAYERS", "16");
    Game::HeadlessRenderController render{Render::ViewData()};
    Devices::Keyboard keyboard;
    Devices::setKeyboard(&keyboard);
    for (auto _ : state) {
        Game::GameManager manager(800, 600, 60, 5);
        manager.setRenderController(&render);
        auto logic = std::make_unique<Tool::MainLogic>(&manager);
        const double start = threadSeconds();
        logic->onEnter("TITLE", "START");
        state.SetIterationTime(threadSeconds() - start);
        benchmark::DoNotOptimize(logic->getView());
    }
    Devices::setKeyboard(nullptr);
}
BENCHMARK(BM_EnterFirstMatch)
    ->Args({80, 60})
    ->Args({1024, 1024})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(20)
    ->Repetitions(5);

} // namespace
