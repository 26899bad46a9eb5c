#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

#include "CFG/Info.h"
#include "Support/TempDir.h"

using TestSupport::TempDir;
using CFG::Info;

// Settings files are user input: loops between files or keys and hostile
// bytes must end in a defined result, never in endless recursion or a crash.

TEST(Robustness, IncludeLoopsReadEachFileOnce)
{
    TempDir dir;
    std::string a = dir.path("a.cfg");
    std::string b = dir.path("b.cfg");
    dir.write("a.cfg", "<INCLUDE_SELF == " + a + "\n<INCLUDE_B == " + b + "\nCOUNT == a\n");
    dir.write("b.cfg", "<INCLUDE_A == " + a + "\nCOUNT == ::COUNT::b\n");
    dir.write("a.cfg.MOD", "<INCLUDE_BACK == " + a + "\nMOD == 3\n");
    Info info(nullptr);
    ASSERT_TRUE(info.addConfig(a));
    EXPECT_EQ(info.get("MOD"), "3");
    EXPECT_EQ(info.get("COUNT"), "b") << "b read once, after a";
    EXPECT_TRUE(info.addConfig(b)) << "once a read is over, the file may be read again";

    std::string linked = dir.write("loop.cfg", "K == 1\n");
    ASSERT_EQ(::symlink(linked.c_str(), (linked + ".MOD").c_str()), 0);
    EXPECT_TRUE(info.addConfig(linked));
}

TEST(Robustness, LongIncludeChainsAreCutOff)
{
    TempDir dir;
    for (int i = 0; i < 200; ++i) {
        std::string next = dir.path("f" + std::to_string(i + 1) + ".cfg");
        dir.write("f" + std::to_string(i) + ".cfg",
                  "<INCLUDE == " + next + "\nK" + std::to_string(i) + " == x\n");
    }
    Info info(nullptr);
    EXPECT_TRUE(info.addConfig(dir.path("f0.cfg")));
    EXPECT_EQ(info.get("K40"), "x");
    EXPECT_EQ(info.get("K150"), "") << "files nest at most 64 deep";
}

TEST(Robustness, CyclicLookupsReadEmpty)
{
    TempDir dir;
    Info info(nullptr);
    ASSERT_TRUE(info.addConfig(dir.write("c.cfg", "SELF == ::SELF::\nTEXT == x::TEXT::y\n"
                                                  "PING == ::PONG::\nPONG == p::PING::\n"
                                                  "JUMP == >>JUMP\nHOP == >>::HOP::\n"
                                                  "CALC == EVAL:(1 + ::CALC::)\n"
                                                  "S ?? S\n* == ::S::d\nS\n"
                                                  "T ?? U\n* == t\nU\nU == ::T::\n")));
    const std::pair<const char*, const char*> cases[] = {
        {"SELF", ""}, {"TEXT", "xy"}, {"PING", "p"}, {"PONG", "p"}, {"JUMP", ""},
        {"HOP", ""},  {"CALC", "1"},  {"S", "d"},    {"T", "t"},    {"U", "t"},
    };
    for (const auto& [key, value] : cases) {
        SCOPED_TRACE(key);
        EXPECT_EQ(info.get(key), value);
    }
}

TEST(Robustness, LongChainsAndExplodingExpansionsAreBounded)
{
    Info info(nullptr);
    const int chain = 5000;
    for (int i = 0; i < chain; ++i) {
        ASSERT_TRUE(info.add("C" + std::to_string(i), ">>C" + std::to_string(i + 1)));
    }
    ASSERT_TRUE(info.add("C" + std::to_string(chain), "end"));
    EXPECT_EQ(info.get("C" + std::to_string(chain - 10)), "end");
    EXPECT_EQ(info.get("C0"), "") << "deeper than 64 lookups";

    // Every level doubles the work: without a budget this would not end.
    for (int i = 0; i < 60; ++i) {
        std::string next = "::X" + std::to_string(i + 1) + "::";
        ASSERT_TRUE(info.add("X" + std::to_string(i), next + next));
    }
    ASSERT_TRUE(info.add("X60", "a"));
    std::string value = info.get("X0");
    EXPECT_LT(value.size(), 100000u);
    EXPECT_EQ(info.get("X55"), std::string(32, 'a'));
}

