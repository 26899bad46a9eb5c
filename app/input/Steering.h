#pragma once

namespace Tool {

class Match;

// The people's steering for the human seats: each seat's four key codes
// (up, down, left, right) and, for the turn buffer, the presses that came
// in since the last step. Held keys are looked up on the keyboard device at
// a step; presses are handed in as their key events arrive. Holds values
// only.
class Steering {
public:
    static constexpr int MAX_SEATS = 4;
    // Presses kept per seat; one is applied per step.
    static constexpr int QUEUE_LENGTH = 2;
    static constexpr int NONE = -1;

    // Sets the number of seats and their keys (codes[seat][direction]);
    // forgets every queued press.
    void setSeats(int seats, const unsigned char codes[][4]);
    int getSeats() const { return seats; }

    // Held-key rule: the heading chosen by the seat's keys that are down
    // now, looked at in the order up, down, left, right (a later one wins);
    // heading itself when none is down.
    int heldHeading(int seat, int heading) const;

    // A key went down: every seat with that key queues the direction (two
    // seats sharing a key both do). A full queue ignores the press.
    void press(unsigned char key);
    // A push of a seat's pad toward direction: queued for that seat as a key press is.
    void push(int seat, int direction);

    // The seat's oldest queued press that the match's TurnRules do not drop
    // as a turn straight back for player, or NONE: a dropped turn does not
    // cost the step, the press after it may apply. Presses taken or dropped
    // leave the queue.
    int takePress(int seat, const Match& match, int player);
    // The seat's oldest queued press, whatever it is, or NONE.
    int takePress(int seat);

    void clearPresses();

private:
    template <typename Dropped>
    int take(int seat, Dropped dropped);

    int seats = 0;
    unsigned char keys[MAX_SEATS][4] = {};
    int queue[MAX_SEATS][QUEUE_LENGTH] = {};
    int queued[MAX_SEATS] = {};
};

} // namespace Tool
