#pragma once

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "Events/I_Event.h"
#include "Util/Singleton.h"

namespace EVT {

class I_EventConsumer;

// The program's synchronous publish/subscribe hub. A raised event reaches, in
// the same call, every consumer registered for its type number, in
// registration order. Consumers may register, unregister or be destroyed in
// the middle of a delivery: unregistrations are deferred to the end of the
// outermost delivery (the consumer is skipped meanwhile), and events raised
// with queue-if-busy during a delivery are cloned and delivered once the
// outermost delivery has finished. Owns the queued clones, not the consumers.
// Final: it exists once, as the process-wide singleton, and nothing derives
// from it, which lets its own calls to its operations be direct.
class EventBus final : public Util::Singleton<EventBus> {
public:
    // A registration: the pointer is only for calling; the id says who it is.
    using ConsumerEntry = std::pair<I_EventConsumer*, unsigned long>;
    using ConsumerList = std::vector<ConsumerEntry>;

    EventBus();
    virtual ~EventBus();

    virtual void addConsumer(int type, I_EventConsumer* consumer);
    virtual void removeConsumer(int type, I_EventConsumer* consumer);
    // From every type that anyone ever registered for.
    virtual void removeConsumer(I_EventConsumer* consumer);
    // Raises a generic event of that type.
    virtual void raiseEvent(int type, bool queueIfBusy);
    // Never takes ownership of event; a queued event is a clone.
    virtual void raiseEvent(I_Event* event, bool queueIfBusy);
    virtual void dump() const;

    // False once the process-wide bus has been destroyed at exit.
    static bool isAlive();

    // Introspection for diagnostics and tests.
    int getDeliveryDepth() const { return deliveryDepth; }
    std::size_t consumerCount(int type) const;
    std::size_t pendingCount(int type) const;
    std::size_t queuedCount() const { return fillQueue->size(); }

protected:
    virtual void processEvent(I_Event* event);
    virtual ConsumerList::iterator findConsumer(const ConsumerEntry& entry,
                                                ConsumerList& list) const;
    virtual void removeConsumer(int type, const ConsumerEntry& entry);

private:
    // Type numbers below this are found by index on every delivery; the
    // rest through the map.
    static constexpr int kDirectTypes = 64;

    static ConsumerEntry entryOf(I_EventConsumer* consumer);
    // The registrations of a type, or null when nobody ever registered.
    const ConsumerList* listOf(int type) const
    {
        if (static_cast<unsigned>(type) < static_cast<unsigned>(kDirectTypes)) {
            return directLists[type];
        }
        return listInMap(type);
    }
    const ConsumerList* listInMap(int type) const;
    void deliver(I_Event* event);
    void raiseNested(I_Event* event, bool queueIfBusy);
    void finishOutermostDelivery();
    bool isPendingRemoval(int type, unsigned long id) const;
    void applyPendingRemovals();
    void drainQueuedEvents();

    int deliveryDepth;
    std::vector<I_Event*> queueA;
    std::vector<I_Event*> queueB;
    std::vector<I_Event*>* fillQueue;
    std::vector<I_Event*>* drainQueue;
    std::map<int, ConsumerList> consumers;
    std::map<int, ConsumerList> pendingRemovals;
    std::set<int> knownTypes;
    // Entries in all pending lists together: lets a delivery skip the
    // pending test entirely in the usual case of none.
    std::size_t pendingTotal;
    // The lists of consumers for the small type numbers, pointing into
    // consumers (map nodes never move, and no list is ever erased).
    ConsumerList* directLists[kDirectTypes];
};

} // namespace EVT
