#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Events/Event.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_PreUpdate.h"
#include "Events/Event_Screen.h"
#include "Events/Event_Update.h"
#include "Events/I_EventConsumer.h"
#include "Game/I_WindowApp.h"

// A window application without a window, for driving the game manager headless. Its loop
// raises what the real one raises each frame (pre-update, update, render) with scripted
// deltas, until a quit arrives or the script ends; input the window system would deliver
// during the buffer swap is injected from duringSwap. The calls made on it go to a log.
class TestWindowApp : public Game::I_WindowApp, public EVT::I_EventConsumer {
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
        while (!quit && frames < deltas.size()) {
            frame(deltas[frames++]);
        }
    }

    // One frame as the real loop raises it.
    void frame(float delta)
    {
        EVT::EventBus& bus = EVT::EventBus::instance();
        EVT::Event_PreUpdate preUpdate(delta);
        bus.raiseEvent(&preUpdate, false);
        EVT::Event_Update update(delta);
        bus.raiseEvent(&update, false);
        EVT::Event render(EVT::RENDER);
        bus.raiseEvent(&render, false);
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
    void note(const std::string& call)
    {
        if (log) {
            log->push_back(call);
        }
    }

    std::vector<std::string>* log;
};
