#include "MatchSimulator.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <ostream>
#include <streambuf>

#include "CFG/CFG.h"
#include "CFG/SettingsLoader.h"
#include "Game/GameAssembly.h"
#include "Game/GameDefinition.h"
#include "Game/GameManager.h"
#include "Game/Headless/HeadlessPlatform.h"
#include "Game/LogicController.h"
#include "Util/Debug.h"
#include "app/MainLogic.h"
#include "app/VektraGame.h"
#include "app/settings/SettingsCheck.h"

namespace Tool {

namespace {

constexpr unsigned char SPACE = 32;

// Swallows what the game prints (one line per match).
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
};

// Processor time of this thread: other processes on the machine do not
// count, so step times mean the same on a busy machine.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

std::uint32_t fnv1a(const unsigned char* data, std::size_t size)
{
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 16777619u;
    }
    return hash;
}

} // namespace

MatchSimulator::MatchSimulator(unsigned long matches, unsigned int first, MatchListener listener)
    : matches(matches), first(first), shardIndex(0), shardCount(1), current(0),
      listener(std::move(listener)), manager(nullptr), match(nullptr), baseSeed(0), recorded(false),
      results(), lastClock(0), lastSteps(0)
{
}

void MatchSimulator::setShard(unsigned long index, unsigned long count)
{
    shardIndex = index;
    shardCount = count > 0 ? count : 1;
}

int MatchSimulator::run(std::vector<std::string> args)
{
    // Every seat a computer player, and a step in every frame.
    args.push_back("HUMAN_PLAYERS==0");
    args.push_back("MOVE_TIME==-1");
    // The space bar held from the first frame must start every match: a
    // leave key or fast-forward would make the title screen wait for its
    // release (an empty value would hide nothing, hence a name of no key).
    // A countdown would only hold every match still.
    args.push_back("KEY_LEAVE==NO_KEY");
    args.push_back("FAST_FORWARD==NO");
    args.push_back("COUNTDOWN==0");
    // Matches played thousands of times faster than real time make no sound
    // worth hearing: a profile's "SOUND" is switched off, while one given on
    // the command line, after this, still counts.
    const auto firstValue = std::find_if(args.begin(), args.end(), [](const std::string& arg) {
        return arg.find("==") != std::string::npos;
    });
    args.insert(firstValue, "SOUND==NO");
    // The space bar held from the first frame starts each match from the
    // title at once; the simulator ends the loop itself.
    Game::HeadlessPlatform platform(0.001, {Game::HeadlessApp::Input::keyDown(0, SPACE)},
                                    2147483647);
    platform.setRenderEvents(false);

    NullBuffer nothing;
    std::ostream quiet(&nothing);
    Util::Debug& debug = Util::Debug::instance();
    std::ostream* const savedOut = debug.out;
    debug.out = &quiet;
    struct Restore {
        Util::Debug& debug;
        std::ostream* out;
        ~Restore() { debug.out = out; }
    } restore{debug, savedOut};

    const auto start = std::chrono::steady_clock::now();
    const std::clock_t startClock = std::clock();
    // The game's settings check, but for those the simulator sets itself,
    // and a folder to record in that cannot be used stops it.
    Game::GameDefinition vektra = Game::gameDefinition();
    vektra.checkSettings = &SettingsCheck::simulatorStartUp;
    Game::GameAssembly game;
    const int code = game.build(args, vektra, platform);
    if (code != CFG::SettingsLoader::GO_ON) {
        return code;
    }
    if (attach(*game.getLogic(), game.getManager())) {
        game.run();
        game.getManager()->removeGameUpdated(this);
    }
    results.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    results.cpuSeconds = static_cast<double>(std::clock() - startClock) / CLOCKS_PER_SEC;
    // The simulator plays to record: a folder that failed on the way (its
    // line is out) fails the run.
    const bool unrecorded = match != nullptr && match->recordingFailed();
    match = nullptr;
    manager = nullptr;
    return unrecorded ? SettingsCheck::REFUSED : 0;
}

bool MatchSimulator::attach(Game::LogicController& logic, Game::GameManager* gameManager)
{
    manager = gameManager;
    match = matchState(logic);
    if (match == nullptr) {
        return false;
    }
    baseSeed = CFG::parser()->getNumber<unsigned int>("GAME_SEED");
    results.seed = baseSeed;
    results.gridWidth = match->getGridWidth();
    results.gridHeight = match->getGridHeight();
    results.levels.assign(match->getPlayerCount(), 0);
    results.wins.assign(match->getPlayerCount(), 0);
    // The shard's first match: the smallest k with (first + k) mod count == index.
    current = (shardIndex + shardCount - first % shardCount) % shardCount;
    if (current >= matches) {
        return false;
    }
    startMatch();
    manager->addGameUpdated(this);
    return true;
}

void MatchSimulator::startMatch()
{
    match->reseed(baseSeed + first + static_cast<unsigned int>(current));
}

void MatchSimulator::onGameUpdated(const float&)
{
    if (match == nullptr) {
        return;
    }
    timeStep();
    // A finished match keeps its result until the title starts the next one,
    // later in this same frame.
    if (match->getResult().empty()) {
        recorded = false;
        return;
    }
    if (recorded) {
        return;
    }
    recorded = true;
    record();
    current += shardCount;
    if (current >= matches) {
        manager->shutdown();
        return;
    }
    startMatch();
}

void MatchSimulator::timeStep()
{
    const double now = threadSeconds();
    const unsigned long steps = match->getStepCount();
    // The frame since the last call played the match's next step (a frame
    // that started a match is no step).
    if (steps == lastSteps + 1 && lastClock > 0) {
        const double spent = now - lastClock;
        results.stepSeconds += spent;
        if (spent > results.worstStepSeconds) {
            results.worstStepSeconds = spent;
        }
    }
    lastSteps = steps;
    lastClock = now;
}

void MatchSimulator::record()
{
    const std::string& result = match->getResult();
    Match played{first + current, result, match->getStepCount(),
                 fnv1a(match->getGrid(),
                       static_cast<std::size_t>(match->getGridWidth()) * match->getGridHeight())};
    for (int k = 0; k < match->getPlayerCount(); ++k) {
        results.levels[k] = match->getLevel(k);
    }
    if (result.compare(0, 4, "WIN=") == 0) {
        const int winner = std::stoi(result.substr(4));
        if (winner >= 0 && winner < static_cast<int>(results.wins.size())) {
            ++results.wins[winner];
        }
    } else {
        ++results.draws;
    }
    ++results.matches;
    results.totalSteps += played.steps;
    if (listener) {
        listener(played, results);
    }
}

} // namespace Tool
