#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MatchSetup.h"
#include "Random/RandSimple.h"
#include "app/match/Headings.h"
#include "app/match/PlayerHead.h"
#include "app/players/GridSnapshot.h"

namespace Tool {

class ComputerPlayers;

// What the people want at one step: the heading for each person-steered
// seat, or KEEP to go on as before.
struct MatchInputs {
    static constexpr int KEEP = -1;
    int heading[MatchSetup::MAX_HUMANS];

    MatchInputs()
    {
        for (int& h : heading) {
            h = KEEP;
        }
    }
};

// The part of a match that steps, as one value: save copies it out,
// restore puts it back. Buffers keep their capacity, so saving into the
// same value again allocates nothing.
struct MatchState {
    std::vector<unsigned char> cells;
    std::vector<int> owners;
    std::vector<PlayerHead> players;
    unsigned long step = 0;
    std::uint32_t startRandom = 0;
    std::uint32_t decisionRandom = 0;
    int outcome = 0;
    std::uint64_t cellsHash = 0;
    // Person seats a computer player steers since their person went away
    // (bit k for seat k), so a restore brings back who steered whom.
    std::uint64_t handedOver = 0;
};

// The rules of one match as data that steps: a grid whose outer ring is
// wall, the players (person-steered seats first, then computer players),
// one cell per step for everyone, out on entering a blocked cell, over once
// at most one player is left. Set up from a MatchSetup and stepped from
// MatchInputs, with no window, clock, keyboard or settings inside, so the
// game, the simulator, a replay and a search all play the same match.
// Owns the grid, the players, the two random generators (which go on from
// one match to the next unless reseeded) and the computer players.
//
// A copy of the whole state is the save (MatchState): one step changes a
// few cells, but a copy needs no bookkeeping on the step's path, so the
// step costs what it did before, and restoring any saved point is one
// assignment whatever happened in between. A 1024 x 1024 grid copies in
// well under a millisecond.
class Match {
public:
    static constexpr unsigned char FREE = 0;
    static constexpr unsigned char BLOCKED = 0x31;
    // Outcomes: still playing, a draw, or the winner's number (0 and up).
    static constexpr int PLAYING = -2;
    static constexpr int DRAW = -1;

    // Sized for the setup, with a free grid; no match started yet. Throws
    // std::invalid_argument with the setup's problem.
    explicit Match(const MatchSetup& setup);
    ~Match();
    Match(const Match&) = delete;
    Match& operator=(const Match&) = delete;

    // Starts a match: walls, start places drawn from the start generator,
    // the generators set from the setup. Throws std::invalid_argument with
    // the setup's problem.
    void start(const MatchSetup& setup);
    // One step as the rules play it: the people's headings from inputs,
    // then each player still in, in number order, decides (computer
    // players) and moves. Does nothing once the match is over.
    void step(const MatchInputs& inputs);

    // A 64-bit digest of the whole state, the same on every build and
    // machine: the cells' part is kept up to date as cells change, the
    // heads (one key per player) are folded in when asked.
    std::uint64_t checksum() const;
    void save(MatchState& into) const;
    // Puts a saved state of a match of this shape back; the computer
    // players forget what they learned from the steps undone. False, and
    // nothing changed, for a state of another grid or player count.
    bool restore(const MatchState& from);
    // From the next step on, person seat number plays as a computer
    // player at its setup level (an online person who went away). Lasts to
    // the match's end; a seat that is no person's is left as it is.
    void handOver(int number);
    bool isHandedOver(int number) const
    {
        return number >= 0 && number < 64 && (state.handedOver >> number & 1) != 0;
    }
    // Both generators to seed, as at the start of a run.
    void reseed(std::uint32_t seed);

    // The read interface the views, the simulator and the replays use.
    const MatchSetup& getSetup() const { return setup; }
    int getGridWidth() const { return setup.gridWidth; }
    int getGridHeight() const { return setup.gridHeight; }
    const unsigned char* getGrid() const { return state.cells.data(); }
    // The cell at (x, y); a cell outside the grid reads as blocked.
    unsigned char cell(int x, int y) const;
    int getPlayerCount() const { return setup.playerCount; }
    const PlayerHead& getPlayer(int number) const { return state.players[number]; }
    // Who blocked each cell: 0 for walls and free cells, k + 1 for player
    // k (the later player where two start on one cell). Empty without
    // colours.
    const std::vector<int>& getOwners() const { return state.owners; }
    unsigned long getStepCount() const { return state.step; }
    int getOutcome() const { return state.outcome; }
    bool isOver() const { return state.outcome != PLAYING; }
    // "" while playing, "DRAW", or "WIN=" + the winner's number.
    std::string result() const;
    bool isHuman(int number) const { return number < setup.humans && !isHandedOver(number); }
    int getLevel(int number) const;
    std::uint32_t getStartRandom() const { return startGenerator.getState(); }
    std::uint32_t getDecisionRandom() const { return decisionGenerator.getState(); }
    const ComputerPlayers& getComputers() const { return *computers; }

    // The classic decision for player number at the step about to be
    // played, from its draw r (0 to 99): what decideHeading gives on this
    // grid. Draws nothing, so a bot can ask it with a number of its own.
    int classicHeading(int number, int r) const;
    // What a computer player sees of the match for the step about to be
    // played, for a search outside the match (a bot's).
    GridSnapshot snapshotForNextStep() const;

    // The classic decision's heading for one step, from its draw r (0 to
    // 100) and turnChance: first a random quarter turn when r is below
    // turnChance (TURN_EVEN for an even r, TURN_ODD for an odd one), then,
    // when the cell ahead is blocked, the first way out (TURN_ODD) or, if
    // that is blocked too, the second (TURN_EVEN of the heading held
    // before). blockedToward(h) says whether the next cell in heading h is
    // blocked.
    template <typename BlockedToward>
    static int decideHeading(int heading, int r, int turnChance, BlockedToward blockedToward)
    {
        if (r < turnChance) {
            heading = (r % 2 == 0 ? TURN_EVEN : TURN_ODD)[heading];
        }
        if (!blockedToward(heading)) {
            return heading;
        }
        const int firstWayOut = TURN_ODD[heading];
        return blockedToward(firstWayOut) ? TURN_EVEN[heading] : firstWayOut;
    }

private:
    void resize();
    void clearGrid();
    void placePlayers();
    void placeRandomPlayer(PlayerHead& player);
    bool goodHumanStart(const PlayerHead& player, int number) const;
    void block(int number, int x, int y);
    // Every player still in decides and moves; the keys of the cells blocked.
    template <bool owned>
    std::uint64_t playersMove();
    void decide(int number);
    // Returns the index of the cell it blocked, 0 (a corner of the wall,
    // never free) when it went out.
    std::size_t move(int number);
    void countSurvivors();
    bool blocked(int x, int y) const { return cell(x, y) != FREE; }
    GridSnapshot snapshot() const;

    MatchSetup setup;
    MatchState state;
    RNG::RandSimple startGenerator;
    RNG::RandSimple decisionGenerator;
    std::unique_ptr<ComputerPlayers> computers;
};

} // namespace Tool
