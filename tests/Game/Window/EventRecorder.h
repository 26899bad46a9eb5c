#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "Events/EventBus.h"
#include "Events/I_EventConsumer.h"

// A consumer that keeps a clone of every event of the types it registered for, in the order
// they arrived, and can act on each one as it arrives.
class EventRecorder : public EVT::I_EventConsumer {
public:
    explicit EventRecorder(std::initializer_list<int> types)
    {
        for (int type : types) {
            EVT::EventBus::instance().addConsumer(type, this);
        }
    }

    void handleEvent(EVT::I_Event* event) override
    {
        events.emplace_back(event->clone());
        if (onEvent) {
            onEvent(event);
        }
    }

    // The recorded events of one type, as their record class.
    template <typename Record> std::vector<Record> of(int type) const
    {
        std::vector<Record> found;
        for (const auto& event : events) {
            if (event->type == type) {
                found.push_back(dynamic_cast<const Record&>(*event));
            }
        }
        return found;
    }

    std::vector<int> types() const
    {
        std::vector<int> found;
        for (const auto& event : events) {
            found.push_back(event->type);
        }
        return found;
    }

    std::vector<std::unique_ptr<EVT::I_Event>> events;
    std::function<void(EVT::I_Event*)> onEvent;
};
