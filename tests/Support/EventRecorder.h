#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "Events/EventBus.h"
#include "Events/I_EventConsumer.h"

namespace TestSupport {

// A consumer for tests: counts every event it receives, keeps a clone of
// each (unless keepEvents is off, for tests that count allocations), writes
// "name:type" into a shared log when given one (to follow the order between
// several consumers), and then runs onEvent, which may register, unregister,
// raise or even destroy this very recorder. Registers for the types given;
// one made without types registers for nothing (tests register it
// themselves) and allocates nothing beyond itself.
class EventRecorder : public EVT::I_EventConsumer {
public:
    using Log = std::vector<std::string>;

    EventRecorder() = default;
    explicit EventRecorder(std::initializer_list<int> types) { listen(types); }
    EventRecorder(std::string name, Log& log, std::initializer_list<int> types = {})
        : name(std::move(name)), log(&log)
    {
        listen(types);
    }

    void handleEvent(EVT::I_Event* event) override
    {
        ++handled;
        if (keepEvents) {
            events.emplace_back(event->clone());
        }
        if (log) {
            log->push_back(name + ":" + std::to_string(event->type));
        }
        if (onEvent) {
            auto action = onEvent; // the action may delete this recorder
            action(event);
        }
    }

    // The recorded events of one type, as their record class.
    template <typename Record>
    std::vector<Record> of(int type) const
    {
        std::vector<Record> found;
        for (const auto& event : events) {
            if (event->type == type) {
                found.push_back(dynamic_cast<const Record&>(*event));
            }
        }
        return found;
    }

    // The type numbers of the recorded events, in the order they came.
    std::vector<int> types() const
    {
        std::vector<int> found;
        for (const auto& event : events) {
            found.push_back(event->type);
        }
        return found;
    }

    int handled = 0;
    bool keepEvents = true;
    std::vector<std::unique_ptr<EVT::I_Event>> events;
    std::function<void(EVT::I_Event*)> onEvent;

private:
    std::string name;
    Log* log = nullptr;

    void listen(std::initializer_list<int> types)
    {
        for (int type : types) {
            EVT::EventBus::instance().addConsumer(type, this);
        }
    }
};

} // namespace TestSupport
