#include <gtest/gtest.h>

#include "CFG/Info.h"
#include "CFG/TempDir.h"

using CFG::Info;

namespace {

struct Expect {
    const char* key;
    const char* value;
};

void expectValues(const Info& info, std::initializer_list<Expect> expected)
{
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.key);
        EXPECT_EQ(info.get(e.key), e.value);
    }
}

std::vector<std::string> keysOf(const Info& info)
{
    std::vector<std::string> keys;
    info.keys(keys);
    return keys;
}

} // namespace

TEST(Reader, LineForms)
{
    TempDir dir;
    Info info(nullptr);
    ASSERT_TRUE(info.addConfig(dir.write("f.cfg", "# comment == 1\n"
                                                  " \t \n"
                                                  "  SCREEN_WIDTH  ==  800 \r\n"
                                                  "EMPTY ==\n"
                                                  "HASH == a#b # c\n"
                                                  "SINGLE = 1\n"
                                                  "just text\n"
                                                  "== no key\n"
                                                  "TWICE == 1\n"
                                                  "TWICE == 2\n"
                                                  "INNER == a  b\n"
                                                  " # INDENTED == 1\n")));
    expectValues(info, {{"SCREEN_WIDTH", "800"},
                        {"EMPTY", ""},
                        {"HASH", "a#b # c"},
                        {"", "no key"},
                        {"TWICE", "2"},
                        {"INNER", "a  b"}});
    EXPECT_EQ(keysOf(info),
              (std::vector<std::string>{"", "EMPTY", "HASH", "INNER", "SCREEN_WIDTH", "TWICE"}));
}

TEST(Reader, QuotedValues)
{
    struct Case {
        const char* text;
        const char* value;
    };
    const Case cases[] = {
        {"V == \"abc\"\n", "abc"},
        {"V == \"\"\n", ""},
        {"V == abc\"\n", "abc"},
        {"V == \"\"\"a\"\"\n", "a"},
        {"V == \"one\n  two\nthree\"\n", "one\n  two\nthree"},
        {"V == \"one\n\nthree\"\n", "one\nthree"},
        {"V == \"one\n   \nthree\"\n", "one\n\nthree"},
        {"V == \"join\\\ned\"\n", "joined"},
        {"V == \"line\\n\\\nnext\"\n", "line\nnext"},
        {"V == \"raw\n# not a comment\nK == not an entry\"\nAFTER == 1\n", "raw\n# not a comment\nK == not an entry"},
        {"V == \"a\" b\nswallowed\nend\"\n", "a\" b\nswallowed\nend"},
        {"V == \"\nx\"\n", "\nx"},
        {"V == \"tail   \n  lead  \"\n", "tail\n  lead  "},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Info info(nullptr);
        ASSERT_TRUE(info.addConfig(dir.write("q.cfg", c.text)));
        EXPECT_EQ(info.get("V"), c.value);
    }
}

TEST(Reader, QuotedValueOpenAtTheEndFailsButKeepsWhatCameBefore)
{
    TempDir dir;
    Info info(nullptr);
    dir.write("open.cfg.MOD", "MOD == read\n");
    EXPECT_FALSE(info.addConfig(dir.write("open.cfg", "BEFORE == 1\nV == \"\nnever closed\n")));
    expectValues(info, {{"BEFORE", "1"}, {"V", ""}, {"MOD", "read"}});
    EXPECT_FALSE(info.addConfig(dir.write("lone.cfg", "W == \"\n")));
    EXPECT_EQ(keysOf(info), (std::vector<std::string>{"BEFORE", "MOD"}));
}

