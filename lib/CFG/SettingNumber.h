#pragma once

#include <cstddef>
#include <ostream>
#include <stdexcept>
#include <string>

#include "Util/StringHelpers.h"

namespace CFG {

// A number read from a setting, with the setting named when it is none.
// Util::strToNum converts, with its own result and message; a text it
// refuses throws std::domain_error whose message puts the setting's name,
// the entry's position in a list (counted from 1, when entry is not 0) and
// "out of range" (for a number that does not fit in T) or "not a number"
// in front of strToNum's own message:
//   PLAYER_COLORS entry 2: not a number: Cant convert String to Num:zz
// A number the setting does not take reads the same way, with what it takes
// in brackets, and so does one the program brings into range, with the
// value it uses after it:
//   AI_LEVEL: out of range: 7 (0 to 4)
//   COUNTDOWN: out of range: 30 (at most 10): using 10
class SettingNumber {
public:
    template <typename T>
    static T read(const std::string& key, const std::string& text, std::size_t entry = 0)
    {
        try {
            return Util::strToNum<T>(text);
        } catch (const std::domain_error& error) {
            refuse(key, text, entry, error.what());
        }
    }

    // The same message for a number that converts but lies outside what
    // the setting takes (a colour of -1, or wider than 32 bits).
    [[noreturn]] static void outOfRange(const std::string& key, const std::string& text,
                                        std::size_t entry);
    // Throws std::domain_error with "KEY: out of range: TEXT (ALLOWED)", TEXT trimmed.
    [[noreturn]] static void refuseRange(const std::string& key, const std::string& text,
                                         const std::string& allowed);
    // "KEY: out of range: TEXT (ALLOWED): using USED", TEXT trimmed.
    static std::string limited(const std::string& key, const std::string& text,
                               const std::string& allowed, const std::string& used);
    // value brought into low to high; one outside gets the line of limited()
    // on notes ("low to high" allowed).
    static int clamp(const std::string& key, const std::string& text, int value, int low, int high,
                     std::ostream& notes);
    static float clamp(const std::string& key, const std::string& text, float value, float low,
                       float high, std::ostream& notes);

private:
    [[noreturn]] static void refuse(const std::string& key, const std::string& text,
                                    std::size_t entry, const std::string& reason);
};

} // namespace CFG
