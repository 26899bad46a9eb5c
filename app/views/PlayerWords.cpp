#include "PlayerWords.h"

#include <cctype>
#include <string>

#include "app/input/SeatResult.h"

namespace Tool {

namespace {

const std::string DOT = " \xC2\xB7 ";

} // namespace

std::string PlayerWords::keyName(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string PlayerWords::keys(const std::vector<std::string>& names, int pad)
{
    std::string phrase;
    if (names == std::vector<std::string>{"UP", "LEFT", "DOWN", "RIGHT"}) {
        phrase = "ARROW KEYS";
    } else {
        for (const std::string& name : names) {
            if (!name.empty()) {
                phrase += (phrase.empty() ? "" : " ") + keyName(name);
            }
        }
    }
    if (pad > 0) {
        phrase += (phrase.empty() ? "PAD " : " OR PAD ") + std::to_string(pad);
    }
    return phrase;
}

std::string PlayerWords::identity(int seat, bool onlyPerson, const std::string& label,
                                  const std::string& keys)
{
    std::string line = "YOU ARE " + label;
    if (!onlyPerson) {
        line = label == seatLabel(seat) ? label : seatLabel(seat) + " IS " + label;
    }
    if (!keys.empty()) {
        // One pad steers; keys (and keys or a pad) steer.
        line += DOT + keys + (keys.rfind("PAD ", 0) == 0 ? " STEERS" : " STEER");
    }
    return line;
}

std::string PlayerWords::result(const std::string& result, const std::vector<int>& seats,
                                const std::vector<std::string>& labels)
{
    const int winner = SeatResult::winner(result);
    if (winner < 0) {
        return "DRAW";
    }
    const std::string label = static_cast<std::size_t>(winner) < labels.size()
                                  ? labels[static_cast<std::size_t>(winner)]
                                  : seatLabel(winner);
    if (SeatResult::wonBy(result, seats)) {
        return seats.size() == 1 ? "YOU WIN" : seatLabel(winner) + " WINS";
    }
    return seats.empty() ? label + " WINS" : "YOU LOSE" + DOT + label + " WINS";
}

std::string PlayerWords::seatLabel(int seat)
{
    return "PLAYER " + std::to_string(seat + 1);
}

} // namespace Tool
