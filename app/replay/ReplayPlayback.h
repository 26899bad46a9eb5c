#pragma once

#include "Replay.h"

namespace Tool {

class Match;
struct MatchInputs;

// Plays a replay back into a match: the recorded turns as each step's
// inputs, and every recorded checksum compared once its step is played.
// Reads the replay, which it does not own; the match is the caller's.
class ReplayPlayback {
public:
    explicit ReplayPlayback(const Replay& replay) : replay(replay) {}

    // Starts match from the replay's setup.
    void start(Match& match);
    // Plays the next step; false once the replay is over (its last
    // recorded step played, or the match over).
    bool step(Match& match);
    // The first step whose checksum differed, 0 while all held.
    unsigned long firstMismatch() const { return mismatch; }
    // True once a recorded check failed: a checksum differed, or the match
    // ended before a recorded check's step. failedCheck() is then that
    // check's step.
    bool diverged() const { return failed; }
    unsigned long failedCheck() const { return failedStep; }
    // Plays the whole replay; true when every checksum held and the match
    // ended as recorded.
    bool playAll(Match& match);

private:
    const Replay& replay;
    std::size_t nextTurn = 0;
    std::size_t nextCheck = 0;
    unsigned long mismatch = 0;
    bool failed = false;
    unsigned long failedStep = 0;

    // Notes the first check that failed, and the step being played then.
    void fail(unsigned long checkStep, unsigned long playedStep);
};

} // namespace Tool
