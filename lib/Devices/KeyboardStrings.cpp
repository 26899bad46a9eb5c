#include "Devices/KeyboardStrings.h"

#include <cstdio>

namespace Devices {

namespace {

using Mod = Keyboard::Modifiers;

Mod combine(int bits)
{
    return static_cast<Mod>(bits);
}

// The name a code gets before the word names: the character itself when it
// is printable, else its value in lower-case hex ("0x1b"), and plain "0" for
// code 0.
std::string codeName(int code)
{
    if (code >= 32 && code <= 126) {
        return std::string(1, static_cast<char>(code));
    }
    if (code == 0) {
        return "0";
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(code));
    return text;
}

struct WordName {
    const char* name;
    unsigned char code;
};

// In order: a later word overwrites an earlier one's code name, so "RETURN"
// names code 13 while "PAGE UP" still reads as 13.
const WordName WORD_NAMES[] = {
    {"DQUOTE", 34},  {"COMMA", 44},  {"SPACE", 32},     {"SHIFT", 1},   {"ALT", 2},
    {"LEFT", 4},     {"RIGHT", 5},   {"UP", 6},         {"DOWN", 7},    {"HOME", 8},
    {"END", 9},      {"INSERT", 10}, {"BACKSPACE", 11}, {"DELETE", 12}, {"PAGE UP", 13},
    {"PAGE DN", 14}, {"ESC", 27},    {"RETURN", 13},    {"KP0", 128},   {"KP1", 129},
    {"KP2", 130},    {"KP3", 131},   {"KP4", 132},      {"KP5", 133},   {"KP6", 134},
    {"KP7", 135},    {"KP8", 136},   {"KP9", 137},      {"KP/", 138},   {"KP*", 139},
    {"KP-", 140},    {"KP+", 141},   {"KP.", 142},      {"KP=", 143},   {"KP RET", 144},
};

} // namespace

KeyboardStrings::KeyboardStrings()
    : m_modMapping(Keyboard::MOD_INVALID, "INVALID"), m_keyMapping(0, "")
{
    fillModifiers();
    fillCodeNames();
    fillWordNames();
}

KeyboardStrings::~KeyboardStrings() = default;

void KeyboardStrings::fillModifiers()
{
    m_modMapping.add(Keyboard::MOD_NONE, "NONE");
    m_modMapping.add(Keyboard::MOD_ALT, "ALT");
    m_modMapping.add(Keyboard::MOD_CTRL, "CTRL");
    m_modMapping.add(Keyboard::MOD_SHIFT, "SHIFT");
    m_modMapping.add(combine(Keyboard::MOD_ALT | Keyboard::MOD_SHIFT), "ALT+SHIFT");
    m_modMapping.add(combine(Keyboard::MOD_CTRL | Keyboard::MOD_SHIFT), "CTRL+SHIFT");
    m_modMapping.add(combine(Keyboard::MOD_CTRL | Keyboard::MOD_ALT), "CTRL+ALT");
    m_modMapping.add(combine(Keyboard::MOD_CTRL | Keyboard::MOD_ALT | Keyboard::MOD_SHIFT),
                     "CTRL+ALT+SHIFT");
}

void KeyboardStrings::fillCodeNames()
{
    // Code 0 and code 48 are both entered as "0"; 48 comes later, so the
    // name "0" reads as 48 while code 0 keeps the name "0".
    for (int code = 0; code < Keyboard::KEY_COUNT; ++code) {
        m_keyMapping.add(static_cast<unsigned char>(code), codeName(code));
    }
}

void KeyboardStrings::fillWordNames()
{
    for (const WordName& word : WORD_NAMES) {
        m_keyMapping.add(word.code, word.name);
    }
}

} // namespace Devices
