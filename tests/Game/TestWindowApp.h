#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Screen.h"
#include "Events/I_EventConsumer.h"
#include "Game/FrameSequence.h"
#include "Game/I_FrameBackend.h"
#include "Game/I_WindowApp.h"

// A window application without a window, for driving the game manager headless. Its loop is
// the real frame sequence (pre-update, update, render each frame) with scripted deltas, until
// a quit arrives or the script ends; input the window system would deliver during the buffer
// swap is injected from duringSwap. The calls made on it go to a log.
class TestWindowApp : public Game::I_WindowApp,
                      public EVT::I_EventConsumer,
                      private Game::I_FrameBackend {
public:
    explicit TestWindowApp(std::vector<std::string>* callLog = nullptr) : log(callLog)
    {
        setClearWindow(true);
        setClearColor(0x11223344);
    }

    bool initWindowApp() override
    {
        note("init");
        if (initResult) {
            EVT::EventBus::instance().addConsumer(EVT::QUIT, this);
        }
        return initResult;
    }

    void run() override
    {
        note("run");
        Game::FrameSequence(*this).run();
    }

    // One frame as the real loop raises it, with the given delta.
    void frame(float delta)
    {
        frameDeltaGiven = true;
        givenDelta = delta;
        Game::FrameSequence(*this).runFrame();
    }

    void getAllowedSizes(std::vector<std::pair<int, int>>& sizes) override { sizes.clear(); }

    void setSize(const std::pair<int, int>& size) override
    {
        EVT::Event_Screen screen(size.first, size.second);
        EVT::EventBus::instance().raiseEvent(&screen, false);
    }

    double getTime() const override { return time; }
    void resetTime() override { note("resetTime"); }

    void showWindow() override
    {
        ++shows;
        note("show");
        if (duringSwap) {
            duringSwap();
        }
    }

    void clearWindow(unsigned long colour) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "clear %08lx", colour);
        note(text);
    }

    void handleEvent(EVT::I_Event* event) override
    {
        if (event->type == EVT::QUIT) {
            quit = true;
            note("quit");
        }
    }

    std::vector<float> deltas;
    std::function<void()> duringSwap;
    bool initResult = true;
    bool quit = false;
    std::size_t frames = 0;
    int shows = 0;
    double time = 12.5;

private:
    bool frameLoopDone() override { return quit || frames >= deltas.size(); }

    float frameDelta() override
    {
        if (frameDeltaGiven) {
            frameDeltaGiven = false;
            return givenDelta;
        }
        return deltas[frames++];
    }

    void note(const std::string& call)
    {
        if (log) {
            log->push_back(call);
        }
    }

    std::vector<std::string>* log;
    bool frameDeltaGiven = false;
    float givenDelta = 0.0f;
};
