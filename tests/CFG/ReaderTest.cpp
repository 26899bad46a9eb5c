#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "CFG/Info.h"
#include "Support/TempDir.h"

using CFG::Info;
using TestSupport::TempDir;

namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

void expectValues(const Info& info, const Values& expected)
{
    for (const auto& [key, value] : expected) {
        SCOPED_TRACE(key);
        EXPECT_EQ(info.get(key), value);
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
    ASSERT_TRUE(info.addConfig(dir.write("f.cfg", "# comment == 1\n \t \n"
                                                  "  SCREEN_WIDTH  ==  800 \r\n"
                                                  "EMPTY ==\nHASH == a#b # c\n"
                                                  "SINGLE = 1\njust text\n== no key\n"
                                                  "TWICE == 1\nTWICE == 2\n"
                                                  " # INDENTED == 1\n")));
    expectValues(info,
                 {{"SCREEN_WIDTH", "800"}, {"HASH", "a#b # c"}, {"", "no key"}, {"TWICE", "2"}});
    EXPECT_EQ(keysOf(info),
              (std::vector<std::string>{"", "EMPTY", "HASH", "SCREEN_WIDTH", "TWICE"}));
}

TEST(Reader, QuotedValues)
{
    const std::pair<const char*, const char*> cases[] = {
        {"V == \"abc\"\n", "abc"},
        {"V == \"\"\"a\"\"\n", "a"},
        {"V == abc\"\n", "abc"},
        {"V == \"one\n\nthree\n   \n  four  \"\n", "one\nthree\n\n  four  "},
        {"V == \"join\\\ned\\n\\\nnext\"\n", "joined\nnext"},
        {"V == \"raw\n# no comment\nK == no entry\"\nAFTER == 1\n",
         "raw\n# no comment\nK == no entry"},
        {"V == \"a\" b\nswallowed\"\n", "a\" b\nswallowed"},
        {"V == \"\nx\"\n", "\nx"},
    };
    TempDir dir;
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        Info info(nullptr);
        ASSERT_TRUE(info.addConfig(dir.write("q.cfg", text)));
        EXPECT_EQ(info.get("V"), value);
    }
}

TEST(Reader, QuotedValueOpenAtTheEndFailsButKeepsWhatCameBefore)
{
    TempDir dir;
    Info info(nullptr);
    dir.write("open.cfg.MOD", "MOD == read\n");
    EXPECT_FALSE(info.addConfig(dir.write("open.cfg", "BEFORE == 1\nV == \"\nnever closed\n")));
    EXPECT_EQ(keysOf(info), (std::vector<std::string>{"BEFORE", "MOD"}));
}

TEST(Reader, SelectionBlocks)
{
    TempDir dir;
    Info info(nullptr);
    ASSERT_TRUE(
        info.addConfig(dir.write("sel.cfg", "NUM_PLAYERS == 3\n"
                                            "GRID_WIDTH ?? NUM_PLAYERS\n# comment\n"
                                            "2 == 40\n3 == 50\n* == 64\nNUM_PLAYERS\n"
                                            "NO_DEFAULT ?? NUM_PLAYERS\n2 == 40\nNUM_PLAYERS\n"
                                            "MODE == hard\nNESTED ?? NUM_PLAYERS\n"
                                            "3 ?? MODE\neasy == slow\nhard == fast\nMODE\n"
                                            "NUM_PLAYERS\nAFTER == ::GRID_WIDTH::\n"
                                            "OPEN ?? MODE\nhard == 1\nLATER == 2\n")));
    expectValues(info, {{"GRID_WIDTH", "50"},
                        {"NO_DEFAULT", ""},
                        {"NESTED", "fast"},
                        {"AFTER", "50"},
                        {"2", ""},
                        {"OPEN", "1"},
                        {"LATER", ""}});
    ASSERT_TRUE(info.add("NUM_PLAYERS", "4"));
    expectValues(info, {{"GRID_WIDTH", "64"}, {"NESTED", ""}});
}

