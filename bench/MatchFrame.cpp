// One frame of a running match (4 players on a 64 x 48 grid) through the
// whole game without a display, against a hand-written loop that advances
// the same match directly, in the same run.
//
// The game side is the game as start-up builds it, on the headless window
// application: every frame a pre-update and an update event over the bus,
// the game manager's dispatch to timers, logic controller and view
// manager, the match state's step timer and steps, the arena view's blink
// timer. Space is held from the first frame on, so the title state starts
// the next match at once whenever one ends.
//
// The hand-written side is what a frame of the match has to do and nothing
// else: the match state's onUpdate and the arena view's onUpdate, called
// directly, and a new match (onEnter) whenever one ends.
//
// The minimal side (bench/MinimalMatch.h) plays the same rules with nothing
// of the framework or the settings store: the values the match reads after
// every step and at every blink are held in variables.
//
// All sides play 36,000 frames of 1/60 s (ten minutes of game time) from
// the same seed per repetition; the time shown is per frame, and it is the
// thread's CPU time, not the wall clock: on a machine shared with other work
// the wall clock also counts the time the thread was not running at all.

#include <benchmark/benchmark.h>

#include <time.h>

#include <string>

#include "Game/GameManager.h"
#include "MinimalMatch.h"
#include "ShippedSettings.h"
#include "app/MainLogic.h"
#include "app/MainView.h"
#include "app/tools/HeadlessVektra.h"

namespace {

// Seconds of CPU time this thread has used so far.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

constexpr double FRAME_SECONDS = 1.0 / 60.0;
constexpr int FRAMES = 36000;
constexpr unsigned char KEY_SPACE = 32;

const Bench::Overrides MATCH = {{"GRID_WIDTH", "64"}, {"GRID_HEIGHT", "48"}, {"NUM_PLAYERS", "4"}};

void BM_MatchFrameWholeGame(benchmark::State& state)
{
    Bench::loadSettings(MATCH);
    for (auto _ : state) {
        // No render event: the hand-written side draws nothing either.
        Tool::HeadlessVektra game(FRAME_SECONDS, {Game::HeadlessApp::Input::keyDown(0, KEY_SPACE)},
                                  FRAMES, Bench::shippedSettingsFile(), false);
        const double start = threadSeconds();
        game.run();
        const double seconds = threadSeconds() - start;
        state.SetIterationTime(seconds / FRAMES);
        benchmark::DoNotOptimize(game.match->getPlayer(0).x);
    }
    state.counters["frames"] = FRAMES;
}
BENCHMARK(BM_MatchFrameWholeGame)
    ->UseManualTime()
    ->Unit(benchmark::kNanosecond)
    ->Iterations(1)
    ->Repetitions(31);

void BM_MatchFrameHandWritten(benchmark::State& state)
{
    Bench::loadSettings(MATCH);
    const float delta = static_cast<float>(FRAME_SECONDS * 1000.0);
    for (auto _ : state) {
        // The same objects as the game side, only driven directly.
        Tool::HeadlessVektra game(FRAME_SECONDS, {}, FRAMES, Bench::shippedSettingsFile());
        Tool::MainLogic& match = *game.match;
        match.onEnter("TITLE", "START");
        Tool::MainView& view = *match.getView();
        const double start = threadSeconds();
        for (int frame = 0; frame < FRAMES; ++frame) {
            const std::string result = match.onUpdate(delta);
            view.onUpdate(delta);
            if (!result.empty()) {
                match.onEnter("RUNNING", result);
            }
        }
        const double seconds = threadSeconds() - start;
        state.SetIterationTime(seconds / FRAMES);
        benchmark::DoNotOptimize(match.getPlayer(0).x);
    }
    state.counters["frames"] = FRAMES;
}
BENCHMARK(BM_MatchFrameHandWritten)
    ->UseManualTime()
    ->Unit(benchmark::kNanosecond)
    ->Iterations(1)
    ->Repetitions(31);

void BM_MatchFrameMinimal(benchmark::State& state)
{
    Bench::loadSettings(MATCH);
    const float delta = static_cast<float>(FRAME_SECONDS * 1000.0);
    int matches = 0;
    for (auto _ : state) {
        Bench::MinimalMatch match(
            Bench::setting("GRID_WIDTH"), Bench::setting("GRID_HEIGHT"),
            Bench::setting("NUM_PLAYERS"), CFG::parser()->getNumber<float>("MOVE_TIME"),
            CFG::parser()->getNumber<float>("FLASH_TIME"),
            CFG::parser()->getNumber<unsigned int>("GAME_SEED"), Bench::setting("TURN_CHANCE"));
        const double start = threadSeconds();
        for (int frame = 0; frame < FRAMES; ++frame) {
            match.frame(delta);
        }
        const double seconds = threadSeconds() - start;
        state.SetIterationTime(seconds / FRAMES);
        benchmark::DoNotOptimize(match.getPlayer0X());
        matches = match.getMatches();
    }
    state.counters["frames"] = FRAMES;
    state.counters["matches"] = matches;
}
BENCHMARK(BM_MatchFrameMinimal)
    ->UseManualTime()
    ->Unit(benchmark::kNanosecond)
    ->Iterations(1)
    ->Repetitions(31);

} // namespace
