// Input latency in frames: from a steering key's event to the match step
// that turns player 0, with the shipped settings (frame rate, "MOVE_TIME",
// grid, players) and the shipped "up" key, through the whole game without a
// display. The key is sent at every phase of the step timer in turn (eight
// consecutive frames, two steps' worth); the figures are the best and the
// worst case over those phases, in frames and in milliseconds of game time.
//
// A key event arrives with the frame's input, after that frame's update (as
// the real window application delivers it during the buffer swap), so the
// earliest step that can use it is the next frame's: the best case is 1.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "Devices/KeyboardStrings.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/I_GameUpdated.h"
#include "ShippedSettings.h"
#include "app/MainLogic.h"
#include "app/tools/HeadlessVektra.h"

namespace {

constexpr unsigned char KEY_SPACE = 32;
constexpr int KEY_FRAME = 40; // well inside the first match
constexpr int PHASES = 8;

// Watches one game: the frame of the steering key's event, the frame of
// the step that turned player 0 up, and the frames between two steps.
class Probe : public Game::I_GameUpdated, public EVT::I_EventConsumer {
public:
    Probe(Tool::MainLogic* match, unsigned char upKey) : match(match), upKey(upKey)
    {
        EVT::EventBus::instance().addConsumer(EVT::KEY, this);
    }

    // Called at the start of every update, before the logic: it sees the
    // match as the previous frame left it.
    void onGameUpdated(const float&) override
    {
        const int previous = updates - 1;
        const Tool::MainLogic::Player& player = match->getPlayer(0);
        if (updates > 0 && (player.x != lastX || player.y != lastY)) {
            if (lastStep >= 0) {
                stepInterval = previous - lastStep;
            }
            lastStep = previous;
        }
        lastX = player.x;
        lastY = player.y;
        if (keyFrame >= 0 && turnFrame < 0 && player.heading == Tool::MainLogic::UP) {
            turnFrame = previous;
        }
        ++updates;
    }

    void handleEvent(EVT::I_Event* event) override
    {
        const auto* key = static_cast<EVT::Event_Key*>(event);
        if (key->key == upKey && key->pressed && keyFrame < 0) {
            keyFrame = updates - 1;
        }
    }

    int latency() const { return turnFrame - keyFrame; }

    Tool::MainLogic* match;
    unsigned char upKey;
    int updates = 0;
    int keyFrame = -1;
    int turnFrame = -1;
    int lastX = -1;
    int lastY = -1;
    int lastStep = -1;
    int stepInterval = 0;
};

void BM_InputLatencyFrames(benchmark::State& state)
{
    Bench::loadSettings({});
    const int frameRate = Bench::setting("FRAME_RATE");
    const double frameSeconds = 1.0 / frameRate;
    const unsigned char upKey =
        Devices::KeyboardStrings::instance().keyMapping().getKey(CFG::get("KEY_MOVE_UP"));
    int best = 1 << 30;
    int worst = -1;
    int stepInterval = 0;
    for (auto _ : state) {
        for (int phase = 0; phase < PHASES; ++phase) {
            const int keyFrame = KEY_FRAME + phase;
            Tool::HeadlessVektra game(frameSeconds,
                                      {Game::HeadlessApp::Input::keyDown(0, KEY_SPACE),
                                       Game::HeadlessApp::Input::keyUp(1, KEY_SPACE),
                                       Game::HeadlessApp::Input::keyDown(keyFrame, upKey)},
                                      keyFrame + 4 * frameRate, Bench::shippedSettingsFile());
            Probe probe(game.match, upKey);
            game.manager.addGameUpdated(&probe);
            game.run();
            if (probe.keyFrame < 0 || probe.turnFrame < 0) {
                state.SkipWithError("the key never turned player 0");
                return;
            }
            best = std::min(best, probe.latency());
            worst = std::max(worst, probe.latency());
            stepInterval = probe.stepInterval;
        }
    }
    const double frameMs = 1000.0 * frameSeconds * CFG::parser()->getNumber<float>("GAME_SPEED");
    state.counters["move_time_ms"] = CFG::parser()->getNumber<float>("MOVE_TIME");
    state.counters["frames_per_step"] = stepInterval;
    state.counters["best_frames"] = best;
    state.counters["worst_frames"] = worst;
    state.counters["worst_ms"] = worst * frameMs;
}
BENCHMARK(BM_InputLatencyFrames)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
