#include <gtest/gtest.h>

#include "CFG/INItoCFG.h"

namespace {

std::vector<std::string> convert(const std::string& text, bool expectedResult = true)
{
    std::vector<std::string> lines;
    EXPECT_EQ(CFG::INItoCFG(text, lines), expectedResult);
    return lines;
}

} // namespace

TEST(INItoCFG, ConvertsSectionsKeysAndValueTypes)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"; display\n[Video]\nwidth = 800\ndepth=\n",
         {"Video::width:NUM==\"800\"", "Video::depth:NUM==\"\""}},
        {"top = 1\n", {"::top:NUM==\"1\""}},
        {"[ My Section ]\nk=v\n", {"My Section::k:NUM==\"v\""}},
        {"[Open\nk=v\n", {"Open::k:NUM==\"v\""}},
        {"[A] trailing ] text\nk=v\n", {"A::k:NUM==\"v\""}},
        {"[]\nk=v\n", {"::k:NUM==\"v\""}},
        {"k = a = b\n", {"::k:NUM==\"a = b\""}},
        {"t = \"Grid\"\nn = 123\ns = \"123\"\n",
         {"::t:STR==\"Grid\"", "::n:NUM==\"123\"", "::s:STR==\"123\""}},
        {"q = \"\"a\"\"\ne = \"\"\nlate = a\"\n",
         {"::q:STR==\"a\"", "::e:STR==\"\"", "::late:NUM==\"a\""}},
        {"k=1\nk=2\n[B]\nk=3\n", {"::k:NUM==\"1\"", "::k:NUM==\"2\"", "B::k:NUM==\"3\""}},
        {"# hash\n;semi\nno equals\n  \n\r\n", {}},
        {"\r\n[S]\r\nk = v\r\n", {"S::k:NUM==\"v\""}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(convert(c.text), c.lines);
    }
}

TEST(INItoCFG, QuotedValuesRunOverLinesAsInSettingsFiles)
{
    EXPECT_EQ(convert("m = \"one\n  two \nthree\"\nafter = 1\n"),
              (std::vector<std::string>{"::m:STR==\"one\n  two\nthree\"", "::after:NUM==\"1\""}));
    EXPECT_EQ(convert("m = \"a\\\nb\\n\\\nc\"\n"),
              (std::vector<std::string>{"::m:STR==\"ab\nc\""}));
    EXPECT_EQ(convert("m = \"\n[not a section]\n\"\n"),
              (std::vector<std::string>{"::m:STR==\"\n[not a section]\n\""}));
}

TEST(INItoCFG, OpenQuotedValueFailsKeepingEarlierLines)
{
    EXPECT_EQ(convert("a = 1\nb = \"open\nmore\n", false),
              (std::vector<std::string>{"::a:NUM==\"1\""}));
    EXPECT_EQ(convert("b = \"\n", false), std::vector<std::string>{});
}

TEST(INItoCFG, NamesOfTheKeyPieces)
{
    EXPECT_EQ(CFG::sectionKeySeparator(), "::");
    EXPECT_EQ(CFG::stringTypePostfix(), ":STR");
    EXPECT_EQ(CFG::numberTypePostfix(), ":NUM");
}
