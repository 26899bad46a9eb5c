#include <gtest/gtest.h>

#include <stdexcept>

#include "Util/StringHelpers.h"

using Util::splitString;
using Util::strToNum;

TEST(StringHelpers, TrimRemovesOnlyTheOuterCharacters)
{
    EXPECT_EQ(Util::trim("  a b \t\r\n", Util::WHITESPACE), "a b");
    EXPECT_EQ(Util::trim(" \t\n\r", Util::WHITESPACE), "");
    EXPECT_EQ(Util::trim("", Util::WHITESPACE), "");
    EXPECT_EQ(Util::trim("xxaxx", "x"), "a");
}

TEST(StringHelpers, PrefixAndSuffixCompareBytes)
{
    EXPECT_TRUE(Util::startswith("SETTINGS_x", "SETTINGS_"));
    EXPECT_TRUE(Util::startswith("abc", ""));
    EXPECT_FALSE(Util::startswith("ab", "abc"));
    EXPECT_FALSE(Util::startswith("Settings_", "SETTINGS_"));
    EXPECT_TRUE(Util::endswith("x.cfg", ".cfg"));
    EXPECT_TRUE(Util::endswith("", ""));
    EXPECT_FALSE(Util::endswith("cfg", ".cfg"));
}

TEST(StringHelpers, SplitStringKeepsOrTrimsPieces)
{
    struct Case {
        const char* text;
        const char* separator;
        bool keepEmpty;
        bool trimPieces;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"a, b,,c", ",", false, true, {"a", "b", "c"}},
        {"a, b,,c", ",", true, true, {"a", "b", "", "c"}},
        {"a, b", ",", false, false, {"a", " b"}},
        {"", ",", false, true, {}},
        {"", ",", true, true, {""}},
        {"K==", "==", true, true, {"K", ""}},
        {" K == V ", "==", true, true, {"K", "V"}},
        {"K==V==W", "==", true, true, {"K", "V", "W"}},
        {" , ,", ",", false, true, {}},
        {"abc", "", false, true, {"abc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "' separator '" + c.separator + "'");
        std::vector<std::string> pieces;
        EXPECT_EQ(splitString(c.text, c.separator, pieces, c.keepEmpty, c.trimPieces),
                  c.expected.size());
        EXPECT_EQ(pieces, c.expected);
    }
}

TEST(StringHelpers, SplitStringAppendsWithoutClearing)
{
    std::vector<std::string> pieces{"old"};
    EXPECT_EQ(splitString("a,b", ",", pieces, false, true), 3u);
    EXPECT_EQ(pieces, (std::vector<std::string>{"old", "a", "b"}));
}

TEST(StringHelpers, StrToNumReadsLikeAStream)
{
    EXPECT_EQ(strToNum<int>(""), 0);
    EXPECT_EQ(strToNum<int>("42"), 42);
    EXPECT_EQ(strToNum<int>("  -7abc"), -7);
    EXPECT_EQ(strToNum<int>("0x1F"), 31);
    EXPECT_EQ(strToNum<int>("010"), 10);
    EXPECT_EQ(strToNum<unsigned int>("0xff"), 255u);
    EXPECT_EQ(strToNum<unsigned long>("0xFFFFFFFF"), 0xFFFFFFFFul);
    EXPECT_EQ(strToNum<unsigned long>("0x800"), 2048ul);
    EXPECT_FLOAT_EQ(strToNum<float>("1.5e2"), 150.0f);
    EXPECT_FLOAT_EQ(strToNum<float>("0x10"), 0.0f);
    EXPECT_FLOAT_EQ(strToNum<float>(" 2.5 m"), 2.5f);
}

TEST(StringHelpers, StrToNumThrowsTheDocumentedMessage)
{
    const char* bad[] = {"abc", "-", " ", "x1", "nan"};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        try {
            strToNum<int>(text);
            ADD_FAILURE() << "no exception";
        } catch (const std::domain_error& error) {
            EXPECT_EQ(std::string(error.what()), std::string("Cant convert String to Num:") + text);
        }
        EXPECT_THROW(strToNum<float>(text), std::domain_error);
        EXPECT_THROW(strToNum<unsigned long>(text), std::domain_error);
    }
}

TEST(StringHelpers, NumToStrUsesFillWidthAndBase)
{
    EXPECT_EQ(Util::numToStr<int>(2048, 10, 0), "2048");
    EXPECT_EQ(Util::numToStr<int>(31, 16, 0), "0x1f");
    EXPECT_EQ(Util::numToStr<int>(0, 16, 0), "0");
    EXPECT_EQ(Util::numToStr<int>(8, 8, 0), "010");
    EXPECT_EQ(Util::numToStr<int>(7, 10, 3), "007");
    EXPECT_EQ(Util::numToStr<int>(7, 3, 0), "7");
    EXPECT_EQ(Util::numToStr<float>(400.0f, 10, 0), "400");
    EXPECT_EQ(Util::numToStr<float>(800.0f / 3.0f, 16, 0), "266.667");
    EXPECT_EQ(Util::numToStr<float>(1e6f, 10, 0), "1e+06");
}

TEST(StringHelpers, ReadDecimalTakesOnlyPlainDigitsWithinTheLimit)
{
    unsigned long long value = 0;
    EXPECT_TRUE(Util::readDecimal("0", 0, value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(Util::readDecimal("00042", 42, value));
    EXPECT_EQ(value, 42u);
    EXPECT_TRUE(Util::readDecimal("18446744073709551615", 18446744073709551615ull, value));
    EXPECT_EQ(value, 18446744073709551615ull);
    for (const char* text : {"", "43", "-1", "+1", " 1", "1 ", "1e3", "0x10",
                             "18446744073709551616", "99999999999999999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(Util::readDecimal(text, 42, value));
    }
    EXPECT_FALSE(Util::readDecimal("18446744073709551616", 18446744073709551615ull, value));
}