TEST(Reader, SelectionBlocks)
{
    TempDir dir;
    Info info(nullptr);
    ASSERT_TRUE(info.addConfig(dir.write("sel.cfg", "NUM_PLAYERS == 3\n"
                                                    "GRID_WIDTH ?? NUM_PLAYERS\n"
                                                    "# comment in the block\n"
                                                    "2 == 40\n"
                                                    "3 == 50\n"
                                                    "* == 64\n"
                                                    "NUM_PLAYERS\n"
                                                    "NO_DEFAULT ?? NUM_PLAYERS\n"
                                                    "2 == 40\n"
                                                    "NUM_PLAYERS\n"
                                                    "MODE == hard\n"
                                                    "NESTED ?? NUM_PLAYERS\n"
                                                    "3 ?? MODE\n"
                                                    "easy == slow\n"
                                                    "hard == fast\n"
                                                    "MODE\n"
                                                    "NUM_PLAYERS\n"
                                                    "AFTER == ::GRID_WIDTH::\n")));
    expectValues(info, {{"GRID_WIDTH", "50"},
                        {"NO_DEFAULT", ""},
                        {"NESTED", "fast"},
                        {"AFTER", "50"},
                        {"2", ""},
                        {"*", ""}});
    ASSERT_TRUE(info.add("NUM_PLAYERS", "4"));
    expectValues(info, {{"GRID_WIDTH", "64"}, {"NESTED", ""}});
    ASSERT_TRUE(info.add("GRID_WIDTH", "plain"));
    EXPECT_EQ(info.get("GRID_WIDTH"), "plain") << "a plain entry replaces the selection";
}

TEST(Reader, UnterminatedSelectionBlockEndsWithTheFile)
{
    TempDir dir;
    Info info(nullptr);
    ASSERT_TRUE(info.addConfig(dir.write("u.cfg", "S == a\nK ?? S\na == 1\nLATER == 2\n")));
    EXPECT_EQ(info.get("K"), "1");
    EXPECT_EQ(info.get("LATER"), "") << "read into the block, not the top level";
    EXPECT_EQ(keysOf(info), (std::vector<std::string>{"K", "S"}));
}

TEST(Reader, EndMarkerStopsTheFileButNotItsOverrideFile)
{
    TempDir dir;
    Info info(nullptr);
    dir.write("m.cfg.MOD", "B == mod\n");
    ASSERT_TRUE(info.addConfig(dir.write("m.cfg", "A == 1\n END_OF_CFG_RESOURCES \nC == 3\n")));
    expectValues(info, {{"A", "1"}, {"B", "mod"}, {"C", ""}});
}

TEST(Reader, OverrideFilesAndIncludesWinInReadingOrder)
{
    TempDir dir;
    dir.write("main.cfg.MOD", "K == mod\nM == mod\n<INCLUDE_B == " + dir.path("b.cfg") + "\n");
    dir.write("main.cfg.MOD.MOD", "M == modmod\n");
    dir.write("a.cfg", "K == a\nA_ONLY == yes\n");
    dir.write("b.cfg", "K == b\n");
    dir.write("other.cfg", "OTHER == yes\n");
    Info info(nullptr);
    ASSERT_TRUE(info.addConfig(dir.write("main.cfg", "<INCLUDE_A == " + dir.path("a.cfg") + "\n" +
                                                         "K == main\nM == main\n")));
    // Includes are read after the override files, in the order their keys were read.
    expectValues(info, {{"K", "b"}, {"M", "modmod"}, {"A_ONLY", "yes"}});

    // The override file can redirect an include: its value is looked up after it is read.
    TempDir second;
    second.write("x.cfg.MOD", "<INCLUDE == " + dir.path("other.cfg") + "\n");
    Info redirected(nullptr);
    ASSERT_TRUE(redirected.addConfig(
        second.write("x.cfg", "<INCLUDE ?? PICK\n* == " + dir.path("a.cfg") + "\nPICK\n")));
    expectValues(redirected, {{"OTHER", "yes"}, {"A_ONLY", ""}});
}

TEST(Reader, IncludeByAddIsReadAtTheNextFileRead)
{
    TempDir dir;
    dir.write("inc.cfg", "FROM_INCLUDE == 1\n");
    Info info(nullptr);
    ASSERT_TRUE(info.add("<INCLUDE_X", dir.path("inc.cfg")));
    EXPECT_EQ(info.get("FROM_INCLUDE"), "");
    ASSERT_TRUE(info.addConfig(dir.write("any.cfg", "A == 1\n")));
    EXPECT_EQ(info.get("FROM_INCLUDE"), "1");
}

