#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "Message.h"

namespace Tool {
class Match;
}

namespace Online {

// The server's book of the headings clients asked for, under the steering
// rules: an input is for the step it names; one for a step already played
// (but not too long ago) is moved to the next step not yet played, and that
// player's later inputs follow it in their order, one step each; at most
// one change per player per step; steps far in the past or the future are
// dropped. Whether the player is the sender's is the session's check, and
// the rule against a turn straight back is checked again when a heading is
// applied, against where the player heads then. Holds values only.
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

private:
    struct Booked {
        unsigned long step;
        int heading;
    };
    struct Player {
        std::deque<Booked> queue;
        unsigned long lastAsked = 0;
        bool asked = false;
    };
    std::vector<Player> players;
};

} // namespace Online
