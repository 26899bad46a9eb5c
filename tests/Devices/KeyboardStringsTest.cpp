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
    struct Case {
        const char* name;
        int code;
    };
    const Case cases[] = {
        {"UP", 6},     {"KP RET", 144}, {"a", 97},       {"A", 65},    {"0", 48},
        {"CTRL", 0},   {"PAGE UP", 13}, {"RETURN", 13},  {"0x0", 0},   {"0x1b", 27},
        {"ESC", 27},   {",", 44},       {"COMMA", 44},   {" ", 32},    {"SPACE", 32},
        {"up", 0},     {"", 0},         {"SHIFT", 1},    {"ALT", 2},   {"0x3", 3},
        {"0x1", 1},    {"DQUOTE", 34},  {"\"", 34},      {"KP0", 128}, {"KP9", 137},
        {"KP/", 138},  {"KP=", 143},    {"PAGE DN", 14}, {"0xd", 13},  {"0xff", 255},
        {"0x7f", 127}, {"~", 126},      {"0x80", 128},   {"0x00", 0},  {"DELETE", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("name \"") + c.name + "\"");
        EXPECT_EQ(strings().keyMapping().getKey(c.name), c.code);
    }
}

TEST(KeyboardStrings, CodesGiveTheirLastName)
{
    struct Case {
        int code;
        const char* name;
    };
    const Case cases[] = {
        {0, "0"},      {48, "0"},     {13, "RETURN"}, {3, "0x3"},  {1, "SHIFT"},
        {2, "ALT"},    {200, "0xc8"}, {127, "0x7f"},  {126, "~"},  {27, "ESC"},
        {32, "SPACE"}, {44, "COMMA"}, {34, "DQUOTE"}, {97, "a"},   {144, "KP RET"},
        {145, "0x91"}, {255, "0xff"}, {31, "0x1f"},   {15, "0xf"}, {4, "LEFT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(strings().keyMapping().getValue(static_cast<unsigned char>(c.code)), c.name);
    }
}

TEST(KeyboardStrings, EveryCodeHasANameAnd290NamesExist)
{
    EXPECT_EQ(strings().keyMapping().keyCount(), 256u);
    EXPECT_EQ(strings().keyMapping().valueCount(), 290u);
    for (int code = 0; code < 256; ++code) {
        const std::string& name = strings().keyMapping().getValue(static_cast<unsigned char>(code));
        ASSERT_FALSE(name.empty()) << code;
        // A code's own name always reads back as that code, except "0", which
        // was entered again for 48 after code 0.
        if (code != 0) {
            EXPECT_EQ(strings().keyMapping().getKey(name), code) << name;
        }
    }
}

TEST(KeyboardStrings, ModifierNames)
{
    using K = Devices::Keyboard;
    struct Case {
        const char* name;
        int value;
    };
    const Case cases[] = {
        {"NONE", 0},         {"SHIFT", 1},           {"ALT", 2},        {"ALT+SHIFT", 3},
        {"CTRL", 4},         {"CTRL+SHIFT", 5},      {"CTRL+ALT", 6},   {"CTRL+ALT+SHIFT", 7},
        {"INVALID", 0xffff}, {"SHIFT+CTRL", 0xffff}, {"shift", 0xffff}, {"", 0xffff},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(strings().modMapping().getKey(c.name), c.value);
        if (c.value != 0xffff) {
            EXPECT_EQ(strings().modMapping().getValue(static_cast<K::Modifiers>(c.value)), c.name);
        }
    }
    EXPECT_EQ(strings().modMapping().getValue(static_cast<K::Modifiers>(8)), "INVALID");
    EXPECT_EQ(strings().modMapping().getValue(K::MOD_INVALID), "INVALID");
}

} // namespace
