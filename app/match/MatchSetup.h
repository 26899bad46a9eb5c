#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Util/RGBA.h"

namespace Tool {

// What becomes of a person's turn straight back into the direction they
// came from (TurnRules applies it): applied, which goes into the trail and
// out (the classic game); dropped when the cell behind is blocked (the
// turn buffer: a press never ends a person's match by mistake); always
// dropped (online play).
enum class ReversalPolicy { APPLIED, DROPPED_WHEN_BLOCKED, DROPPED };

// Everything that shapes one match, as a plain value: the game reads it
// from the settings at a match start, a replay reads it from its header.
// The model reads nothing else, so the same setup and inputs always play
// the same match.
struct MatchSetup {
    // Largest grid side: the arena view keeps 48 bytes per cell, so this
    // bounds its buffer at 48 MiB.
    static constexpr int MAX_GRID_SIDE = 1024;
    static constexpr int MIN_GRID_SIDE = 4;
    static constexpr int MIN_PLAYERS = 2;
    // Most person-steered seats in one match: four share a keyboard
    // (MatchOptions), more play online, one client each.
    static constexpr int MAX_HUMANS = 64;
    static constexpr int MAX_LEVEL = 4;

    int gridWidth = MIN_GRID_SIDE;
    int gridHeight = MIN_GRID_SIDE;
    int playerCount = MIN_PLAYERS;
    // Seats 0 to humans - 1 are steered by the step's inputs.
    int humans = 1;
    // The classic decision's chance in 100 of a random turn.
    int turnChance = 0;
    ReversalPolicy reversals = ReversalPolicy::APPLIED;
    // Level of every seat (0: the classic decision; human seats play none).
    std::vector<int> levels;
    // One colour per player, empty when colours are off; with colours the
    // match keeps who owns each cell.
    std::vector<Util::RGBA> colors;
    // The two random generators' states at the match's start: the start
    // places' and the computer players' decisions'.
    std::uint32_t startRandom = 0;
    std::uint32_t decisionRandom = 0;

    // Empty when the setup can be played, else what is wrong, in words.
    std::string problem() const;
};

} // namespace Tool
