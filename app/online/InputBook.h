#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "Message.h"

namespace Tool {
class Match;
}

namespace Online {

// The server's book of the headings clients asked for, under the match's
// TurnRules: an input is for the step it names, one for a step already
// played is moved to the first step not played, that player's later inputs
// following it one step each, and a second change for one step is dropped;
// the heading rule (no change, a turn straight back) is judged when a
// heading is applied, against where the player heads then. Steps further
// in the past or the future than the book keeps are dropped. Whether the
// player is the sender's is the session's check. Holds values only.
class InputBook {
public:
    // How far behind the next step to be played an input may name its
    // step (and still be moved), and how far ahead.
    static constexpr unsigned long MAX_LATE = 32;
    static constexpr unsigned long MAX_AHEAD = 64;
    // Inputs waiting per player.
    static constexpr std::size_t MAX_QUEUED = 16;

    enum class Verdict {
        TAKEN,          // for its own step
        MOVED,          // late: moved to the next step not yet played
        TOO_OLD,        // further back than MAX_LATE: dropped
        TOO_FAR,        // further ahead than MAX_AHEAD: dropped
        SECOND_IN_STEP, // a step this player already has a change for
        BAD_PLAYER,     // no such player in the book
        BAD_HEADING,    // not one of the four headings
        QUEUE_FULL,     // MAX_QUEUED already waiting
    };

    // Empties the book for a match of players players.
    void reset(int players);
    // Books heading for player at step; nextStep is the first step the
    // server has not played yet.
    Verdict submit(int player, unsigned long step, int heading, unsigned long nextStep);
    // The headings to apply at step (the one about to be played), at most
    // one per player, in player order, leaving out turns straight back
    // into the trail and headings the player already has (match as it
    // stands before the step). Returns how many were left out.
    int take(unsigned long step, const Tool::Match& match, std::vector<StepHeading>& out);

    static bool accepted(Verdict verdict)
    {
        return verdict == Verdict::TAKEN || verdict == Verdict::MOVED;
    }
    // An input for step is too old to be moved once nextStep is the first
    // step not played (the book has dropped it, or would).
    static bool tooOld(unsigned long step, unsigned long nextStep)
    {
        return step + MAX_LATE < nextStep;
    }

private:
    struct Booked {
        unsigned long step;
        int heading;
    };
    struct Player {
        std::deque<Booked> queue;
        // The first step the player's next input may name.
        unsigned long openStep = 0;
    };
    std::vector<Player> players;
};

} // namespace Online
