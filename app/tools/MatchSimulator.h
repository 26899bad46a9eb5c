#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Game/I_GameUpdated.h"

namespace Game {
class GameManager;
class LogicController;
} // namespace Game

namespace Tool {

class MainLogic;

// Plays a series of matches of the whole game, built by the game's own
// assembly on the headless platform (no window, no drawing, no render
// event), every player a computer player and one step per frame. Before
// match k of the series it restarts the match's random generators from
// "GAME_SEED" + first + k (modulo 2^32), so that any match can be replayed
// on its own; a shard of the series skips the matches of the other shards. Watches the match once
// per frame and keeps the tally, with the processor time of every frame that played a step (timed
// from one frame's start to the next, so all of the frame is counted). Owns the tally; the game it
// watches belongs to start-up.
class MatchSimulator : public Game::I_GameUpdated {
public:
    struct Match {
        unsigned long number;   // first + k
        std::string result;     // "DRAW" or "WIN=" + player
        unsigned long steps;    // steps the match lasted
        std::uint32_t gridHash; // FNV-1a of the final grid
    };

    struct Tally {
        int gridWidth = 0;
        int gridHeight = 0;
        unsigned int seed = 0;           // "GAME_SEED"
        std::vector<int> levels;         // per player
        std::vector<unsigned long> wins; // per player
        unsigned long draws = 0;
        unsigned long matches = 0;
        unsigned long totalSteps = 0;
        double seconds = 0;          // wall-clock time of the whole run
        double cpuSeconds = 0;       // processor time of the whole run
        double stepSeconds = 0;      // processor time of all frames that played a step
        double worstStepSeconds = 0; // of the frame that took longest
    };

    // Called after every match, in order.
    using MatchListener = std::function<void(const Match&, const Tally&)>;

    MatchSimulator(unsigned long matches, unsigned int first, MatchListener listener);
    MatchSimulator(const MatchSimulator&) = delete;
    MatchSimulator& operator=(const MatchSimulator&) = delete;

    // Builds the game with the program's arguments (without the program's
    // name: settings files, ".MOD" files, overrides and KEY==VALUE arguments
    // read exactly as the game reads them) and plays the matches. Returns
    // the exit code: 0, 1 for a missing or empty extra settings file, 2 for
    // a refused setting or a "RECORD_DIR" that could not be written; a bad
    // setting may also throw as in the game, so call it inside
    // CFG::guardedMain.
    int run(std::vector<std::string> args);

    // Plays only the matches whose number modulo count is index, so that
    // count runs, one per index, share a series out between them.
    void setShard(unsigned long index, unsigned long count);

    const Tally& tally() const { return results; }

    void onGameUpdated(const float& delta) override;

private:
    // Starts watching the built game; false when there is nothing to play.
    bool attach(Game::LogicController& logic, Game::GameManager* manager);
    void record();
    void timeStep();
    void startMatch();

    unsigned long matches;
    unsigned int first;
    unsigned long shardIndex;
    unsigned long shardCount;
    // The match being played: first + current is its number.
    unsigned long current;
    MatchListener listener;
    Game::GameManager* manager;
    MainLogic* match;
    unsigned int baseSeed;
    bool recorded;
    Tally results;
    // Processor time when the probe last ran, and the step count then.
    double lastClock;
    unsigned long lastSteps;
};

} // namespace Tool
