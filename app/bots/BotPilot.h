#pragma once

#include <cstdint>
#include <vector>

#include "Random/RandSimple.h"
#include "app/players/ComputerPlayers.h"

namespace Tool {
class Match;
}

namespace Online {

// Steers the seats a bot holds as the computer players of one level would
// steer them, reading the match as the bot's client predicts it. The
// decision is only a wish sent to the server like a person's key, so it
// needs to agree with nobody: it keeps its own search and random draws, and
// asks the match only for the classic decision on its own draw and for the
// TurnRules that say which turns are worth sending.
class BotPilot {
public:
    BotPilot(int level, std::uint32_t seed);

    // Readies the search for a new match in which the bot holds these
    // player numbers.
    void startMatch(const Tool::Match& match, const std::vector<int>& seats);
    // The heading each seat takes at the coming step, or
    // Tool::MatchInputs::KEEP where it goes on straight (nothing to send).
    // Called once per step; a step seen before (the prediction rolled back)
    // starts the search afresh, since it caches by step.
    std::vector<int> decide(const Tool::Match& match, const std::vector<int>& seats);

private:
    int decideOne(const Tool::Match& match, int player);

    int level;
    unsigned long lastStep;
    RNG::RandSimple random;
    Tool::ComputerPlayers computers;
};

} // namespace Online