TEST(Robustness, OneBudgetCoversTheOverrideLayerToo)
{
    // In the override layer every X spends the whole budget on a doubling
    // chain that ends in nothing, so every answer there is empty and the
    // store goes on with its own doubling chain of X. Each of its lookups
    // asks the layer first: with a budget per store that is 10,000 times
    // 10,000 lookups, minutes of work.
    Info overrides(nullptr);
    Info info(&overrides);
    for (int i = 0; i < 60; ++i) {
        std::string y = "::Y" + std::to_string(i + 1) + "::";
        std::string x = "::X" + std::to_string(i + 1) + "::";
        ASSERT_TRUE(overrides.add("Y" + std::to_string(i), y + y));
        ASSERT_TRUE(overrides.add("X" + std::to_string(i), "::Y0::"));
        ASSERT_TRUE(info.add("X" + std::to_string(i), x + x));
    }
    ASSERT_TRUE(info.add("X60", "a"));
    ASSERT_TRUE(info.add("PLAIN", "kept"));

    auto start = std::chrono::steady_clock::now();
    std::string value = info.get("X0");
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 10.0);
    EXPECT_LT(value.size(), 100000u);
    // The budget is renewed for the next outer lookup.
    EXPECT_EQ(info.get("PLAIN"), "kept");
}

TEST(Robustness, HostileBytesAreReadSafely)
{
    TempDir dir;
    const std::string nul("\0", 1);
    struct Case {
        std::string text;
        bool result;
        const char* key;
        std::string value;
    };
    const Case cases[] = {
        {"K == a\r\nL == b\r\n", true, "L", "b"},
        {"\xEF\xBB\xBFK == 1\n", true, "K", "1"},
        {"K == a\rL == b\r", true, "L", "b"},
        {"K == a\rL == b\n", true, "K", "a\rL == b"},
        {"\"\n\"\"\n\"\"\"\nQ == \"\"\"\n", true, "Q", ""},
        {"S ?? X\nS ?? X\n", true, "S", ""},
        {std::string(1 << 20, 'k') + " == " + std::string(1 << 20, 'v') + "\n", true, "", ""},
        {"V == " + std::string(100001, '"') + "\n", true, "V", ""},
        {"V == \"" + std::string(100000, '\\') + "\n", false, "V", ""},
        {"==\n??\n== \"\n", false, "", ""},
        {std::string(300000, ':') + "\n", true, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        Info info(nullptr);
        EXPECT_EQ(info.addConfig(dir.write("h.cfg", c.text)), c.result);
        EXPECT_EQ(info.get(c.key), c.value);
    }
    Info info(nullptr);
    ASSERT_TRUE(
        info.addConfig(dir.write("n.cfg", "K" + nul + "EY == v" + nul + "w::" + nul + "::\n")));
    EXPECT_EQ(info.get("K" + nul + "EY"), "v" + nul + "w");
}

TEST(Robustness, DeeplyNestedSelectionBlocksAreRefused)
{
    TempDir dir;
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "K ?? S\n";
    }
    Info info(nullptr);
    EXPECT_FALSE(info.addConfig(dir.write("deep.cfg", "BEFORE == 1\n" + deep)));
    EXPECT_EQ(info.get("BEFORE"), "1");

    std::string shallow = "S == a\n";
    for (int i = 0; i < 60; ++i) {
        shallow += "K ?? S\n";
    }
    shallow += "a == found\n";
    Info ok(nullptr);
    EXPECT_TRUE(ok.addConfig(dir.write("shallow.cfg", shallow)));
}

