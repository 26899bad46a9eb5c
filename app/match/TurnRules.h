#pragma once

#include "app/match/MatchSetup.h"

namespace Tool {

class Match;

// What becomes of a person's input, in one place: the match's own step, the
// local steering, the server's book of inputs, a client's prediction and
// the bot all ask it. Two rules:
// - at the step about to be played, a heading the seat already has changes
//   nothing, and a turn straight back follows the match's ReversalPolicy;
// - inputs that name their step (online): at most one change per seat and
//   step, and an input for a step already played is moved to the first
//   step not played yet, the seat's later inputs following it one step
//   each.
// Holds the policy only.
class TurnRules {
public:
    enum class Outcome {
        APPLIED,        // played as asked
        REVERSAL,       // dropped: a turn straight back the policy refuses
        NO_CHANGE,      // dropped: the heading the seat already has
        LATE,           // moved: its step was played already
        SECOND_IN_STEP, // dropped: the seat already has a change for that step
    };

    explicit TurnRules(ReversalPolicy policy) : policy(policy) {}
    // The rules of match's setup.
    explicit TurnRules(const Match& match);

    // The heading seat asks for at match's next step, the match as it
    // stands before that step: APPLIED, REVERSAL or NO_CHANGE.
    Outcome judge(const Match& match, int seat, int heading) const;
    // The same for a seat that will hold `holding` by then (a turn of its
    // own booked before this one), with what lies behind its head now.
    Outcome judge(const Match& match, int seat, int heading, int holding) const;

    // Where an input that names step `asked` goes, with next the first step
    // not played yet and open the first step the seat's next input may
    // name (one after the last it named; 0 before any): SECOND_IN_STEP,
    // LATE or APPLIED.
    static Outcome schedule(unsigned long asked, unsigned long open, unsigned long next);
    // The step an input that names `asked` is played at when no step before
    // `earliest` is open to it (played already, or taken by the seat's input
    // before it): a late input lands on the first open step.
    static unsigned long landing(unsigned long asked, unsigned long earliest)
    {
        return asked > earliest ? asked : earliest;
    }

private:
    ReversalPolicy policy;
};

} // namespace Tool
