#include "CFG/SettingNumber.h"

#include <cstdlib>

namespace CFG {

namespace {

std::string where(const std::string& key, std::size_t entry)
{
    return entry == 0 ? key : key + " entry " + std::to_string(entry);
}

// A decimal or hexadecimal number that strtod reads whole (not "nan" or
// "inf"): strToNum refused it only because it does not fit.
bool looksLikeNumber(const std::string& text)
{
    const std::string trimmed = Util::trim(text);
    if (trimmed.empty() ||
        trimmed.find_first_not_of("0123456789abcdefABCDEFxX+-.") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    std::strtod(trimmed.c_str(), &end);
    return end == trimmed.c_str() + trimmed.size();
}

} // namespace

void SettingNumber::outOfRange(const std::string& key, const std::string& text, std::size_t entry)
{
    throw std::domain_error(where(key, entry) + ": out of range: " + text);
}

void SettingNumber::refuseRange(const std::string& key, const std::string& text,
                                const std::string& allowed)
{
    throw std::domain_error(key + ": out of range: " + Util::trim(text) + " (" + allowed + ")");
}

std::string SettingNumber::limited(const std::string& key, const std::string& text,
                                   const std::string& allowed, const std::string& used)
{
    return key + ": out of range: " + Util::trim(text) + " (" + allowed + "): using " + used;
}

namespace {

std::string numberText(int value)
{
    return std::to_string(value);
}

std::string numberText(float value)
{
    return Util::numToStr<float>(value);
}

template <typename T>
T clampNumber(const std::string& key, const std::string& text, T value, T low, T high,
              std::ostream& notes)
{
    const T used = value < low ? low : (value > high ? high : value);
    if (used != value) {
        notes << SettingNumber::limited(key, text, numberText(low) + " to " + numberText(high),
                                        numberText(used))
              << '\n';
    }
    return used;
}

} // namespace

int SettingNumber::clamp(const std::string& key, const std::string& text, int value, int low,
                         int high, std::ostream& notes)
{
    return clampNumber(key, text, value, low, high, notes);
}

float SettingNumber::clamp(const std::string& key, const std::string& text, float value, float low,
                           float high, std::ostream& notes)
{
    return clampNumber(key, text, value, low, high, notes);
}

void SettingNumber::refuse(const std::string& key, const std::string& text, std::size_t entry,
                           const std::string& reason)
{
    if (looksLikeNumber(text)) {
        throw std::domain_error(where(key, entry) + ": out of range: " + reason);
    }
    throw std::domain_error(where(key, entry) + ": not a number: " + reason);
}

} // namespace CFG
