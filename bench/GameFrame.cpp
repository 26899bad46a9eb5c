// One frame of the framework in which the game does nothing (one logic state, one view, both
// idle), driven by a window application without a window, against two hand-written loops in
// the same run: one that makes the game manager's calls on the same view manager, timers and
// logic controller directly (the difference is the bus and the game manager's dispatch), and
// a bare one that calls the idle state, the idle view and the window application themselves
// (the difference is everything the framework adds to a frame).

#include <benchmark/benchmark.h>

#include <string>

#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Update.h"
#include "Game/GameManager.h"
#include "Game/LogicController.h"
#include "Game/TimerBase.h"

namespace {

class IdleState : public Game::I_LogicState {
public:
    void setPause(bool) override {}
    void onEnter(const std::string&, const std::string&) override {}
    std::string onUpdate(float delta) override
    {
        benchmark::DoNotOptimize(delta);
        return std::string();
    }
    void doExit(const std::string&) override {}
};

class IdleView : public Game::I_View {
public:
    void setPause(bool) override {}
    void setScreenSize(int, int) override {}
    void preUpdate(float delta) override { benchmark::DoNotOptimize(delta); }
    void onUpdate(float delta) override { benchmark::DoNotOptimize(delta); }
    void onRender() override { benchmark::ClobberMemory(); }
    EVT::I_Event* onInput(EVT::I_Event* event) override { return event; }
    Game::ViewBox getViewBox() const override { return Game::ViewBox{0, 0, 0, 0}; }
};

// A window application without a window: clearing and presenting do nothing.
class HeadlessApp : public Game::I_WindowApp {
public:
    HeadlessApp() { setClearWindow(true); }
    bool initWindowApp() override { return true; }
    void run() override {}
    void getAllowedSizes(std::vector<std::pair<int, int>>& sizes) override { sizes.clear(); }
    void setSize(const std::pair<int, int>&) override {}
    double getTime() const override { return 0.0; }
    void resetTime() override {}
    void showWindow() override { benchmark::ClobberMemory(); }
    void clearWindow(unsigned long colour) override { benchmark::DoNotOptimize(colour); }
};

// The objects of one idle game, settled past its first frame.
struct IdleGame {
    IdleGame() : manager(800, 600, 60, 2)
    {
        logic.add("IDLE", new IdleState(), {});
        manager.setWindowApp(&app);
        manager.setLogicController(&logic);
        manager.getViewManager()->add(&view);
        logic.onUpdate(0.0f);
        manager.getViewManager()->doPendingUpdates();
    }

    Game::GameManager manager;
    HeadlessApp app;
    Game::LogicController logic;
    IdleView view;
};

void BM_FrameThroughTheFramework(benchmark::State& state)
{
    IdleGame game;
    EVT::EventBus& bus = EVT::EventBus::instance();
    float delta = 16.0f;
    for (auto _ : state) {
        EVT::Event_PreUpdate preUpdate(delta);
        bus.raiseEvent(&preUpdate, false);
        EVT::Event_Update update(delta);
        bus.raiseEvent(&update, false);
        EVT::Event render(EVT::RENDER);
        bus.raiseEvent(&render, false);
        benchmark::DoNotOptimize(delta);
    }
}
BENCHMARK(BM_FrameThroughTheFramework);

void BM_FrameHandWritten(benchmark::State& state)
{
    IdleGame game;
    Game::ViewManager* views = game.manager.getViewManager();
    Game::I_LogicController* logic = &game.logic;
    Game::I_WindowApp* app = &game.app;
    float delta = 16.0f;
    for (auto _ : state) {
        views->preUpdate(delta);
        Game::TimerBase::onUpdate(delta);
        logic->onUpdate(delta);
        views->onUpdate(delta);
        if (app->getClearWindow()) {
            app->clearWindow(app->getClearColor());
        }
        views->onRender();
        app->showWindow();
        benchmark::DoNotOptimize(delta);
    }
}
BENCHMARK(BM_FrameHandWritten);

void BM_FrameBare(benchmark::State& state)
{
    IdleState idleState;
    IdleView idleView;
    HeadlessApp headlessApp;
    // Through their interfaces, as a game loop holds them: the calls stay
    // virtual calls the compiler cannot see through.
    Game::I_LogicState* logic = &idleState;
    Game::I_View* view = &idleView;
    Game::I_WindowApp* app = &headlessApp;
    benchmark::DoNotOptimize(logic);
    benchmark::DoNotOptimize(view);
    benchmark::DoNotOptimize(app);
    float delta = 16.0f;
    for (auto _ : state) {
        view->preUpdate(delta);
        logic->onUpdate(delta);
        view->onUpdate(delta);
        if (app->getClearWindow()) {
            app->clearWindow(app->getClearColor());
        }
        view->onRender();
        app->showWindow();
        benchmark::DoNotOptimize(delta);
    }
}
BENCHMARK(BM_FrameBare);

} // namespace
