#pragma once

#include <string>

#include "app/match/MatchSetup.h"

namespace Tool {

// How a match starts, as text that a replay file (and a match start sent
// over the network) carries: a format line, then KEY==VALUE lines in the
// settings' own names, then an empty line. The settings that shape the
// match, both random generators' states at its start (the game never
// reseeds them between matches, so a seed alone could not bring back the
// second match of a run), and the match's number in its run. The reversal
// policy ("REVERSALS") is written only when it is not the classic one, and
// a header without it is classic.
struct MatchHeader {
    static constexpr int FORMAT = 1;
    // The first line, followed by the format number.
    static constexpr const char* MAGIC = "VEKTRA-MATCH";
    // Longest header decode accepts.
    static constexpr std::size_t MAX_BYTES = 16384;

    MatchSetup setup;
    unsigned long matchNumber = 0;

    std::string encode() const;
    // Reads a header from the start of text: true with header and the
    // bytes it took in used; false with a one-line reason in error for a
    // wrong format line, an unknown, repeated, missing or malformed key, a
    // setup the match cannot play, or no end within MAX_BYTES.
    static bool decode(const std::string& text, MatchHeader& header, std::size_t& used,
                       std::string& error);
};

} // namespace Tool
