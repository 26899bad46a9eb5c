// Key press to the own turn drawn, in frames: local play against an online
// client 150 ms of round trip away from its server, side by side in one run.
// Both are the whole game without a display on the shipped settings; the
// online one ("CONNECT") joins a server in this process through the lossy
// relay, 75 ms each way and nothing lost. Frames are paced in real time,
// since the server, the relay and ENet live on the real clock.
//
// In each run the steering key for a quarter turn goes down a set number of
// frames into the match and stays down until the turn shows; over the runs
// that frame moves on by one, eight times (two steps' worth of the shipped
// "MOVE_TIME"), so the figures are the best and the worst case over the
// phases of the step. The key's event comes before a frame's update, as a
// key that arrived in the previous frame's buffer swap: a step in that
// update that turns is drawn in the same frame, 1 frame after the key.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/I_GameUpdated.h"
#include "Game/LogicController.h"
#include "ShippedSettings.h"
#include "Support/Net/LossyRelay.h"
#include "app/MainLogic.h"
#include "app/VektraGame.h"
#include "app/input/MatchOptions.h"
#include "app/match/Headings.h"
#include "app/online/ClientSession.h"
#include "app/online/ServerSession.h"
#include "app/onlinegame/OnlineLogic.h"
#include "app/settings/ServerSettings.h"
#include "app/tools/HeadlessVektra.h"

namespace {

constexpr int PHASES = 8;
constexpr int SETTLE_FRAMES = 20;
constexpr unsigned char KEY_SPACE = 32;
constexpr double ONE_WAY_MS = 75;
const char* const KEY_NAMES[4] = {"KEY_MOVE_UP", "KEY_MOVE_DOWN", "KEY_MOVE_LEFT",
                                  "KEY_MOVE_RIGHT"};

void key(unsigned char code, bool down)
{
    EVT::Event_Key event(code, down, 0);
    EVT::EventBus::instance().raiseEvent(&event, false);
}

// One run of the game: paces its frames, presses the key at its frame of
// the match and notes the frame that draws the turn.
class Run : public Game::I_GameUpdated {
public:
    Run(double frameSeconds, int keyAt) : frameSeconds(frameSeconds), keyAt(keyAt) {}

    // Called at the start of every update: it sees the match as the
    // previous frame's update left it (and its drawing showed it).
    void onGameUpdated(const float&) override
    {
        std::this_thread::sleep_until(begin + std::chrono::duration<double>(frame * frameSeconds));
        if (beforeFrame) {
            beforeFrame();
        }
        const Tool::Match* match = drawn();
        if (match != nullptr) {
            watch(*match);
        }
        ++frame;
    }

    int latency() const { return turnFrame < 0 ? -1 : turnFrame - keyFrame + 1; }

    std::function<void()> beforeFrame;
    // The match on screen, null outside one; the own player's number.
    std::function<const Tool::Match*()> drawn;
    std::function<int()> own;

private:
    void watch(const Tool::Match& match)
    {
        if (matchFrame < 0) {
            matchFrame = frame;
        }
        const Tool::PlayerHead& head = match.getPlayer(own());
        if (keyFrame < 0 && frame >= matchFrame + keyAt) {
            wanted = Tool::TURN_ODD[head.heading];
            code = Tool::keyCodeOf(CFG::get(KEY_NAMES[wanted]));
            key(code, true);
            keyFrame = frame;
        } else if (keyFrame >= 0 && turnFrame < 0 && head.heading == wanted) {
            turnFrame = frame - 1;
            key(code, false);
            EVT::EventBus::instance().raiseEvent(EVT::QUIT, false);
        }
    }