TEST(Robustness, FilesOverTheSizeLimitsAreRefusedUnread)
{
    TempDir dir;
    const off_t mebibyte = 1 << 20;
    std::string big = dir.write("big.cfg", "");
    ASSERT_EQ(::truncate(big.c_str(), 16 * mebibyte + 1), 0);
    ASSERT_EQ(::mkdir(dir.path("folder.cfg").c_str(), 0700), 0);
    std::string text = "<INCLUDE_0 == " + dir.path("folder.cfg") + "\n";
    for (int i = 1; i <= 5; ++i) {
        std::string part = dir.write("part" + std::to_string(i) + ".cfg", "");
        ASSERT_EQ(::truncate(part.c_str(), 15 * mebibyte), 0);
        text += "<INCLUDE_" + std::to_string(i) + " == " + part + "\n";
    }
    std::string main = dir.write("main.cfg", text + "K == 1\n");

    Info info(nullptr);
    EXPECT_FALSE(info.addConfig(big));
    EXPECT_TRUE(info.addConfig(main));
    EXPECT_EQ(info.get("K"), "1");
    using Problem = Info::FileProblem;
    const std::vector<Problem>& problems = info.fileProblems();
    ASSERT_EQ(problems.size(), 3u);
    const std::uintmax_t mib = 1 << 20;
    EXPECT_EQ(problems[0].path, big);
    EXPECT_EQ(problems[0].kind, Problem::FILE_TOO_LARGE);
    EXPECT_EQ(problems[0].limit, 16 * mib);
    EXPECT_EQ(problems[1].path, dir.path("folder.cfg"));
    EXPECT_EQ(problems[1].kind, Problem::UNREADABLE);
    EXPECT_EQ(problems[2].path, dir.path("part5.cfg")) << "four parts fit in 64 MiB";
    EXPECT_EQ(problems[2].kind, Problem::TOTAL_TOO_LARGE);
    EXPECT_EQ(problems[2].limit, 64 * mib);
    info.reset();
    EXPECT_TRUE(info.fileProblems().empty());
}

TEST(Robustness, OneGetIsBoundedWhateverTheStoreHolds)
{
    auto repeat = [](const std::string& piece, int times) {
        std::string text;
        for (int i = 0; i < times; ++i) {
            text += piece;
        }
        return text;
    };
    const std::string big(10 << 20, 'x');
    Info info(nullptr);
    ASSERT_TRUE(info.add("BIG", big));
    ASSERT_TRUE(info.add("SLOW", repeat("::BIG::", 64)));
    ASSERT_TRUE(info.add("MOVE_TIME", "60::SLOW::"));
    ASSERT_TRUE(info.add("SUM", "EVAL:(" + repeat("1+", 7 << 20) + "1)"));
    ASSERT_TRUE(info.add("MANY", repeat("::a::", 3 << 20)));
    ASSERT_TRUE(info.add("SMALL", "EVAL:(" + repeat("1+", 7000) + "1)"));
    ASSERT_TRUE(info.add("SUMS", repeat("::SMALL::", 30)));
    const std::pair<const char*, std::string> cases[] = {
        {"MOVE_TIME", "60"}, {"SLOW", ""},     {"SUM", ""},  {"MANY", ""},
        {"SMALL", "7001"},   {"SUMS", "7001"}, {"BIG", big},
    };
    // 50 ms of processor time in an optimised build; sanitizers and
    // unoptimised code are many times slower.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
    const double limit = 0.05;
#else
    const double limit = 1.0;
#endif
    for (const auto& [key, value] : cases) {
        SCOPED_TRACE(key);
        std::clock_t start = std::clock();
        std::string got = info.get(key);
        double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
        EXPECT_LT(seconds, limit);
        EXPECT_TRUE(got == value) << got.size() << " bytes: " << got.substr(0, 40);
    }
}
