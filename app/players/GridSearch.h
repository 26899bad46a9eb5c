#pragma once

#include <cstdint>
#include <vector>

#include "GridSnapshot.h"

namespace Tool {

// The breadth-first searches the computer players share: the look around a
// player (how much room each heading leads to, and which opponents share
// it), a budgeted flood count, and the distance race that splits the free
// cells among several starting points. Works on cell indices (y * width + x)
// of a grid whose outer ring is blocked. Owns its scratch buffers, sized when
// the grid changes and reused afterwards, so a decision allocates nothing.
//
// Within a match a blocked cell never becomes free again, so the search
// remembers every blocked cell it has met and skips it with one look-up
// afterwards; startMatch forgets that, for a new match or another grid. A map
// from cell to the player whose head is there, refreshed once per step,
// finds the heads near a player without a walk over every player.
class GridSearch {
public:
    // Opponents a look around lists at most.
    static constexpr int MAX_OPPONENTS = 8;

    struct Surroundings {
        bool open[4];    // the neighbouring cell in that heading is free
        int room[4];     // free cells reachable through that heading, itself included
        bool bounded[4]; // room[h] is exact; otherwise the budget cut it short
        int opponents;   // live opponents met, nearest first
        int players[MAX_OPPONENTS];
        // Every cell reachable from the player was seen: the room is exact
        // and the opponents listed are all that share it.
        bool exhausted;
    };

    struct Race {
        int mine;      // cells the chosen source reaches first
        int theirs;    // cells every other source reaches first
        bool contact;  // raceWithContact only: the chosen source borders another
        bool complete; // every reachable cell was claimed within the budget
    };

    // Sizes the buffers for the snapshot's grid (forgetting everything when
    // the grid is another one) and, once per step, refreshes the head map
    // from the snapshot's live players.
    void prepare(const GridSnapshot& grid);
    // Sizes the buffers for a match on this grid and forgets the blocked
    // cells and the head map of the last one, so the match's first step
    // does no more work than any other.
    void startMatch(const GridSnapshot& grid);

    // Looks around player self from its head through free cells, at most
    // budget cells: the room each heading leads to and the live opponents
    // whose heads border the cells seen. With firstOpponentEnds the look
    // ends at the first opponent met, and the rooms are only what was seen.
    Surroundings lookAround(const GridSnapshot& grid, int self, int budget,
                            bool firstOpponentEnds = false);

    // Counts the free cells connected to start (a free cell, counted), at
    // most budget of them.
    int flood(const unsigned char* cells, int start, int budget);

    // Lets every source claim free cells outward in turn, one layer at a
    // time: a cell goes to the source that reaches it in fewest moves, and
    // among equals to the source listed first. Counts the cells the source
    // numbered mine claims against all others, at most budget cells in all.
    // A source cell is claimed by its own source and not counted, free or
    // not. The extra cells count as blocked for this race only; they must
    // not be cells that are blocked in the grid.
    Race race(const unsigned char* cells, const int* sources, int sourceCount, int mine, int budget,
              const int* extraBlocked = nullptr, int extraCount = 0);
    // The same race, also telling whether the chosen source's cells border
    // another source's (contact), at a little more cost.
    Race raceWithContact(const unsigned char* cells, const int* sources, int sourceCount, int mine,
                         int budget);

    // The cells the last look around reached (the player's region when it
    // was exhausted), in the order it reached them.
    const int* seenCells() const { return queue.data(); }
    int seenCount() const { return seen; }

    // Cell offsets of the headings up, down, left, right for the grid.
    const int* steps() const { return offsets; }

private:
    static constexpr std::uint32_t BLOCKED = 0xFFFFFFFFu;

    template <bool detectContact>
    Race raceFrom(const unsigned char* cells, const int* sources, int sourceCount, int mine,
                  int budget, const int* extraBlocked, int extraCount);
    void resize(const GridSnapshot& grid);
    void nextGeneration();
    void claim(int cell, std::uint8_t who);
    void noteOpponent(const GridSnapshot& grid, int self, int cell, Surroundings& around) const;

    int width = 0;
    int height = 0;
    const unsigned char* knownCells = nullptr;
    int offsets[4] = {0, 0, 0, 0};
    // visit[cell] is the generation of the last search that reached the
    // cell, or BLOCKED once the cell was found blocked; generations grow, so
    // "visit[cell] >= generation" reads "seen in this search or blocked".
    std::uint32_t generation = 0;
    std::vector<std::uint32_t> visit;
    std::vector<std::uint8_t> owner;
    std::vector<int> queue;
    int seen = 0;
    // headAt[cell] is 1 + the number of the player whose head stood there
    // when the step began, 0 for none; marked lists the cells to clear.
    std::vector<int> headAt;
    std::vector<int> marked;
    bool headsKnown = false;
    unsigned long headsStep = 0;
};

} // namespace Tool
