#include "MatchHeader.h"

#include <cerrno>
#include <cstdlib>
#include <map>

namespace Tool {

namespace {

constexpr int MAX_SEATS_IN_HEADER = 4096;

std::string colorText(const Util::RGBA& c)
{
    static const char* const HEX = "0123456789ABCDEF";
    std::string text = "0x";
    for (unsigned value : {c.r, c.g, c.b, c.a}) {
        text += HEX[(value >> 4) & 15];
        text += HEX[value & 15];
    }
    return text;
}

// Digits only in the given base (10, or 16 after "0x"), between low and
// high: a leading 0 is no octal here, and no sign or space slips through.
bool digits(const std::string& text, int base, unsigned long long low, unsigned long long high,
            unsigned long long& value)
{
    const char* allowed = base == 16 ? "0123456789ABCDEFabcdef" : "0123456789";
    if (text.empty() || text.size() > 20 || text.find_first_not_of(allowed) != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text.c_str(), &end, base);
    return errno == 0 && end == text.c_str() + text.size() && value >= low && value <= high;
}

bool number(const std::string& text, unsigned long long low, unsigned long long high,
            unsigned long long& value)
{
    return digits(text, 10, low, high, value);
}

bool signedNumber(const std::string& text, long long& value)
{
    unsigned long long magnitude = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!number(negative ? text.substr(1) : text, 0, 0x80000000ull, magnitude) ||
        (!negative && magnitude > 0x7FFFFFFFull)) {
        return false;
    }
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return true;
}

bool colors(const std::string& text, std::vector<Util::RGBA>& out)
{
    std::size_t from = 0;
    while (from <= text.size() && out.size() < MAX_SEATS_IN_HEADER) {
        const std::size_t comma = text.find(',', from);
        const std::string piece = text.substr(from, comma - from);
        unsigned long long value = 0;
        if (piece.compare(0, 2, "0x") != 0 ||
            !digits(piece.substr(2), 16, 0, 0xFFFFFFFFull, value)) {
            return false;
        }
        out.emplace_back(static_cast<std::uint8_t>(value >> 24),
                         static_cast<std::uint8_t>(value >> 16),
                         static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value));
        if (comma == std::string::npos) {
            return true;
        }
        from = comma + 1;
    }
    return false;
}

// The reversal policies by their names in a header, in ReversalPolicy's order.
const char* const REVERSAL_NAMES[] = {"APPLIED", "DROPPED_WHEN_BLOCKED", "DROPPED"};

bool reversalPolicy(const std::string& text, ReversalPolicy& policy)
{
    for (int k = 0; k < 3; ++k) {
        if (text == REVERSAL_NAMES[k]) {
            policy = static_cast<ReversalPolicy>(k);
            return true;
        }
    }
    return false;
}

} // namespace

std::string MatchHeader::encode() const
{
    std::string text = std::string(MAGIC) + " " + std::to_string(FORMAT) + "\n";
    auto line = [&text](const std::string& key, const std::string& value) {
        text += key + "==" + value + "\n";
    };
    line("MATCH", std::to_string(matchNumber));
    line("START_RANDOM", std::to_string(setup.startRandom));
    line("DECISION_RANDOM", std::to_string(setup.decisionRandom));
    line("GRID_WIDTH", std::to_string(setup.gridWidth));
    line("GRID_HEIGHT", std::to_string(setup.gridHeight));
    line("NUM_PLAYERS", std::to_string(setup.playerCount));
    line("HUMAN_PLAYERS", std::to_string(setup.humans));
    line("TURN_CHANCE", std::to_string(setup.turnChance));
    // Classic matches leave it out, so their headers read as they always did.
    if (setup.reversals != ReversalPolicy::APPLIED) {
        line("REVERSALS", REVERSAL_NAMES[static_cast<int>(setup.reversals)]);
    }
    for (std::size_t k = 0; k < setup.levels.size(); ++k) {
        line("AI_LEVEL_P" + std::to_string(k + 1), std::to_string(setup.levels[k]));
    }
    if (!setup.colors.empty()) {
        std::string list;
        for (const Util::RGBA& color : setup.colors) {
            list += (list.empty() ? "" : ",") + colorText(color);
        }
        line("PLAYER_COLORS", list);
    }
    return text + "\n";
}

