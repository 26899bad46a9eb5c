#include "Events/EventBus.h"

#include <algorithm>

#include "Events/Event.h"
#include "Events/I_EventConsumer.h"

namespace EVT {

namespace {

// Storage that outlives the bus itself, so consumers destroyed late during
// exit can tell the bus is gone instead of calling into a dead object.
bool s_busAlive = false;

// Keeps the delivery depth right even if a consumer throws.
class DepthGuard {
public:
    explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& m_depth;
};

} // namespace

EventBus::EventBus()
    : deliveryDepth(0), fillQueue(&queueA), drainQueue(&queueB), pendingTotal(0), directLists()
{
    s_busAlive = true;
}

EventBus::~EventBus()
{
    s_busAlive = false;
    // Events still queued at exit are dropped, but not leaked.
    for (I_Event* event : queueA) {
        delete event;
    }
    for (I_Event* event : queueB) {
        delete event;
    }
}

bool EventBus::isAlive()
{
    return s_busAlive;
}

EventBus::ConsumerEntry EventBus::entryOf(I_EventConsumer* consumer)
{
    return ConsumerEntry(consumer, consumer->id);
}

void EventBus::addConsumer(int type, I_EventConsumer* consumer)
{
    if (consumer == nullptr) {
        return;
    }
    knownTypes.insert(type);
    const ConsumerEntry entry = entryOf(consumer);
    ConsumerList& list = consumers[type];
    if (static_cast<unsigned>(type) < static_cast<unsigned>(kDirectTypes)) {
        directLists[type] = &list;
    }
    const bool registered = findConsumer(entry, list) != list.end();
    if (!registered) {
        list.push_back(entry);
    }
    // Registering is the latest word: it cancels every unregistration of this
    // consumer still pending for the type, so the consumer stays (or becomes)
    // registered. An already registered consumer keeps its place.
    auto pending = pendingRemovals.find(type);
    if (pending == pendingRemovals.end()) {
        return;
    }
    ConsumerList& removals = pending->second;
    const auto sameId = [&entry](const ConsumerEntry& e) { return e.second == entry.second; };
    const auto kept = std::remove_if(removals.begin(), removals.end(), sameId);
    pendingTotal -= static_cast<std::size_t>(removals.end() - kept);
    removals.erase(kept, removals.end());
}

void EventBus::removeConsumer(int type, I_EventConsumer* consumer)
{
    if (consumer == nullptr) {
        return;
    }
    removeConsumer(type, entryOf(consumer));
}

void EventBus::removeConsumer(I_EventConsumer* consumer)
{
    if (consumer == nullptr) {
        return;
    }
    const ConsumerEntry entry = entryOf(consumer);
    for (int type : knownTypes) {
        removeConsumer(type, entry);
    }
}

void EventBus::removeConsumer(int type, const ConsumerEntry& entry)
{
    if (deliveryDepth != 0) {
        // Erasing now could disturb a walk in progress; the entry is skipped
        // from now on and erased when the outermost delivery ends.
        pendingRemovals[type].push_back(entry);
        ++pendingTotal;
        return;
    }
    auto found = consumers.find(type);
    if (found == consumers.end()) {
        return;
    }
    auto position = findConsumer(entry, found->second);
    if (position != found->second.end()) {
        found->second.erase(position);
    }
}

void EventBus::raiseEvent(int type, bool queueIfBusy)
{
    Event event(type);
    raiseEvent(&event, queueIfBusy);
}

// One delivery: the walk over one type's consumers. Written once for
// processEvent and for raiseEvent, which makes nearly every delivery and has
// it inline.
inline void EventBus::deliver(I_Event* event)
{
    const ConsumerList* list = listOf(event->type);
    if (list == nullptr || list->empty()) {
        return;
    }
    // Map nodes never move, and nothing erases from a list while a delivery
    // runs, so the list stays valid; walking by index also reaches consumers
    // that register for this type during the walk (which may move the
    // entries, so each is read afresh).
    DepthGuard depth(deliveryDepth);
    std::size_t i = 0;
    do {
        const ConsumerEntry& entry = (*list)[i];
        if (pendingTotal == 0 || !isPendingRemoval(event->type, entry.second)) {
            entry.first->handleEvent(event);
        }
    } while (++i < list->size());
}

void EventBus::processEvent(I_Event* event)
{
    deliver(event);
}

void EventBus::raiseEvent(I_Event* event, bool queueIfBusy)
{
    if (event == nullptr) {
        return;
    }
    if (deliveryDepth != 0) {
        raiseNested(event, queueIfBusy);
        return;
    }
    deliver(event);
    // The outermost delivery is over. Usually nothing was unregistered or
    // queued meanwhile, and two loads tell so.
    if (pendingTotal != 0 || !fillQueue->empty()) {
        finishOutermostDelivery();
    }
}

// Out of line, like the clean-up after the outermost delivery: raiseEvent's
// usual call comes from outside any delivery and needs neither.
[[gnu::noinline]] void EventBus::raiseNested(I_Event* event, bool queueIfBusy)
{
    if (queueIfBusy) {
        fillQueue->push_back(event->clone());
    } else {
        processEvent(event);
    }
}

[[gnu::noinline]] void EventBus::finishOutermostDelivery()
{
    if (pendingTotal != 0) {
        applyPendingRemovals();
    }
    if (!fillQueue->empty()) {
        drainQueuedEvents();
    }
}

void EventBus::dump() const {}

// Out of line: only type numbers beyond the index table come here.
[[gnu::noinline]] const EventBus::ConsumerList* EventBus::listInMap(int type) const
{
    auto found = consumers.find(type);
    return found == consumers.end() ? nullptr : &found->second;
}

// Out of line: rare, and it would crowd the delivery loop.
[[gnu::noinline]] bool EventBus::isPendingRemoval(int type, unsigned long id) const
{
    auto pending = pendingRemovals.find(type);
    if (pending == pendingRemovals.end()) {
        return false;
    }
    for (const ConsumerEntry& entry : pending->second) {
        if (entry.second == id) {
            return true;
        }
    }
    return false;
}

EventBus::ConsumerList::iterator EventBus::findConsumer(const ConsumerEntry& entry,
                                                        ConsumerList& list) const
{
    return std::find_if(list.begin(), list.end(),
                        [&entry](const ConsumerEntry& e) { return e.second == entry.second; });
}

void EventBus::applyPendingRemovals()
{
    // Every type with pending entries, in ascending order; the lists keep
    // their storage for the next time.
    for (auto& pending : pendingRemovals) {
        ConsumerList removals;
        removals.swap(pending.second);
        for (const ConsumerEntry& entry : removals) {
            removeConsumer(pending.first, entry);
        }
        removals.clear();
        removals.swap(pending.second);
    }
    pendingTotal = 0;
}

void EventBus::drainQueuedEvents()
{
    // Events queued while these are delivered go into the other queue and
    // wait for the end of the next outermost delivery.
    std::swap(fillQueue, drainQueue);
    std::vector<I_Event*>& queue = *drainQueue;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        processEvent(queue[i]);
        delete queue[i];
        queue[i] = nullptr;
    }
    queue.clear();
}

std::size_t EventBus::consumerCount(int type) const
{
    const ConsumerList* list = listOf(type);
    return list == nullptr ? 0 : list->size();
}

std::size_t EventBus::pendingCount(int type) const
{
    auto found = pendingRemovals.find(type);
    return found == pendingRemovals.end() ? 0 : found->second.size();
}

} // namespace EVT
