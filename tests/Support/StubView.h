#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Events/I_Event.h"
#include "Game/I_View.h"

namespace TestSupport {

// A view for tests that does nothing by itself. Given a shared log, it
// writes each call into it as "<name>.<call>", the call one of "pause 1",
// "pause 0", "size WxH", "preUpdate", "update", "render", "input N" (N the
// event's type); hook runs inside every call with the call's text and, for
// input, the event. onInput hands the event on unless answer is set. Without a
// log or hook it allocates nothing, so frame-cost tests can use it.
class StubView : public Game::I_View {
public:
    using Log = std::vector<std::string>;

    StubView() = default;
    StubView(std::string name, Log& log) : name(std::move(name)), log(&log) {}

    void setPause(bool paused) override { note(paused ? "pause 1" : "pause 0"); }
    void setScreenSize(int width, int height) override
    {
        if (log || hook) {
            note("size " + std::to_string(width) + "x" + std::to_string(height));
        }
    }
    void preUpdate(float) override { note("preUpdate"); }
    void onUpdate(float) override { note("update"); }
    void onRender() override { note("render"); }
    EVT::I_Event* onInput(EVT::I_Event* event) override
    {
        if (log || hook) {
            note("input " + std::to_string(event->type), event);
        }
        return answerSet ? answer : event;
    }
    Game::ViewBox getViewBox() const override { return box; }

    // onInput answers with replacement from now on (null stops the event).
    void stopInput(EVT::I_Event* replacement)
    {
        answerSet = true;
        answer = replacement;
    }

    Game::ViewBox box{0, 0, 0, 0};
    std::function<void(const std::string& call, EVT::I_Event* input)> hook;

private:
    std::string name;
    Log* log = nullptr;
    bool answerSet = false;
    EVT::I_Event* answer = nullptr;

    void note(const std::string& call, EVT::I_Event* input = nullptr)
    {
        if (log) {
            log->push_back(name + "." + call);
        }
        if (hook) {
            hook(call, input);
        }
    }
    void note(const char* call)
    {
        if (log || hook) {
            note(std::string(call));
        }
    }
};

} // namespace TestSupport