bool MatchHeader::decode(const std::string& text, MatchHeader& header, std::size_t& used,
                         std::string& error)
{
    const std::size_t end = text.find("\n\n");
    if (end == std::string::npos || end + 2 > MAX_BYTES) {
        error = "no match header (its end is missing)";
        return false;
    }
    std::map<std::string, std::string> values;
    std::size_t from = 0;
    bool first = true;
    while (from <= end) {
        const std::size_t newline = text.find('\n', from);
        const std::string line = text.substr(from, newline - from);
        from = newline + 1;
        if (first) {
            first = false;
            if (line != std::string(MAGIC) + " " + std::to_string(FORMAT)) {
                error =
                    line.compare(0, std::string(MAGIC).size() + 1, std::string(MAGIC) + " ") == 0
                        ? "match format " + line.substr(std::string(MAGIC).size() + 1) +
                              " is not " + std::to_string(FORMAT)
                        : "not a Vektra match (no \"" + std::string(MAGIC) + "\" line)";
                return false;
            }
            continue;
        }
        const std::size_t equals = line.find("==");
        if (equals == std::string::npos ||
            !values.emplace(line.substr(0, equals), line.substr(equals + 2)).second) {
            error = "bad or repeated header line \"" + line.substr(0, 60) + "\"";
            return false;
        }
    }
    MatchHeader read;
    unsigned long long value = 0;
    auto take = [&](const char* key, unsigned long long low, unsigned long long high) {
        const auto found = values.find(key);
        if (found == values.end() || !number(found->second, low, high, value)) {
            error = std::string("header's ") + key + " is missing or out of range";
            return false;
        }
        values.erase(found);
        return true;
    };
    const unsigned long long side = MatchSetup::MAX_GRID_SIDE;
    if (!take("MATCH", 0, 0xFFFFFFFFull) || !(read.matchNumber = value, true) ||
        !take("START_RANDOM", 0, 0xFFFFFFFFull) ||
        !(read.setup.startRandom = static_cast<std::uint32_t>(value), true) ||
        !take("DECISION_RANDOM", 0, 0xFFFFFFFFull) ||
        !(read.setup.decisionRandom = static_cast<std::uint32_t>(value), true) ||
        !take("GRID_WIDTH", 0, side) || !(read.setup.gridWidth = static_cast<int>(value), true) ||
        !take("GRID_HEIGHT", 0, side) || !(read.setup.gridHeight = static_cast<int>(value), true) ||
        !take("NUM_PLAYERS", 0, side * side) ||
        !(read.setup.playerCount = static_cast<int>(value), true) ||
        !take("HUMAN_PLAYERS", 0,
              read.setup.playerCount < MatchSetup::MAX_HUMANS ? read.setup.playerCount
                                                              : MatchSetup::MAX_HUMANS) ||
        !(read.setup.humans = static_cast<int>(value), true)) {
        return false;
    }
    // Any whole number plays: below 0 never turns, above 99 always does.
    const auto chance = values.find("TURN_CHANCE");
    long long turnChance = 0;
    if (chance == values.end() || !signedNumber(chance->second, turnChance)) {
        error = "header's TURN_CHANCE is missing or out of range";
        return false;
    }
    read.setup.turnChance = static_cast<int>(turnChance);
    values.erase(chance);
    for (int k = 0; k < read.setup.playerCount && k < MAX_SEATS_IN_HEADER; ++k) {
        if (!take(("AI_LEVEL_P" + std::to_string(k + 1)).c_str(), 0, MatchSetup::MAX_LEVEL)) {
            return false;
        }
        read.setup.levels.push_back(static_cast<int>(value));
    }
    // Absent in every header written before the policy was: classic.
    const auto reversals = values.find("REVERSALS");
    if (reversals != values.end()) {
        if (!reversalPolicy(reversals->second, read.setup.reversals)) {
            error = "header's REVERSALS is not APPLIED, DROPPED_WHEN_BLOCKED or DROPPED";
            return false;
        }
        values.erase(reversals);
    }
    const auto listed = values.find("PLAYER_COLORS");
    if (listed != values.end()) {
        if (!colors(listed->second, read.setup.colors)) {
            error = "header's PLAYER_COLORS is malformed";
            return false;
        }
        values.erase(listed);
    }
    if (!values.empty()) {
        error = "unknown header key " + values.begin()->first.substr(0, 60);
        return false;
    }
    const std::string problem = read.setup.problem();
    if (!problem.empty()) {
        error = "header's match cannot be played: " + problem;
        return false;
    }
    header = read;
    used = end + 2;
    return true;
}

} // namespace Tool
