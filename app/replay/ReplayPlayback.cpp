#include "ReplayPlayback.h"

#include "app/match/Match.h"

namespace Tool {

void ReplayPlayback::start(Match& match)
{
    match.start(replay.header.setup);
    nextTurn = 0;
    nextCheck = 0;
    mismatch = 0;
    failed = false;
    failedStep = 0;
    // A match left before its first step is checked at its start.
    for (; nextCheck < replay.checks.size() && replay.checks[nextCheck].step == 0; ++nextCheck) {
        if (replay.checks[nextCheck].checksum != match.checksum()) {
            fail(0, 1);
        }
    }
}

void ReplayPlayback::fail(unsigned long checkStep, unsigned long playedStep)
{
    if (!failed) {
        failed = true;
        failedStep = checkStep;
        mismatch = playedStep;
    }
}

bool ReplayPlayback::step(Match& match)
{
    const unsigned long last = replay.checks.empty() ? 0 : replay.checks.back().step;
    if (match.isOver() || match.getStepCount() >= last) {
        return false;
    }
    const unsigned long next = match.getStepCount() + 1;
    MatchInputs inputs;
    for (; nextTurn < replay.turns.size() && replay.turns[nextTurn].step <= next; ++nextTurn) {
        if (replay.turns[nextTurn].step == next) {
            inputs.heading[replay.turns[nextTurn].seat] = replay.turns[nextTurn].heading;
        }
    }
    match.step(inputs);
    for (; nextCheck < replay.checks.size() && replay.checks[nextCheck].step <= next; ++nextCheck) {
        if (replay.checks[nextCheck].step != next ||
            replay.checks[nextCheck].checksum != match.checksum()) {
            fail(replay.checks[nextCheck].step, next);
        }
    }
    // Over before the recorded match was: its next check can never hold.
    if (match.isOver() && nextCheck < replay.checks.size()) {
        fail(replay.checks[nextCheck].step, next);
    }
    return true;
}

bool ReplayPlayback::playAll(Match& match)
{
    start(match);
    while (mismatch == 0 && step(match)) {
    }
    const unsigned long last = replay.checks.empty() ? 0 : replay.checks.back().step;
    // A match that ended early, or a result other than the recorded one.
    if (mismatch == 0 && (match.getStepCount() != last || (replay.outcome != Replay::LEFT &&
                                                           match.getOutcome() != replay.outcome))) {
        mismatch = match.getStepCount() + 1;
    }
    return mismatch == 0;
}

} // namespace Tool
