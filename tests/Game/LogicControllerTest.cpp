#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "Game/LogicController.h"

namespace {

using Log = std::vector<std::string>;
using Transitions = Game::LogicController::Transitions;

// A state that writes every call into a shared log and answers updates
// with the results it was given, then with "" (stay).
class RecordingState : public Game::I_LogicState {
public:
    RecordingState(const std::string& tag, Log& log, std::deque<std::string> results = {})
        : tag(tag), log(log), results(std::move(results))
    {
    }
    ~RecordingState() override { log.push_back(tag + " deleted"); }

    void setPause(bool paused) override { log.push_back(tag + " pause " + (paused ? "1" : "0")); }
    void onEnter(const std::string& previous, const std::string& reason) override
    {
        log.push_back(tag + " enter '" + previous + "' '" + reason + "'");
    }
    std::string onUpdate(float) override
    {
        log.push_back(tag + " update");
        if (results.empty())
            return "";
        std::string result = results.front();
        results.pop_front();
        return result;
    }
    void doExit(const std::string&) override { log.push_back(tag + " exit"); }

    std::string tag;
    Log& log;
    std::deque<std::string> results;
};

} // namespace

TEST(LogicController, FirstUpdateEntersTheFirstStateAndRunsIt)
{
    Log log;
    Game::LogicController controller;
    controller.onUpdate(16.0f); // no states: nothing to do
    controller.setPause(true);  // no current state yet: ignored
    EXPECT_EQ(controller.getState(""), nullptr);
    controller.add("A", new RecordingState("A", log), {});
    controller.add("B", new RecordingState("B", log), {});
    controller.setPause(true);
    controller.onUpdate(10.0f);
    controller.onUpdate(10.0f);
    EXPECT_EQ(log, (Log{"A enter '' ''", "A update", "A update"}));
}

TEST(LogicController, TransitionsChooseTheTargetAndTheReason)
{
    struct Case {
        const char* title;
        Transitions transitions;
        std::string result;
        std::string entered; // "<state> enter '<previous>' '<reason>'"
    };
    const Case cases[] = {
        {"no transitions: next state", {}, "X", "B enter 'A' '*'"},
        {"prefix pattern", {{"GO", "C"}, {"", "D"}}, "GOAL", "C enter 'A' 'GOAL'"},
        {"empty pattern matches any", {{"GO", "C"}, {"", "D"}}, "STOP", "D enter 'A' 'STOP'"},
        {"first matching pair wins", {{"G", "D"}, {"GO", "C"}}, "GOAL", "D enter 'A' 'GOAL'"},
        {"pattern longer than result", {{"GOAL", "C"}, {"*", "D"}}, "GO", "D enter 'A' '*'"},
        {"catch-all passes star", {{"*", "C"}}, "END", "C enter 'A' '*'"},
        {"star result kept as is", {{"*", "C"}}, "*x", "C enter 'A' '*x'"},
        {"case-sensitive", {{"go", "C"}}, "GO", "B enter 'A' '*'"},
        {"unknown target: next", {{"GO", "Nowhere"}}, "GOAL", "B enter 'A' 'GOAL'"},
        {"unknown catch-all: next", {{"*", "Nowhere"}}, "END", "B enter 'A' '*'"},
        {"self target re-enters", {{"AGAIN", "A"}}, "AGAIN", "A enter 'A' 'AGAIN'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Log log;
        {
            Game::LogicController controller;
            controller.add("A", new RecordingState("A", log, {c.result}), c.transitions);
            for (const char* name : {"B", "C", "D"})
                controller.add(name, new RecordingState(name, log), {});
            controller.onUpdate(1.0f);
            // The entered state is not updated in the same call.
            ASSERT_EQ(log.size(), 3u);
            EXPECT_EQ(log[2], c.entered);
            log.clear();
            controller.onUpdate(1.0f);
            ASSERT_FALSE(log.empty());
            EXPECT_EQ(log[0], c.entered.substr(0, 1) + " update");
        }
    }
}

TEST(LogicController, NextStateWrapsAroundAndSkipsNoStateNamedEmpty)
{
    Log log;
    Game::LogicController controller;
    controller.add("A", new RecordingState("A", log, {"X"}), {});
    controller.add("", new RecordingState("unnamed", log, {"X"}), {});
    controller.add("C", new RecordingState("C", log, {"X"}), {});
    for (int i = 0; i < 4; ++i)
        controller.onUpdate(1.0f);
    // Without a target name the next registered state follows, even though
    // one state is registered under the empty name; after the last, the first.
    EXPECT_EQ(log, (Log{"A enter '' ''", "A update", "unnamed enter 'A' '*'", "unnamed update",
                        "C enter '' '*'", "C update", "A enter 'C' '*'", "A update"}));
}

TEST(LogicController, DuplicateNamesResolveToTheFirstRegistration)
{
    Log log;
    auto* first = new RecordingState("first", log);
    auto* second = new RecordingState("second", log);
    Game::LogicController controller;
    controller.add("A", new RecordingState("A", log, {"GO"}), {{"GO", "S"}});
    controller.add("S", first, {});
    controller.add("S", second, {});
    EXPECT_EQ(controller.getState("S"), first);
    EXPECT_EQ(controller.getState("s"), nullptr);
    EXPECT_EQ(controller.getState("S "), nullptr);
    controller.onUpdate(1.0f);
    EXPECT_EQ(log.back(), "first enter 'A' 'GO'");
}

TEST(LogicController, PauseReachesOnlyTheCurrentState)
{
    Log log;
    Game::LogicController controller;
    controller.add("A", new RecordingState("A", log, {"X"}), {});
    controller.add("B", new RecordingState("B", log), {});
    controller.onUpdate(1.0f); // A runs and hands over to B
    log.clear();
    controller.setPause(true);
    controller.setPause(false);
    EXPECT_EQ(log, (Log{"B pause 1", "B pause 0"}));
}

TEST(LogicController, OwnsItsStatesAndDeletesThemLastFirst)
{
    Log log;
    {
        Game::LogicController controller;
        controller.add("A", new RecordingState("A", log), {});
        controller.add("B", new RecordingState("B", log), {});
        controller.add("C", nullptr, {}); // refused: never run, never deleted
        controller.add("D", new RecordingState("D", log), {});
        EXPECT_EQ(controller.getState("C"), nullptr);
    }
    EXPECT_EQ(log, (Log{"D deleted", "B deleted", "A deleted"}));
}
