// The event bus against plain C++ doing the same work in the same run:
// delivery to ten consumers against ten direct virtual calls, and consumer
// creation (id, id table entry, bus clean-up) against new/delete of an
// object of the same size.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Update.h"
#include "Events/I_EventConsumer.h"
#include "Util/BasicHashLink.h"
#include "Util/HashedItem.h"

namespace {

class Counter : public EVT::I_EventConsumer {
public:
    void handleEvent(EVT::I_Event* event) override
    {
        total += static_cast<EVT::Event_Update*>(event)->delta;
        benchmark::DoNotOptimize(total);
    }

    float total = 0.f;
};

class Idle : public EVT::I_EventConsumer {
public:
    void handleEvent(EVT::I_Event*) override {}
};

// Same size as a consumer, nothing else.
struct Plain {
    char bytes[sizeof(Idle)];
};

constexpr int CONSUMERS = 10;

void BM_BusUpdateTo10Consumers(benchmark::State& state)
{
    std::vector<std::unique_ptr<Counter>> consumers;
    for (int i = 0; i < CONSUMERS; ++i) {
        consumers.push_back(std::make_unique<Counter>());
        EVT::EventBus::instance().addConsumer(EVT::UPDATE, consumers.back().get());
    }
    EVT::Event_Update update(16.f);
    for (auto _ : state) {
        EVT::EventBus::instance().raiseEvent(&update, false);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BusUpdateTo10Consumers);

void BM_Direct10VirtualCalls(benchmark::State& state)
{
    std::vector<std::unique_ptr<Counter>> owned;
    std::vector<EVT::I_EventConsumer*> consumers;
    for (int i = 0; i < CONSUMERS; ++i) {
        owned.push_back(std::make_unique<Counter>());
        consumers.push_back(owned.back().get());
    }
    EVT::Event_Update update(16.f);
    for (auto _ : state) {
        benchmark::DoNotOptimize(consumers.data());
        for (EVT::I_EventConsumer* consumer : consumers) {
            consumer->handleEvent(&update);
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Direct10VirtualCalls);

void BM_CreateDestroyConsumer(benchmark::State& state)
{
    auto& pool = Util::BasicHashLink<Util::HashedItem<unsigned long>>::instance();
    delete new Idle(); // the first one may grow the pool
    const unsigned long links = pool.linkCount();
    for (auto _ : state) {
        Idle* consumer = new Idle();
        benchmark::DoNotOptimize(consumer);
        delete consumer;
    }
    state.counters["pool_growth"] = static_cast<double>(pool.linkCount() - links);
}
BENCHMARK(BM_CreateDestroyConsumer)->Iterations(1000000);

void BM_PlainNewDelete(benchmark::State& state)
{
    for (auto _ : state) {
        Plain* object = new Plain();
        benchmark::DoNotOptimize(object);
        benchmark::ClobberMemory();
        delete object;
    }
}
BENCHMARK(BM_PlainNewDelete)->Iterations(1000000);

} // namespace
