#include <gtest/gtest.h>

#include <string>

#include "Devices/KeyboardStrings.h"

namespace {

const Devices::KeyboardStrings& strings()
{
    return Util::Singleton<Devices::KeyboardStrings>::instance();
}

TEST(KeyboardStrings, NamesGiveCodes)
{
    const std::pair<const char*, int> cases[] = {
        {"UP", 6},    {"KP RET", 144}, {"a", 97},      {"A", 65},   {"0", 48},
        {"CTRL", 0},  {"PAGE UP", 13}, {"RETURN", 13}, {"0x0", 0},  {"0x1b", 27},
        {"ESC", 27},  {",", 44},       {"COMMA", 44},  {" ", 32},   {"SPACE", 32},
        {"up", 0},    {"", 0},         {"SHIFT", 1},   {"0x3", 3},  {"\"", 34},
        {"KP/", 138}, {"KP=", 143},    {"0xff", 255},  {"0x00", 0}, {"DELETE", 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("name \"") + c.first + "\"");
        EXPECT_EQ(strings().keyMapping().getKey(c.first), c.second);
    }
}

TEST(KeyboardStrings, EveryCodeHasItsLastNameAnd290NamesExist)
{
    const std::pair<int, const char*> cases[] = {
        {0, "0"},      {48, "0"},     {13, "RETURN"}, {3, "0x3"},    {1, "SHIFT"},  {2, "ALT"},
        {200, "0xc8"}, {127, "0x7f"}, {126, "~"},     {32, "SPACE"}, {145, "0x91"}, {15, "0xf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(strings().keyMapping().getValue(static_cast<unsigned char>(c.first)), c.second);
    }
    EXPECT_EQ(strings().keyMapping().keyCount(), 256u);
    EXPECT_EQ(strings().keyMapping().valueCount(), 290u);
    // Every code's name reads back as that code, except "0" (entered again
    // for 48 after code 0).
    for (int code = 1; code < 256; ++code) {
        const std::string& name = strings().keyMapping().getValue(static_cast<unsigned char>(code));
        EXPECT_EQ(strings().keyMapping().getKey(name), code) << name;
    }
}

TEST(KeyboardStrings, ModifierNames)
{
    using K = Devices::Keyboard;
    const char* names[] = {"NONE", "SHIFT",      "ALT",      "ALT+SHIFT",
                           "CTRL", "CTRL+SHIFT", "CTRL+ALT", "CTRL+ALT+SHIFT"};
    for (int value = 0; value < 8; ++value) {
        SCOPED_TRACE(names[value]);
        EXPECT_EQ(strings().modMapping().getKey(names[value]), value);
        EXPECT_EQ(strings().modMapping().getValue(static_cast<K::Modifiers>(value)), names[value]);
    }
    for (const char* absent : {"SHIFT+CTRL", "shift", "", "INVALID"}) {
        EXPECT_EQ(strings().modMapping().getKey(absent), 0xffff) << absent;
    }
    EXPECT_EQ(strings().modMapping().getValue(static_cast<K::Modifiers>(8)), "INVALID");
}

} // namespace
