#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "Support/ProgramRun.h"
#include "Support/TempDir.h"

using TestSupport::Outcome;
using TestSupport::ProgramRun;
using TestSupport::TempDir;

// Hostile and broken settings files and command lines given to the real
// vektra-config program. Each row says how the run must end: its exit code,
// its exact output, and its error text as a regular expression (empty: no
// error text at all). No row may end in a signal, a time-out or a core file.

namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

struct Row {
    const char* name;
    Files files;
    std::vector<std::string> args;
    int code;
    std::string out;
    std::string err = "";
    std::vector<std::string> directories = {};
};

const std::string ABORT_PREFIX =
    "ABORT: Func:static float CFG::Calculator::doCalculation\\(float, const std::string&, float\\) "
    "File:lib/CFG/Calculator Line: [0-9]+\n";

std::string nulText(const char* bytes, std::size_t size)
{
    return std::string(bytes, size);
}

std::vector<Row> settingsRows()
{
    const std::string bigValue(10u << 20, 'x');
    return {
        {"nul bytes in keys and values",
         {{"vektra.cfg", nulText("K == 1\nN\0UL == 2\nV == a\0b\n", 26)}},
         {},
         0,
         nulText("K == 1\nN\0UL == 2\nV == a\0b\n", 26)},
        {"a 10 MB line",
         {{"vektra.cfg", "BIG == " + bigValue + "\nK == 1\n"}},
         {"--get", "K", "--get", "BIG"},
         0,
         "1\n" + bigValue + "\n"},
        {"a file of only quotes",
         {{"vektra.cfg", std::string(5000, '"') + "\n\"\n\"\"\n"}},
         {},
         0,
         ""},
        {"a quoted value never closed keeps what came before",
         {{"vektra.cfg", "A == 1\nB == \"open\nC == 3\n"}},
         {},
         0,
         "A == 1\n"},
        {"a file that includes itself",
         {{"vektra.cfg", "<INCLUDE == vektra.cfg\nCOUNT == ::COUNT::I\n"}},
         {"--get", "COUNT"},
         0,
         "I\n"},
        {"an include cycle over three files and the override file",
         {{"vektra.cfg", "<INCLUDE_A == a.cfg\nMAIN == 1\n"},
          {"vektra.cfg.MOD", "<INCLUDE_BACK == vektra.cfg\nMOD == 2\n"},
          {"a.cfg", "<INCLUDE_B == b.cfg\nA == 3\n"},
          {"b.cfg", "<INCLUDE_A == a.cfg\n<INCLUDE_MAIN == vektra.cfg\nB == 4\n"}},
         {"--get", "MAIN", "--get", "MOD", "--get", "A", "--get", "B"},
         0,
         "1\n2\n3\n4\n"},
        {"an include that names a directory",
         {{"vektra.cfg", "<INCLUDE == sub\nK == 1\n"}},
         {"--get", "K"},
         0,
         "1\n",
         "Warning: settings file sub exists but cannot be read; it is skipped\n",
         {"sub"}},
        {"an overrides file over the size limit",
         {{"vektra.cfg", "K == 1\n"}, {"SETTINGS_vektra.cfg", std::string((16 << 20) + 1, '#')}},
         {"--get", "K"},
         2,
         "",
         "Settings file \\./SETTINGS_vektra\\.cfg is larger than the limit of 16 MiB per file\n"},
        {"an empty INFO_ key is marked as the game's",
         {{"vektra.cfg", "INFO_HAVE_VBOS ==\nK == 1\n"}},
         {},
         0,
         "# INFO_HAVE_VBOS == (published by the game at start-up)\nK == 1\n"},
        {"reference cycles read empty where they close",
         {{"vektra.cfg", "R1 == ::R2::\nR2 == ::R1::x\nSELF == >>SELF\nPAIR == >>PAIR2\n"
                         "PAIR2 == >>PAIR\n"}},
         {},
         0,
         "PAIR == \nPAIR2 == \nR1 == x\nR2 == x\nSELF == \n"},
        {"a selection whose selector is itself reads its default",
         {{"vektra.cfg", "S ?? S\n1 == one\n* == def\nS\n"}},
         {"--get", "S"},
         0,
         "def\n"},
        {"a references doubling forty times stays bounded",
         {{"vektra.cfg",
           [] {
               std::string text = "X0 == ab\n";
               for (int i = 1; i < 40; ++i) {
                   text += "X" + std::to_string(i) + " == ::X" + std::to_string(i - 1) + "::::X" +
                           std::to_string(i - 1) + "::\n";
               }
               return text;
           }()}},
         {"--get", "X3"},
         0,
         "abababababababab\n"},
        {"a refused operator",
         {{"vektra.cfg", "A == 1\nK == EVAL:(2(3))\n"}},
         {},
         2,
         "",
         ABORT_PREFIX + "ABORT: Unknown operator: \\(\n"},
        {"divisions by zero",
         {{"vektra.cfg", "A == EVAL:(1/0)\nB == EVAL:(-1/0)\nC == EVAL:(0/0 > 1)\n"}},
         {},
         0,
         "A == inf\nB == -inf\nC == 0\n"},
        {"shifts by huge counts",
         {{"vektra.cfg", "A == EVAL:(1<<4294967296)\nB == EVAL:(1<<-1)\nC == EVAL:(-1>>-1)\n"
                         "D == EVAL:((1/0)<<3)\n"}},
         {},
         0,
         "A == 1\nB == 2.14748e+09\nC == 1\nD == 0\n"},
        {"an operand 0x reads as 0 and ends the expression",
         {{"vektra.cfg", "K == EVAL:(0x+1)\n"}},
         {},
         0,
         "K == 0\n"},
        {"an operand -",
         {{"vektra.cfg", "K == EVAL:(-)\n"}},
         {},
         2,
         "",
         "Cant convert String to Num:-\n"},
        {"an operand 1e999",
         {{"vektra.cfg", "K == EVAL:(1e999)\n"}},
         {},
         2,
         "",
         "Cant convert String to Num:1e999\n"},
        {"an operand nan",
         {{"vektra.cfg", "K == EVAL:(nan)\n"}},
         {},
         2,
         "",
         "Cant convert String to Num:nan\n"},
        {"an operand that is a word",
         {{"vektra.cfg", "K == EVAL:(3*abc)\n"}},
         {"--get", "K"},
         2,
         "",
         "Cant convert String to Num:abc\n"},
        {"numbers are only text until read as numbers",
         {{"vektra.cfg", "A == 0x\nB == -\nC == 1e999\nD == nan\n"}},
         {},
         0,
         "A == 0x\nB == -\nC == 1e999\nD == nan\n"},
    };
}

