#include "MatchOptions.h"

#include <string>

#include "CFG/CFG.h"
#include "CFG/SettingNumber.h"
#include "Devices/KeyboardStrings.h"
#include "Util/StringHelpers.h"

namespace Tool {

namespace {

const char* const SEAT_KEY_SUFFIXES[4] = {"_UP", "_DOWN", "_LEFT", "_RIGHT"};

// One entry of "PLAYER_COLORS": a 32-bit number, refused (not wrapped)
// when negative or wider.
unsigned long readColor(const std::string& piece, std::size_t entry)
{
    const unsigned long value =
        CFG::SettingNumber::read<unsigned long>("PLAYER_COLORS", piece, entry);
    if (Util::trim(piece).rfind("-", 0) == 0 || value > 0xFFFFFFFFul) {
        CFG::SettingNumber::outOfRange("PLAYER_COLORS", piece, entry);
    }
    return value;
}

} // namespace

Util::RGBA colorFromNumber(unsigned long value)
{
    return Util::RGBA(static_cast<std::uint8_t>(value >> 24),
                      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                      static_cast<std::uint8_t>(value));
}

unsigned char keyCodeOf(const std::string& name)
{
    return Devices::KeyboardStrings::instance().keyMapping().getKey(name);
}

std::vector<Util::RGBA> MatchOptions::readColors(int playerCount)
{
    std::vector<std::string> pieces;
    Util::splitString(CFG::get("PLAYER_COLORS"), ",", pieces);
    std::vector<Util::RGBA> colors;
    if (pieces.empty()) {
        return colors;
    }
    // Converted whole first, so that a bad entry anywhere is reported even
    // when there are fewer players than entries.
    std::vector<Util::RGBA> listed;
    for (const std::string& piece : pieces) {
        listed.push_back(colorFromNumber(readColor(piece, listed.size() + 1)));
    }
    for (int k = 0; k < playerCount; ++k) {
        colors.push_back(listed[static_cast<std::size_t>(k) % listed.size()]);
    }
    return colors;
}

int MatchOptions::readHumans(int playerCount, std::ostream& errors)
{
    const std::string text = CFG::get("HUMAN_PLAYERS");
    if (text.empty()) {
        return 1;
    }
    const int asked = CFG::SettingNumber::read<int>("HUMAN_PLAYERS", text);
    const int most =
        playerCount < MatchOptions::MAX_HUMANS ? playerCount : MatchOptions::MAX_HUMANS;
    return CFG::SettingNumber::clamp("HUMAN_PLAYERS", text, asked, 0, most, errors);
}

float MatchOptions::readCountdown(std::ostream& notes)
{
    const std::string text = CFG::get("COUNTDOWN");
    const float seconds = CFG::SettingNumber::read<float>("COUNTDOWN", text);
    if (seconds > MAX_COUNTDOWN) {
        notes << CFG::SettingNumber::limited("COUNTDOWN", text,
                                             "at most " + Util::numToStr<float>(MAX_COUNTDOWN),
                                             Util::numToStr<float>(MAX_COUNTDOWN))
              << '\n';
    }
    // 0 or less: no countdown; a long one is cut to MAX_COUNTDOWN.
    return seconds > 0 ? 1000 * (seconds < MAX_COUNTDOWN ? seconds : MAX_COUNTDOWN) : 0;
}

bool MatchOptions::isKeyName(const std::string& name)
{
    return keyCodeOf(name) != 0 && keyboardRaises(keyCodeOf(name));
}

bool MatchOptions::keyboardRaises(unsigned char code)
{
    // The window raises the arrows and the named keys (4 to 14, Escape 27),
    // printable keys with letters in lower case (32 to 64, 91 to 122) and
    // the keypad (128 to 144); never an upper-case letter.
    return (code >= 4 && code <= 14) || code == 27 || (code >= 32 && code <= 64) ||
           (code >= 91 && code <= 122) || (code >= 128 && code <= 144);
}

MatchOptions MatchOptions::read(int playerCount, std::ostream& errors)
{
    MatchOptions options;
    options.colors = readColors(playerCount);
    options.humans = readHumans(playerCount, errors);
    options.turnBuffer = CFG::parser()->getBool("TURN_BUFFER");
    options.pauseKey = keyCodeOf(CFG::get("KEY_PAUSE"));
    options.leaveKey = keyCodeOf(CFG::get("KEY_LEAVE"));
    options.countdown = readCountdown(errors);
    options.fastForward = CFG::parser()->getBool("FAST_FORWARD");
    for (int seat = 1; seat < options.humans; ++seat) {
        const std::string prefix = "KEY_P" + std::to_string(seat + 1);
        for (int d = 0; d < 4; ++d) {
            options.seatKeys[seat][d] = keyCodeOf(CFG::get(prefix + SEAT_KEY_SUFFIXES[d]));
        }
    }
    return options;
}

} // namespace Tool
