#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Screen.h"
#include "Events/Event_Update.h"
#include "Game/GameManager.h"
#include "Game/TestWindowApp.h"
#include "Game/TimerBase.h"
#include "Sound/NullSoundController.h"
#include "Support/StubView.h"

namespace {

using Log = std::vector<std::string>;

std::string sizeText(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

// Collaborators of the game manager that write what is done to them into one log (the view
// is a stub view named "view").
class LoggingLogic : public Game::I_LogicController {
public:
    explicit LoggingLogic(Log& log) : log(log) {}
    void setPause(bool paused) override { log.push_back("logic.pause " + std::to_string(paused)); }
    void onUpdate(float delta) override
    {
        log.push_back("logic.update");
        deltas.push_back(delta);
        if (action) {
            action();
        }
    }
    std::vector<float> deltas;
    std::function<void()> action;

private:
    Log& log;
};

class LoggingTimer : public Game::TimerBase {
public:
    explicit LoggingTimer(Log& log) : log(log) {}
    void onFire() override { log.push_back("timer"); }

private:
    Log& log;
};

class Listener : public Game::I_GameUpdated {
public:
    Listener(Log& log, std::string name) : log(log), name(std::move(name)) {}
    void onGameUpdated(const float& delta) override
    {
        log.push_back(name);
        lastDelta = &delta;
        if (action) {
            action();
        }
    }
    const float* lastDelta = nullptr;
    std::function<void()> action;

private:
    Log& log;
    std::string name;
};

class Watcher : public Game::I_ScreenWatcher {
public:
    Watcher(Log& log, std::string name) : log(log), name(std::move(name)) {}
    void onScreenSize(int w, int h) override
    {
        log.push_back(name + " " + sizeText(w, h));
        if (action) {
            action();
        }
    }
    std::function<void()> action;

private:
    Log& log;
    std::string name;
};

void raise(EVT::I_Event& event)
{
    EVT::EventBus::instance().raiseEvent(&event, false);
}

void raiseScreen(int width, int height)
{
    EVT::Event_Screen screen(width, height);
    raise(screen);
}

// A game manager wired to a headless window application, a logging logic controller and one
// logging view.
class GameManagerTest : public ::testing::Test {
protected:
    GameManagerTest() : manager(0, 0, 0, 0), app(&log), logic(log), view("view", log)
    {
        wire(manager);
    }

    void wire(Game::GameManager& m)
    {
        m.setWindowApp(&app);
        m.setLogicController(&logic);
        m.setSoundController(&sound);
        m.getViewManager()->add(&view);
        m.getViewManager()->doPendingUpdates();
        log.clear();
    }

    Log log;
    Game::GameManager manager;
    TestWindowApp app;
    LoggingLogic logic;
    TestSupport::StubView view;
    Sound::NullSoundController sound;
};

} // namespace

TEST(GameManagerSetup, BaseSizeDefaultsAndScaleBeforeTheFirstScreenEvent)
{
    Game::GameManager defaults(0, 0, 60, 2);
    EXPECT_EQ(defaults.getBaseWidth(), 800);
    EXPECT_EQ(defaults.getBaseHeight(), 600);
    float sx = -1.0f, sy = -1.0f;
    defaults.getScreenScale(sx, sy);
    EXPECT_EQ(sx, 0.0f);
    EXPECT_EQ(sy, 0.0f);
    EXPECT_NE(defaults.getViewManager(), nullptr);
    EXPECT_EQ(defaults.getWindowApp(), nullptr);
    EXPECT_EQ(defaults.getRenderController(), nullptr);
    EXPECT_EQ(defaults.getSoundController(), nullptr);
    EXPECT_EQ(defaults.getLogicController(), nullptr);

    Game::GameManager given(1024, 0, 60, 2);
    EXPECT_EQ(given.getBaseWidth(), 1024);
    EXPECT_EQ(given.getBaseHeight(), 600);
}

TEST_F(GameManagerTest, RunInitialisesTheWindowAndRunsItsLoop)
{
    app.deltas = {16.0f};
    manager.run();
    EXPECT_EQ(log.front(), "init");
    EXPECT_EQ(log[1], "run");
    EXPECT_EQ(app.frames, 1u);
    EXPECT_EQ(manager.getTime(), 12.5);
    log.clear();
    manager.resetTime();
    EXPECT_EQ(log, Log{"resetTime"});
    EXPECT_EQ(manager.getSoundController(), &sound);
}

TEST_F(GameManagerTest, AFrameCallsEverythingInItsFixedOrder)
{
    LoggingTimer timer(log);
    timer.start(1.0f, 1.0f);
    Listener listener(log, "listener");
    manager.addGameUpdated(&listener);
    // Input arrives during the buffer swap, nested inside the render event.
    app.duringSwap = [] {
        EVT::Event_Key key(27, true, 0);
        raise(key);
    };
    app.deltas = {25.0f};
    manager.run();
    EXPECT_EQ(log, (Log{"init", "run", "view.preUpdate", "timer", "listener", "logic.update",
                        "view.update", "clear 11223344", "view.render", "show", "view.input 13"}));
    EXPECT_EQ(logic.deltas, std::vector<float>{25.0f});

    log.clear();
    app.setClearWindow(false);
    app.duringSwap = nullptr;
    app.frame(5.0f);
    EXPECT_EQ(log, (Log{"view.preUpdate", "timer", "listener", "logic.update", "view.update",
                        "view.render", "show"}));
}

TEST_F(GameManagerTest, InputEventsGoToTheViewsOthersAreIgnored)
{
    for (int type : {11, 12, 13, 14, 2, 3, 15, 99}) {
        EVT::Event event(type);
        raise(event);
    }
    EXPECT_EQ(log, (Log{"view.input 11", "view.input 12", "view.input 13", "view.input 14"}));
    // A record that does not match its type number carries nothing to use.
    log.clear();
    for (int type : {6, 7, 9}) {
        EVT::Event event(type);
        raise(event);
    }
    EXPECT_TRUE(log.empty());
}

TEST(GameManagerFrameSkip, SkipsSlowFramesUpToTheLimit)
{
    struct Case {
        const char* name;
        int frameRate;
        int maxSkip;
        std::vector<float> deltas;
        std::vector<bool> drawn;
    };
    const Case cases[] = {
        {"slow frames at 50 fps", 50, 2, {25, 25, 25, 25}, {false, false, true, false}},
        {"exactly the interval", 50, 2, {20, 20}, {true, true}},
        {"fast then slow", 50, 1, {10, 30, 30, 10}, {true, false, true, true}},
        {"no frame rate", 0, 2, {1000, 1000}, {true, true}},
        {"no frame skip", 50, 0, {25, 25}, {true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game::GameManager manager(0, 0, c.frameRate, c.maxSkip);
        TestWindowApp app;
        manager.setWindowApp(&app);
        std::vector<bool> drawn;
        for (float delta : c.deltas) {
            const int before = app.shows;
            app.frame(delta);
            drawn.push_back(app.shows > before);
        }
        EXPECT_EQ(drawn, c.drawn);
    }
}

TEST_F(GameManagerTest, PauseAndResumeReachTimersViewsAndLogic)
{
    LoggingTimer timer(log);
    timer.start(1.0f, 1.0f);
    EVT::Event pause(EVT::PAUSE);
    EVT::Event resume(EVT::RESUME);
    raise(pause);
    raise(pause);
    raise(resume);
    EXPECT_EQ(log, (Log{"view.pause 1", "logic.pause 1", "view.pause 1", "logic.pause 1",
                        "view.pause 0", "logic.pause 0"}));
    // Timers count nested pauses: one resume after two pauses leaves them standing.
    EXPECT_EQ(timer.isPaused(), 1);
    log.clear();
    app.frame(10.0f);
    EXPECT_EQ(std::count(log.begin(), log.end(), "timer"), 0);
    raise(resume);
    log.clear();
    app.frame(10.0f);
    EXPECT_EQ(std::count(log.begin(), log.end(), "timer"), 1);
}

TEST_F(GameManagerTest, ScreenEventsSetTheSizeForViewsAndWatchers)
{
    Watcher early(log, "early");
    manager.addScreenWatcher(&early);
    manager.addScreenWatcher(&early);
    EXPECT_EQ(log, Log{"early 0x0"});

    log.clear();
    raiseScreen(1024, 768);
    EXPECT_EQ(log, (Log{"view.size 1024x768", "early 1024x768"}));
    int w = 0, h = 0;
    manager.getScreenSize(w, h);
    EXPECT_EQ(sizeText(w, h), "1024x768");
    float sx = 0.0f, sy = 0.0f;
    manager.getScreenScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 1.28f);
    EXPECT_FLOAT_EQ(sy, 1.28f);

    Watcher late(log, "late");
    log.clear();
    manager.addScreenWatcher(&late);
    EXPECT_EQ(log, Log{"late 1024x768"});
    Watcher stranger(log, "stranger");
    manager.removeScreenWatcher(&stranger);
    manager.removeScreenWatcher(&early);
    log.clear();
    raiseScreen(640, 480);
    EXPECT_EQ(log, (Log{"view.size 640x480", "late 640x480"}));
}

TEST_F(GameManagerTest, ListenersChangingTheirOwnListDuringACallStayWellDefined)
{
    Listener a(log, "a"), b(log, "b"), c(log, "c"), added(log, "added");
    manager.addGameUpdated(&a);
    manager.addGameUpdated(&b);
    manager.addGameUpdated(&c);
    manager.addGameUpdated(&a);
    // a removes itself and b, and adds another: c is still called once, the new one from the
    // next update on.
    a.action = [&] {
        manager.removeGameUpdated(&a);
        manager.removeGameUpdated(&b);
        manager.addGameUpdated(&added);
    };
    // c removes a listener that was already called.
    c.action = [&] { manager.removeGameUpdated(&a); };
    Listener stranger(log, "stranger");
    manager.removeGameUpdated(&stranger);
    app.frame(5.0f);
    app.frame(5.0f);
    Log calls;
    for (const std::string& entry : log) {
        if (entry == "a" || entry == "b" || entry == "c" || entry == "added") {
            calls.push_back(entry);
        }
    }
    EXPECT_EQ(calls, (Log{"a", "c", "c", "added"}));
    EXPECT_FLOAT_EQ(*c.lastDelta, 5.0f);

    Watcher w1(log, "w1"), w2(log, "w2"), w3(log, "w3");
    manager.addScreenWatcher(&w1);
    manager.addScreenWatcher(&w2);
    w1.action = [&] {
        manager.removeScreenWatcher(&w1);
        manager.removeScreenWatcher(&w2);
        manager.addScreenWatcher(&w3);
    };
    log.clear();
    raiseScreen(300, 200);
    EXPECT_EQ(log, (Log{"view.size 300x200", "w1 300x200", "w3 300x200"}));
}

TEST_F(GameManagerTest, ShutdownQuitsAfterTheCurrentDeliveryAtTheEndOfTheFrame)
{
    app.deltas = {5.0f, 5.0f, 5.0f, 5.0f};
    int updates = 0;
    logic.action = [&] {
        if (++updates == 2) {
            manager.shutdown();
            EXPECT_FALSE(app.quit);
        }
    };
    manager.run();
    EXPECT_EQ(app.frames, 2u);
    // The quit is delivered once the update event's delivery is over; that frame still draws.
    EXPECT_EQ(Log(log.end() - 7, log.end()),
              (Log{"view.preUpdate", "logic.update", "view.update", "quit", "clear 11223344",
                   "view.render", "show"}));

    // Outside any delivery it takes effect at once.
    TestWindowApp other;
    other.initWindowApp();
    manager.shutdown();
    EXPECT_TRUE(other.quit);
}

TEST(GameManagerDeathTest, AWindowThatCannotBeUsedEndsTheProgram)
{
    Game::GameManager manager(0, 0, 60, 2);
    TestWindowApp app;
    app.initResult = false;
    manager.setWindowApp(&app);
    EXPECT_DEATH(manager.run(), "ABORT: Func:void Game::GameManager::run\\(\\) "
                                "File:lib/Game/GameManager Line: [0-9]+\nABORT: Failed to init "
                                "window");
    Game::GameManager unwired(0, 0, 60, 2);
    EXPECT_DEATH(unwired.run(), "ABORT: Failed to init window");
}

// Frame records of classes derived from the framework's, as another part of a program may
// raise them: understood as the records they derive from.
class TracedPreUpdate : public EVT::Event_PreUpdate {
public:
    using Event_PreUpdate::Event_PreUpdate;
};
class TracedUpdate : public EVT::Event_Update {
public:
    using Event_Update::Event_Update;
};
class TracedScreen : public EVT::Event_Screen {
public:
    using Event_Screen::Event_Screen;
};

TEST_F(GameManagerTest, RecordsDerivedFromTheFrameRecordsAreUnderstood)
{
    TracedPreUpdate preUpdate(4.0f);
    raise(preUpdate);
    TracedUpdate update(5.0f);
    raise(update);
    TracedScreen screen(640, 480);
    raise(screen);
    EXPECT_EQ(log, (Log{"view.preUpdate", "logic.update", "view.update", "view.size 640x480"}));
    EXPECT_EQ(logic.deltas, std::vector<float>{5.0f});
    int width = 0;
    int height = 0;
    manager.getScreenSize(width, height);
    EXPECT_EQ(sizeText(640, 480), sizeText(width, height));
}