TEST(Reader, MissingFilesAndIncludesAreNoError)
{
    TempDir dir;
    Info info(nullptr);
    EXPECT_FALSE(info.addConfig(dir.path("missing.cfg")));
    EXPECT_FALSE(info.addConfig(dir.write("empty.cfg", "")));
    ASSERT_TRUE(info.addConfig(dir.write("i.cfg", "<INCLUDE == nowhere.cfg\nA == 1\n")));
    EXPECT_EQ(info.get("A"), "1");
}

TEST(Reader, ValueExpansion)
{
    Info info(nullptr);
    const char* lines[][2] = {
        {"SCREEN_WIDTH", "800"},
        {"NAME", "SCREEN_WIDTH"},
        {"GRID_WIDTH", "64"},
        {"GRID_HEIGHT", "EVAL:(::GRID_WIDTH:: * 3 / 4)"},
        {"CM", "EVAL:(1+2)cm"},
        {"NESTED", "EVAL:((1+2)*(3+4)) rest)"},
        {"OPEN", "EVAL:(2*(3"},
        {"THIRD", "EVAL:(800/3)"},
        {"MILLION", "EVAL:(1000*1000)"},
        {"LATE", "x EVAL:(1+2)"},
        {"REF", ">>SCREEN_WIDTH"},
        {"REF_BLANK", ">> SCREEN_WIDTH"},
        {"REF_REF", ">>::NAME::"},
        {"REF_EVAL", ">>CM"},
        {"TEXT", "a::SCREEN_WIDTH::b::"},
        {"LONE", "a :: b"},
        {"DOUBLE", "a::::b"},
        {"UNCLOSED", "a::b"},
        {"BLANK_NAME", "::SCREEN WIDTH::"},
        {"UNKNOWN", "[::NOPE::]"},
    };
    for (auto& line : lines) {
        ASSERT_TRUE(info.add(line[0], line[1]));
    }
    expectValues(info, {{"GRID_HEIGHT", "48"},
                        {"CM", "3cm"},
                        {"NESTED", "21 rest)"},
                        {"OPEN", "6"},
                        {"THIRD", "266.667"},
                        {"MILLION", "1e+06"},
                        {"LATE", "x EVAL:(1+2)"},
                        {"REF", "800"},
                        {"REF_BLANK", ""},
                        {"REF_REF", "800"},
                        {"REF_EVAL", "3cm"},
                        {"TEXT", "a800b::"},
                        {"LONE", "a :: b"},
                        {"DOUBLE", "a::::b"},
                        {"UNCLOSED", "a::b"},
                        {"BLANK_NAME", "::SCREEN WIDTH::"},
                        {"UNKNOWN", "[]"}});
    EXPECT_EQ(info.replaceKeys("::GRID_HEIGHT:: and ::REF::"), "48 and 800");
    EXPECT_EQ(info.replaceKeys("EVAL:(1+1)"), "EVAL:(1+1)");
}

TEST(Reader, IniFilesAreConvertedWhateverTheCaseOfTheirExtension)
{
    TempDir dir;
    for (const char* name : {"v.ini", "v.INI", "v.Ini"}) {
        SCOPED_TRACE(name);
        Info info(nullptr);
        ASSERT_TRUE(info.addConfig(dir.write(name, "; display\n"
                                                   "top = 1\n"
                                                   "[Video]\n"
                                                   "width = 800\n"
                                                   "depth=\n"
                                                   "title = \"Grid\"\n"
                                                   "PLAIN == also a settings line\n")));
        expectValues(info, {{"::top:NUM", "1"},
                            {"Video::width:NUM", "800"},
                            {"Video::depth:NUM", ""},
                            {"Video::title:STR", "Grid"},
                            {"Video::PLAIN:NUM", "= also a settings line"},
                            {"PLAIN", "also a settings line"}});
    }
    Info other(nullptr);
    ASSERT_TRUE(other.addConfig(dir.write("v.cfg", "[Video]\nwidth = 800\n")));
    EXPECT_EQ(keysOf(other), std::vector<std::string>{}) << "not an INI name: read as settings";

    Info open(nullptr);
    EXPECT_FALSE(open.addConfig(dir.write("o.ini", "a = 1\nb = \"open\n")));
    EXPECT_EQ(keysOf(open), std::vector<std::string>{});
}
