#pragma once

#include <string>
#include <vector>

namespace Tool {

// The words that tell a person who they are and how a match went for
// them: their colour and keys on the title and in the countdown, and the
// result in their terms. Holds no state.
class PlayerWords {
public:
    // Four key names in the order up, left, down, right: "ARROW KEYS" for
    // the arrows, else the names in upper case ("W A S D"); "OR PAD n"
    // follows when pad (counted from 1) steers too, and is all there is
    // when no key is named.
    static std::string keys(const std::vector<std::string>& names, int pad);
    // "YOU ARE BLUE · ARROW KEYS STEER" for the only person at the window,
    // "PLAYER 2 IS ORANGE · W A S D STEER" for each of several; label is
    // the colour's name, or "PLAYER k" without colours.
    static std::string identity(int seat, bool onlyPerson, const std::string& label,
                                const std::string& keys);
    // The result line: "DRAW"; "YOU WIN" when the only seat at the window
    // won; the winner's label + " WINS" when one of several did (each
    // person's label "PLAYER k") or when nobody plays at the window; else
    // "YOU LOSE · " + the winner's label + " WINS". labels holds each
    // player's label (a colour's name, or online a name).
    static std::string result(const std::string& result, const std::vector<int>& seats,
                              const std::vector<std::string>& labels);
    // A key's name as a keycap shows it: upper case ("p" gives "P").
    static std::string keyName(std::string name);
    // "PLAYER k", k counted from 1.
    static std::string seatLabel(int seat);
};

} // namespace Tool