TEST(Reader, FilesAreReadInOrderMarkerOverrideFilesThenIncludes)
{
    TempDir dir;
    dir.write("main.cfg.MOD", "K == mod\nM == mod\n<INCLUDE_B == " + dir.path("b.cfg") + "\n");
    dir.write("main.cfg.MOD.MOD", "M == modmod\n");
    dir.write("a.cfg", "K == a\nA_ONLY == yes\n");
    dir.write("b.cfg", "K == b\n");
    Info info(nullptr);
    ASSERT_TRUE(info.add("<INCLUDE_ADDED", "nowhere.cfg"));
    ASSERT_TRUE(info.addConfig(dir.write("main.cfg", "<INCLUDE_A == " + dir.path("a.cfg") +
                                                         "\nK == main\nM == main\nX == 1\n"
                                                         " END_OF_CFG_RESOURCES \nY == 2\n")));
    expectValues(info, {{"K", "b"}, {"M", "modmod"}, {"A_ONLY", "yes"}, {"X", "1"}, {"Y", ""}});

    // The override file redirects a selected include: it is looked up after that file is read.
    dir.write("x.cfg.MOD", "<INCLUDE == " + dir.path("b.cfg") + "\n");
    Info redirected(nullptr);
    ASSERT_TRUE(redirected.addConfig(
        dir.write("x.cfg", "<INCLUDE ?? PICK\n* == " + dir.path("a.cfg") + "\nPICK\n")));
    expectValues(redirected, {{"K", "b"}, {"A_ONLY", ""}});
    EXPECT_FALSE(redirected.addConfig(dir.path("missing.cfg")));
    EXPECT_FALSE(redirected.addConfig(dir.write("empty.cfg", "")));
}

TEST(Reader, ValueExpansion)
{
    Info info(nullptr);
    const Values stored = {
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
        {"TEXT", "a::SCREEN_WIDTH::b::"},
        {"KEPT", "a :: b a::::b ::SCREEN WIDTH:: a::b"},
        {"UNKNOWN", "[::NOPE::]"},
    };
    for (const auto& [key, value] : stored) {
        ASSERT_TRUE(info.add(key, value));
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
                        {"TEXT", "a800b::"},
                        {"KEPT", "a :: b a::::b ::SCREEN WIDTH:: a::b"},
                        {"UNKNOWN", "[]"}});
    EXPECT_EQ(info.replaceKeys("::GRID_HEIGHT:: EVAL:(1+1)"), "48 EVAL:(1+1)");
}

TEST(Reader, IniFilesAreConvertedWhateverTheCaseOfTheirExtension)
{
    TempDir dir;
    const char* ini = "[Video]\nwidth = 800\ntitle = \"Grid\"\nPLAIN == a settings line\n";
    for (const char* name : {"v.ini", "v.INI", "v.Ini"}) {
        SCOPED_TRACE(name);
        Info info(nullptr);
        ASSERT_TRUE(info.addConfig(dir.write(name, ini)));
        expectValues(info, {{"Video::width:NUM", "800"},
                            {"Video::title:STR", "Grid"},
                            {"Video::PLAIN:NUM", "= a settings line"},
                            {"PLAIN", "a settings line"}});
    }
    Info notIni(nullptr);
    ASSERT_TRUE(notIni.addConfig(dir.write("v.cfg", ini)));
    EXPECT_EQ(keysOf(notIni), std::vector<std::string>{"PLAIN"});
    Info open(nullptr);
    EXPECT_FALSE(open.addConfig(dir.write("o.ini", "a = 1\nPLAIN == 1\nb = \"open\n")));
    EXPECT_EQ(keysOf(open), std::vector<std::string>{});
}

// The values of path keys read from a file point from that file's folder
// (a symbolic link to it followed); everything else stays as written.
TEST(Reader, PathKeysReadFromAFilePointFromItsFolder)
{
    TempDir dir;
    const std::string folder = dir.path("real");
    ASSERT_EQ(0, ::mkdir(folder.c_str(), 0700));
    const std::string file = dir.write("real/paths.cfg", "DIR == replays\n"
                                                         "ABSOLUTE == /var/x\n"
                                                         "TEXT == replays\n"
                                                         "REFERENCE == ::TEXT::\n"
                                                         "PICKED ?? CHOICE\n"
                                                         "* == picked\n"
                                                         "CHOICE\n");
    ASSERT_EQ(0, ::symlink(file.c_str(), dir.path("link.cfg").c_str()));
    Info info(nullptr);
    info.setPathKeys({"DIR", "ABSOLUTE", "REFERENCE", "PICKED", "ADDED"});
    ASSERT_TRUE(info.addConfig(dir.path("link.cfg")));
    ASSERT_TRUE(info.add("ADDED", "as/written"));
    char* real = ::realpath(folder.c_str(), nullptr);
    const std::string realFolder = real;
    std::free(real);
    expectValues(info, {{"DIR", realFolder + "/replays"},
                        {"ABSOLUTE", "/var/x"},
                        {"TEXT", "replays"},
                        {"REFERENCE", "replays"},
                        {"PICKED", realFolder + "/picked"},
                        {"ADDED", "as/written"}});
}