    double frameSeconds;
    int keyAt;
    std::chrono::steady_clock::time_point begin = std::chrono::steady_clock::now();
    int frame = 0;
    int matchFrame = -1;
    int keyFrame = -1;
    int turnFrame = -1;
    int wanted = 0;
    unsigned char code = 0;
};

int localRun(double frameSeconds, int keyAt)
{
    Bench::loadSettings({});
    Tool::HeadlessVektra game(frameSeconds,
                              {Game::HeadlessApp::Input::keyDown(0, KEY_SPACE),
                               Game::HeadlessApp::Input::keyUp(1, KEY_SPACE)},
                              keyAt + 600, Bench::shippedSettingsFile());
    Run run(frameSeconds, keyAt);
    run.drawn = [&] { return game.match->inMatch() ? &game.match->getMatch() : nullptr; };
    run.own = [] { return 0; };
    game.manager.addGameUpdated(&run);
    game.run();
    game.manager.removeGameUpdated(&run);
    return run.latency();
}

// The server as vektra-server runs on the shipped settings, on loopback and
// starting as soon as its one person is ready.
Online::ServerOptions shippedServer()
{
    Online::ServerOptions options = Tool::ServerSettings::read();
    options.port = 0;
    options.bindHost = "127.0.0.1";
    options.startWait = 0;
    return options;
}

struct OnlineFigures {
    int latency = -1;
    int roundTripMs = 0;
    unsigned long rollbacks = 0;
    unsigned long desyncs = 0;
};

OnlineFigures onlineRun(double frameSeconds, int keyAt)
{
    Bench::loadSettings({});
    std::ostringstream log;
    Online::ServerSession server(shippedServer(), log);
    std::string error;
    if (!server.open(error)) {
        return {};
    }
    TestSupport::RelayOptions relayOptions;
    relayOptions.targetPort = server.port();
    relayOptions.toServer.delay = ONE_WAY_MS / 1000.0;
    relayOptions.toClient.delay = ONE_WAY_MS / 1000.0;
    relayOptions.maxSeconds = 60;
    TestSupport::LossyRelay relay(relayOptions);
    if (!relay.open(error)) {
        return {};
    }
    // The server and the relay on threads of their own, as on their own
    // machines; only this function's end touches them again.
    std::atomic<bool> stop(false);
    std::thread serving([&] {
        const double start = TestSupport::LossyRelay::clock();
        while (!stop) {
            server.service(TestSupport::LossyRelay::clock() - start);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    std::thread relaying([&] { relay.run(); });

    Bench::loadSettings({{"CONNECT", "127.0.0.1:" + std::to_string(relay.port())}});
    OnlineFigures figures;
    {
        Tool::HeadlessVektra game(frameSeconds, {}, keyAt + 900, Bench::shippedSettingsFile());
        Tool::OnlineLogic* logic = Tool::onlineState(
            *dynamic_cast<Game::LogicController*>(game.manager.getLogicController()));
        const Online::ClientSession& session = logic->getSession();
        Run run(frameSeconds, keyAt);
        run.beforeFrame = [&] {
            if (session.phase() == Online::ClientSession::Phase::LOBBY && !session.isReady()) {
                key(KEY_SPACE, true);
                key(KEY_SPACE, false);
            }
        };
        run.drawn = [&] {
            return session.phase() == Online::ClientSession::Phase::MATCH ? &session.match()
                                                                          : nullptr;
        };
        run.own = [&] { return session.myPlayers()[0]; };
        game.manager.addGameUpdated(&run);
        game.run();
        game.manager.removeGameUpdated(&run);
        figures.latency = run.latency();
        figures.roundTripMs = session.roundTripMs();
        figures.rollbacks = session.counters().rollbacks;
        figures.desyncs = session.counters().desyncs;
    }
    stop = true;
    relay.requestStop();
    serving.join();
    relaying.join();
    return figures;
}

void BM_KeyToTurnFramesLocalAndOnline(benchmark::State& state)
{
    Bench::loadSettings({});
    const double frameSeconds = 1.0 / Bench::setting("FRAME_RATE");
    int local[2] = {1 << 30, -1};
    int online[2] = {1 << 30, -1};
    int roundTrip = 0;
    unsigned long rollbacks = 0;
    unsigned long desyncs = 0;
    for (auto _ : state) {
        for (int phase = 0; phase < PHASES; ++phase) {
            const int keyAt = SETTLE_FRAMES + phase;
            const int here = localRun(frameSeconds, keyAt);
            const OnlineFigures there = onlineRun(frameSeconds, keyAt);
            if (here < 0 || there.latency < 0) {
                state.SkipWithError("the key never turned the own player");
                return;
            }
            local[0] = std::min(local[0], here);
            local[1] = std::max(local[1], here);
            online[0] = std::min(online[0], there.latency);
            online[1] = std::max(online[1], there.latency);
            roundTrip = std::max(roundTrip, there.roundTripMs);
            rollbacks += there.rollbacks;
            desyncs += there.desyncs;
        }
    }
    state.counters["move_time_ms"] = CFG::parser()->getNumber<float>("MOVE_TIME");
    state.counters["local_best_frames"] = local[0];
    state.counters["local_worst_frames"] = local[1];
    state.counters["online_best_frames"] = online[0];
    state.counters["online_worst_frames"] = online[1];
    state.counters["online_round_trip_ms"] = roundTrip;
    state.counters["online_rollbacks"] = static_cast<double>(rollbacks);
    state.counters["online_desyncs"] = static_cast<double>(desyncs);
}
BENCHMARK(BM_KeyToTurnFramesLocalAndOnline)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
