#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Util/RGBA.h"

namespace Tool {

// The match's optional rules, read from the settings once per match start
// so that a match frame reads no setting. Every field's default is the
// classic game: no colours, one person (seat 0), held keys, no pause key,
// no leave key. Holds values only.
struct MatchOptions {
    // Most people on one keyboard: one per side of it.
    static constexpr int MAX_HUMANS = 4;

    // One colour per player ("PLAYER_COLORS", repeated when shorter); empty
    // when colours are off.
    std::vector<Util::RGBA> colors;
    // Seats 0 to humans - 1 are steered by people ("HUMAN_PLAYERS").
    int humans = 1;
    // Only presses steer, queued between steps ("TURN_BUFFER").
    bool turnBuffer = false;
    // Key codes of "KEY_PAUSE" and "KEY_LEAVE"; 0 when unset or unknown.
    unsigned char pauseKey = 0;
    unsigned char leaveKey = 0;
    // The steering keys of seats 1 to 3 ("KEY_P2_UP" ... "KEY_P4_RIGHT"), in
    // the order up, down, left, right; seat 0's are the classic keys.
    unsigned char seatKeys[MAX_HUMANS][4] = {};
    // Game milliseconds the arena stands still before the first step
    // ("COUNTDOWN", given in seconds, at most MAX_COUNTDOWN); 0: none.
    float countdown = 0;
    // The rest of a match plays faster once no person is left in it
    // ("FAST_FORWARD").
    bool fastForward = false;

    static constexpr float MAX_COUNTDOWN = 10;

    // Reads every option. A "HUMAN_PLAYERS" outside 0 to the smaller of
    // playerCount and MAX_HUMANS is limited to it, and a "COUNTDOWN" above
    // MAX_COUNTDOWN to that, each with a line on errors. A number setting
    // that is no number throws std::domain_error, naming the setting.
    static MatchOptions read(int playerCount, std::ostream& errors);
    // The options read() checks, on their own for the settings check: the
    // colours (throws for one that is no number), the number of people and
    // the countdown in game milliseconds (limited, with a line on errors).
    static std::vector<Util::RGBA> readColors(int playerCount);
    static int readHumans(int playerCount, std::ostream& errors);
    static float readCountdown(std::ostream& errors);

    // Whether name is a key name that a key of the keyboard raises (an
    // upper-case letter names a code the window never raises: letters
    // arrive in lower case).
    static bool isKeyName(const std::string& name);
    static bool keyboardRaises(unsigned char code);

    // True when any option needs the key presses themselves, not only
    // which keys are held at a step.
    bool needsPresses() const
    {
        return turnBuffer || pauseKey != 0 || leaveKey != 0 || countdown > 0 || fastForward;
    }
};

// The colour 0xRRGGBBAA as its four components.
Util::RGBA colorFromNumber(unsigned long value);

// The key code of a key name; 0 (a key never pressed) for an unknown name.
unsigned char keyCodeOf(const std::string& name);

} // namespace Tool
