#include <gtest/gtest.h>

#include <stdexcept>

#include "CFG/CFG.h"
#include "Support/GlobalStateGuard.h"
#include "Support/TempDir.h"

using CFG::Info;
using TestSupport::TempDir;

TEST(Info, AddBehavesLikeASettingsLine)
{
    struct Case {
        const char* key;
        const char* value;
        bool result;
        const char* lookup;
        const char* expected;
    };
    const Case cases[] = {
        {"  SCREEN_WIDTH  ", " 800 ", true, "SCREEN_WIDTH", "800"},
        {"Q", "\"quoted\"", true, "Q", "quoted"},
        {"OPEN", "\"never closed", false, "OPEN", ""},
        {"#C", "1", true, "#C", ""},
        {"A==B", "C", true, "A", "B == C"},
        {"lower", "x", true, "LOWER", ""},
    };
    Info info(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + c.value);
        EXPECT_EQ(info.add(c.key, c.value), c.result);
        EXPECT_EQ(info.get(c.lookup), c.expected);
    }
    std::vector<std::string> keys{"stale"};
    info.keys(keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"A", "Q", "SCREEN_WIDTH", "lower"}));
    info.reset();
    info.keys(keys);
    EXPECT_TRUE(keys.empty());
}

TEST(Info, NonEmptyOverridesWinWhateverTheOrder)
{
    Info overrides(nullptr);
    Info store(&overrides);
    ASSERT_TRUE(overrides.add("WIDTH", "800"));
    ASSERT_TRUE(store.add("WIDTH", "1024"));
    ASSERT_TRUE(store.add("HEIGHT", "768"));
    ASSERT_TRUE(overrides.add("HEIGHT", ""));
    ASSERT_TRUE(store.add("DOUBLE", "::WIDTH::x"));
    EXPECT_EQ(store.get("WIDTH"), "800");
    EXPECT_EQ(store.get("HEIGHT"), "768") << "an empty override hides nothing";
    EXPECT_EQ(store.get("DOUBLE"), "800x");
    ASSERT_TRUE(overrides.add("AREA", "::WIDTH::x::HEIGHT::"));
    EXPECT_EQ(store.get("AREA"), "800x") << "expanded in the override layer";

    // A layer's own layer is asked first.
    Info top(nullptr);
    Info middle(&top);
    Info bottom(&middle);
    ASSERT_TRUE(middle.add("DEPTH", "2"));
    ASSERT_TRUE(bottom.add("DEPTH", "1"));
    EXPECT_EQ(bottom.get("DEPTH"), "2");
    ASSERT_TRUE(top.add("DEPTH", "3"));
    EXPECT_EQ(bottom.get("DEPTH"), "3");

    // Choices and the default choice are asked of the override layer too.
    TempDir dir;
    ASSERT_TRUE(store.addConfig(dir.write("s.cfg", "MODE == 2\nSIZE ?? MODE\n2 == forty\n"
                                                   "* == default\nMODE\n")));
    EXPECT_EQ(store.get("SIZE"), "forty");
    ASSERT_TRUE(overrides.add("MODE", "9"));
    EXPECT_EQ(store.get("SIZE"), "default");
    ASSERT_TRUE(overrides.add("*", "from overrides"));
    EXPECT_EQ(store.get("SIZE"), "from overrides");
}

TEST(Info, PathConstructorLeavesTheStoreEmptyWhenTheReadFails)
{
    TempDir dir;
    EXPECT_EQ(Info(dir.write("good.cfg", "A == 1\n"), nullptr).get("A"), "1");
    EXPECT_EQ(Info(dir.write("open.cfg", "A == 1\nB == \"open\n"), nullptr).get("A"), "");
}

TEST(Info, ParserReadsTruthValuesAndNumbers)
{
    Info info(nullptr);
    CFG::InfoParser parser(&info);
    for (const auto& [value, expected] : {std::pair<const char*, bool>{"YES", true},
                                          {"Y", true},
                                          {"1", true},
                                          {"yes", false},
                                          {"TRUE", false},
                                          {"y", false},
                                          {"", false},
                                          {"11", false}}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(info.add("B", value));
        EXPECT_EQ(parser.getBool("B"), expected);
    }
    ASSERT_TRUE(info.add("HEX", "0x1A"));
    ASSERT_TRUE(info.add("TAIL", "12abc"));
    ASSERT_TRUE(info.add("CALC", "EVAL:(800/3)"));
    ASSERT_TRUE(info.add("BIG", "0xFFFFFFFF"));
    EXPECT_EQ(parser.getNumber<int>("HEX"), 26);
    EXPECT_EQ(parser.getNumber<int>("TAIL"), 12);
    EXPECT_EQ(parser.getNumber<int>("ABSENT"), 0);
    EXPECT_EQ(parser.getNumber<unsigned long>("BIG"), 0xFFFFFFFFul);
    EXPECT_FLOAT_EQ(parser.getNumber<float>("CALC"), 266.667f);
    ASSERT_TRUE(info.add("TEXT", "abc"));
    try {
        parser.getNumber<int>("TEXT");
        ADD_FAILURE() << "no exception";
    } catch (const std::domain_error& error) {
        EXPECT_STREQ(error.what(), "Cant convert String to Num:abc");
    }
}

TEST(Info, GlobalStoreFunctions)
{
    TestSupport::GlobalStateGuard global;
    TempDir dir;
    std::string first = dir.write("first.cfg", "ONLY_FIRST == 1\nSHARED == first\n");
    std::string second = dir.write("second.cfg", "SHARED == second\nNUM == 0x10\n");
    ASSERT_TRUE(CFG::setConfig(first));
    ASSERT_TRUE(CFG::addConfig(second));
    EXPECT_EQ(CFG::get("ONLY_FIRST"), "1");
    EXPECT_EQ(CFG::get("SHARED"), "second");
    EXPECT_EQ(CFG::parser()->getNumber<int>("NUM"), 16);

    ASSERT_TRUE(CFG::getDefaultOverrides()->add("SHARED", "override"));
    EXPECT_FALSE(CFG::setConfig(dir.path("missing.cfg")));
    EXPECT_EQ(CFG::get("ONLY_FIRST"), "") << "setConfig starts afresh";
    EXPECT_EQ(CFG::get("SHARED"), "override");
}
