#include <gtest/gtest.h>

#include "CFG/INItoCFG.h"

TEST(INItoCFG, ConvertsSectionsKeysAndValueTypes)
{
    struct Case {
        const char* text;
        bool result;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"; display\n[Video]\nwidth = 800\ndepth=\n",
         true,
         {"Video::width:NUM==\"800\"", "Video::depth:NUM==\"\""}},
        {"top = 1\n[ My Section ]\nk=v\n", true, {"::top:NUM==\"1\"", "My Section::k:NUM==\"v\""}},
        {"[Open\nk=v\n[A] b ] c\nk=v\n", true, {"Open::k:NUM==\"v\"", "A::k:NUM==\"v\""}},
        {"k = a = b\n", true, {"::k:NUM==\"a = b\""}},
        {"t = \"Grid\"\ns = \"123\"\nq = \"\"a\"\"\nlate = a\"\n",
         true,
         {"::t:STR==\"Grid\"", "::s:STR==\"123\"", "::q:STR==\"a\"", "::late:NUM==\"a\""}},
        {"k=1\nk=2\n[B]\nk=3\n", true, {"::k:NUM==\"1\"", "::k:NUM==\"2\"", "B::k:NUM==\"3\""}},
        {"# hash\n;semi\nno equals\n  \n\r\n", true, {}},
        {"m = \"one\n  two \n[no section]\\\nx\"\n",
         true,
         {"::m:STR==\"one\n  two\n[no section]x\""}},
        {"a = 1\nb = \"open\nmore\n", false, {"::a:NUM==\"1\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> lines;
        EXPECT_EQ(CFG::INItoCFG(c.text, lines), c.result);
        EXPECT_EQ(lines, c.lines);
    }
    EXPECT_EQ(CFG::sectionKeySeparator() + CFG::stringTypePostfix() + CFG::numberTypePostfix(),
              ":::STR:NUM");
}
