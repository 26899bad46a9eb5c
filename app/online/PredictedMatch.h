#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "Message.h"
#include "app/match/Match.h"

namespace Online {

// A client's copy of the server's match, played ahead of the last step the
// server confirmed: own turns at once, other people keeping their heading,
// computer players as the model plays them. Each predicted step keeps its
// inputs and the state after it, so an authoritative step that differs
// goes back to the last confirmed state and plays the predicted steps
// again on top of it (a rollback). Own turns the server has not applied
// yet move forward with the confirmed step as the server moves late
// inputs, so the prediction shows them where they will land. Owns the
// match and the saved states.
class PredictedMatch {
public:
    enum class Confirmation { AGREED, ROLLED_BACK, DESYNC, BROKEN };

    // A new match from the server's setup; mine: own player numbers.
    void start(const Tool::MatchSetup& setup, const std::vector<int>& mine);
    bool started() const { return model != nullptr; }
    const Tool::Match& match() const { return *model; }
    unsigned long confirmedStep() const { return confirmed; }
    unsigned long predictedStep() const { return model ? model->getStepCount() : 0; }

    // Predicts steps up to target, at most most of them.
    void predictTo(unsigned long target, unsigned long most);
    // Books an own turn for the next step it can take (one per step, a
    // turn straight back or to the heading already held ignored). Returns
    // the step it is for, 0 when ignored.
    unsigned long steer(int localSeat, int heading);
    // The authoritative step s (confirmedStep() + 1): AGREED when it was
    // predicted right, ROLLED_BACK when the copy went back and played
    // again, DESYNC when the checksum after it still differs, BROKEN for a
    // step that cannot be the next one.
    Confirmation confirm(const Message& step);
    // Steps played again by the last rollback.
    unsigned long lastDepth() const { return depth; }
    // Puts the server's full state (after the last confirmed step) in
    // place; false for a state that does not fit this match.
    bool restoreFull(const Tool::MatchState& state);
    // The match is over: the copy becomes the last confirmed state.
    void finish();
    // Tests: a change to the confirmed state the server's checksum sees.
    void corrupt();

private:
    struct Frame {
        unsigned long step = 0;
        Tool::MatchInputs inputs;
        Tool::MatchState after;
        std::uint64_t checksum = 0;
    };
    struct OwnTurn {
        unsigned long step;
        int heading;
    };

    void predictOne();
    void replayFrames();
    void settleOwnTurns(const Message& step);
    Tool::MatchInputs predictedInputs(unsigned long step) const;
    bool sameInputs(const Tool::MatchInputs& a, const Tool::MatchInputs& b) const;
    bool fits(const Tool::MatchState& state) const;

    std::unique_ptr<Tool::Match> model;
    std::vector<int> mine;
    unsigned long confirmed = 0;
    Tool::MatchState confirmedState;
    std::deque<Frame> frames;
    // Per local seat, in step order.
    std::vector<std::deque<OwnTurn>> ownTurns;
    unsigned long depth = 0;
    // The predicted steps wait to be played again: steps that arrive
    // together pay for one replay, not one each (which could cost more
    // than the time between services and fall further behind each time).
    bool stale = false;
};

} // namespace Online