std::vector<Row> fileAndArgumentRows()
{
    return {
        {"no vektra.cfg", {}, {}, 0, ""},
        {"an empty vektra.cfg", {{"vektra.cfg", ""}}, {}, 0, ""},
        {"vektra.cfg is a directory",
         {},
         {"--get", "SETTINGS_FILE"},
         0,
         "./SETTINGS_vektra.cfg\n",
         "Warning: settings file vektra.cfg exists but cannot be read; it is skipped\n",
         {"vektra.cfg"}},
        {"a missing overrides file named",
         {{"vektra.cfg", "K == 1\n"}},
         {"--get", "K", "SETTINGS_missing.cfg"},
         0,
         "1\n"},
        {"a missing extra settings file", {{"vektra.cfg", "K == 1\n"}}, {"missing.cfg"}, 1, ""},
        {"an empty extra settings file",
         {{"vektra.cfg", "K == 1\n"}, {"empty.cfg", ""}},
         {"empty.cfg"},
         1,
         ""},
        {"an extra settings file that is a directory",
         {{"vektra.cfg", "K == 1\n"}},
         {"dir.cfg"},
         1,
         "",
         "",
         {"dir.cfg"}},
        {"malformed overrides are ignored",
         {{"vektra.cfg", "K == 1\n"}},
         {"--get", "K", "K==V==W", "-K==2", "==", "K", "=="},
         0,
         "1\n"},
        {"an empty key and an empty value",
         {{"vektra.cfg", "K == 1\n"}},
         {"--get", "", "--get", "K", "==x", "K=="},
         0,
         "x\n1\n"},
        {"a 100 kB override",
         {{"vektra.cfg", "K == 1\n"}},
         {"--get", "K", "K==" + std::string(100000, 'v')},
         0,
         std::string(100000, 'v') + "\n"},
        {"--get without a key", {{"vektra.cfg", "K == 1\n"}}, {"--get"}, 2, "", "usage: .*\n"},
        {"--get after the game's arguments",
         {{"vektra.cfg", "K == 1\n"}},
         {"K==2", "--get", "K"},
         2,
         "",
         "vektra-config: --get must come before the game's arguments\nusage: .*\n"},
        {"--help",
         {},
         {"--help"},
         0,
         "usage: vektra-config [--get KEY]... [SETTINGS_file] [extra.cfg] [KEY==VALUE]...\n"
         "Loads the settings as the game does (SETTINGS_vektra.cfg, then vektra.cfg, from the\n"
         "working directory; then the arguments) and prints every key as KEY == VALUE, sorted,\n"
         "or, with --get, each KEY's value on a line of its own. --get comes first.\n"
         "Exit codes: 0; 1 for a missing or empty extra.cfg; 2 for an unusable setting, a\n"
         "settings file over the size limit, or a bad option.\n"},
    };
}

void checkRow(const Row& row)
{
    SCOPED_TRACE(row.name);
    TempDir dir;
    for (const auto& file : row.files) {
        dir.write(file.first, file.second);
    }
    for (const std::string& name : row.directories) {
        ASSERT_EQ(::mkdir(dir.path(name).c_str(), 0700), 0);
    }
    ProgramRun inspector(VEKTRA_CONFIG, dir.dir());
    Outcome run = inspector.timeLimit(60).run(row.args);
    ASSERT_FALSE(run.timedOut);
    ASSERT_EQ(run.signal, 0) << run.describe() << "\n" << run.err;
    EXPECT_EQ(run.exitCode, row.code) << run.err;
    EXPECT_TRUE(run.out == row.out)
        << "output of " << run.out.size() << " bytes: " << run.out.substr(0, 200);
    EXPECT_TRUE(std::regex_match(run.err, std::regex(row.err))) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("core")));
}

} // namespace

TEST(InspectorBadInput, BrokenAndHostileSettingsFiles)
{
    for (const Row& row : settingsRows()) {
        checkRow(row);
    }
}

TEST(InspectorBadInput, MissingFilesAndBadArguments)
{
    for (const Row& row : fileAndArgumentRows()) {
        checkRow(row);
    }
}
