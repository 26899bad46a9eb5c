#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Events/Event.h"
#include "Game/ViewManager.h"
#include "Support/StubView.h"

namespace {

using Log = std::vector<std::string>;
using TestSupport::StubView;

// Every call the manager passes on, once, in frame order.
void runFrame(Game::ViewManager& manager, EVT::I_Event* input)
{
    manager.preUpdate(16.0f);
    manager.onUpdate(16.0f);
    manager.onRender();
    manager.onInput(input);
    manager.setPause(true);
}

} // namespace

TEST(ViewManager, AddedViewLearnsTheScreenSizeAtOnceAndOnEveryChange)
{
    Log log;
    Game::ViewManager manager;
    StubView a("A", log);
    manager.add(&a);
    manager.setScreenSize(800, 600); // a is still pending: told as well
    manager.onUpdate(1.0f);
    manager.setScreenSize(800, 600); // unchanged: not passed on
    manager.setScreenSize(1024, 600);
    int width = 0, height = 0;
    manager.getScreenSize(width, height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(log, (Log{"A.size 0x0", "A.size 800x600", "A.update", "A.size 1024x600"}));
}

TEST(ViewManager, PendingAdditionsWaitForTheNextPass)
{
    Log log;
    EVT::Event key(13);
    Game::ViewManager manager;
    StubView a("A", log);
    manager.add(&a);
    log.clear();
    manager.preUpdate(1.0f); // not registered yet: no pre-update
    manager.setPause(true);
    EXPECT_TRUE(log.empty());
    manager.onRender(); // applies the addition, then draws
    manager.onInput(&key);
    EXPECT_EQ(log, (Log{"A.render", "A.input 13"}));
}

TEST(ViewManager, RemovedViewIsNeverCalledAgain)
{
    Log log;
    EVT::Event key(13);
    Game::ViewManager manager;
    StubView a("A", log);
    auto b = std::make_unique<StubView>("B", log);
    manager.add(&a);
    manager.add(b.get());
    manager.onUpdate(1.0f);
    log.clear();

    manager.remove(b.get());
    EXPECT_FALSE(manager.viewStillValid(b.get()));
    EXPECT_TRUE(manager.viewStillValid(&a));
    b.reset(); // owners destroy a view right after removing it
    manager.setScreenSize(640, 480);
    runFrame(manager, &key);
    EXPECT_EQ(log, (Log{"A.size 640x480", "A.preUpdate", "A.update", "A.render", "A.input 13",
                        "A.pause 1"}));
}

TEST(ViewManager, PendingChangesNetOutInCallOrder)
{
    struct Case {
        const char* title;
        std::vector<std::string> ops; // "+X" add, "-X" remove, "|" pass
        std::string drawn;            // render order after the last pass
    };
    const Case cases[] = {
        {"add then remove: never registered", {"+A", "-A", "|"}, ""},
        {"remove then add: moves to the top", {"+A", "+B", "|", "-A", "+A", "|"}, "BA"},
        {"removals before additions", {"+A", "+B", "|", "+C", "-A", "|"}, "BC"},
        {"removing twice erases once", {"+A", "+B", "|", "-A", "-A", "|"}, "B"},
        {"one occurrence per removal", {"+A", "|", "+A", "|", "-A", "|"}, "A"},
        {"first occurrence goes", {"+A", "+B", "+A", "|", "-A", "|"}, "BA"},
        {"duplicate add then remove", {"+A", "|", "+A", "-A", "|"}, "A"},
        {"add, remove, add again", {"+A", "-A", "+A", "|"}, "A"},
        {"re-add then remove", {"+A", "|", "-A", "+A", "-A", "|"}, ""},
        {"removal of an unknown view", {"-A", "+B", "|"}, "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Log log;
        StubView a("A", log), b("B", log), cv("C", log);
        auto pick = [&](char tag) -> StubView* { return tag == 'A' ? &a : tag == 'B' ? &b : &cv; };
        Game::ViewManager manager;
        for (const std::string& op : c.ops) {
            if (op == "|")
                manager.doPendingUpdates();
            else if (op[0] == '+')
                manager.add(pick(op[1]));
            else
                manager.remove(pick(op[1]));
        }
        log.clear();
        manager.onRender();
        std::string drawn;
        for (const std::string& line : log)
            drawn += line.substr(0, 1);
        EXPECT_EQ(drawn, c.drawn);
    }
}

TEST(ViewManager, AddThenRemoveReadsInvalidUntilThePass)
{
    Log log;
    Game::ViewManager manager;
    StubView a("A", log);
    manager.add(&a);
    manager.remove(&a);
    EXPECT_FALSE(manager.viewStillValid(&a));
    manager.doPendingUpdates();
    EXPECT_TRUE(manager.viewStillValid(&a));
}

TEST(ViewManager, InputGoesFromTheTopViewDown)
{
    EVT::Event key(13), other(11);
    struct Case {
        const char* title;
        EVT::I_Event* offered;
        EVT::I_Event* topAnswer; // what B returns
        Log expected;
    };
    const Case cases[] = {
        {"passed on", &key, &key, {"B.input 13", "A.input 13"}},
        {"stopped at the top", &key, nullptr, {"B.input 13"}},
        {"replaced", &key, &other, {"B.input 13", "A.input 11"}},
        {"null reaches no view", nullptr, &key, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Log log;
        Game::ViewManager manager;
        StubView a("A", log), b("B", log);
        b.stopInput(c.topAnswer);
        manager.add(&a);
        manager.add(&b);
        log.clear();
        manager.onInput(c.offered);
        EXPECT_EQ(log, c.expected);
    }
}

TEST(ViewManager, ChangesMadeDuringAPassWaitForTheNext)
{
    Log log;
    Game::ViewManager manager;
    StubView a("A", log), b("B", log);
    auto c = std::make_unique<StubView>("C", log);
    manager.add(&a);
    manager.add(c.get());
    manager.doPendingUpdates();
    // A, drawn first, removes and destroys C and adds B during the update.
    a.hook = [&](const std::string& call, EVT::I_Event*) {
        if (call != "update")
            return;
        manager.remove(c.get());
        c.reset();
        manager.add(&b);
        manager.doPendingUpdates(); // inside a walk: deferred
    };
    log.clear();
    manager.onUpdate(1.0f);
    a.hook = nullptr;
    manager.onRender();
    EXPECT_EQ(log, (Log{"A.update", "B.size 0x0", "A.render", "B.render"}));
}

TEST(ViewManager, NullViewsAreRefused)
{
    Game::ViewManager manager;
    manager.add(nullptr);
    manager.remove(nullptr);
    manager.onUpdate(1.0f);
    manager.onRender();
    EXPECT_TRUE(manager.viewStillValid(nullptr));
}
