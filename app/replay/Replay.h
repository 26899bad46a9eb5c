#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MatchHeader.h"

namespace Tool {

class Match;
struct MatchInputs;

// A recorded match: its header, every change of a person's heading, the
// match's checksum every CHECK_EVERY steps and at the end, and how it
// ended. Encoded as the header's text, then packed records (a step delta
// and what happened, in variable-length numbers), then a CRC-32 of every
// byte before it. A typical 4-player match takes a few hundred bytes.
struct Replay {
    static constexpr unsigned long CHECK_EVERY = 64;
    // Largest file decode reads: several times a whole 1024 x 1024 match's
    // checks, and small enough that a hostile file cannot claim much memory.
    static constexpr std::size_t MAX_BYTES = 1u << 20;
    // How a match ended, beside Match::DRAW and a winner's number.
    static constexpr int LEFT = -3;

    struct Turn {
        unsigned long step; // the step whose input it was
        int seat;
        int heading;
    };
    struct Check {
        unsigned long step; // after this step
        std::uint64_t checksum;
    };

    MatchHeader header;
    std::vector<Turn> turns;
    std::vector<Check> checks;
    // The last check is the end's; outcome is Match::DRAW, a winner, or LEFT.
    int outcome = LEFT;

    // Before match.step(inputs): keeps the people's heading changes.
    void noteInputs(const Match& match, const MatchInputs& inputs);
    // After a step: keeps the checksum every CHECK_EVERY steps.
    void noteStep(const Match& match);
    // At the end (left: the people left before a result).
    void noteEnd(const Match& match, bool left);

    std::string encode() const;
    // False with a one-line reason for a text that is no replay at all
    // ("not a replay file": it does not begin with the header's first
    // line), a truncated, corrupted (CRC), oversized, wrong-format or
    // malformed one; replay is then unchanged.
    static bool decode(const std::string& bytes, Replay& replay, std::string& error);
    // Reads and decodes the file at path (at most MAX_BYTES + 1 bytes are
    // read); false with a one-line reason, naming the file, otherwise.
    static bool load(const std::string& path, Replay& replay, std::string& error);
};

} // namespace Tool
