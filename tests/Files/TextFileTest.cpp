#include <gtest/gtest.h>

#include "CFG/Info.h"
#include "Files/TextFile.h"
#include "Support/TempDir.h"

using TestSupport::TempDir;
using Files::TextFile;

TEST(TextFile, LoadAppendsEachLineOnceWithTheLineEnd)
{
    struct Case {
        std::string content;
        const char* lineEnd;
        std::string expected;
    };
    const Case cases[] = {
        {"a\nb", "\n", "a\nb\n"},
        {"a\nb\n", "\n", "a\nb\n"},
        {"a\n\nb", " ", "a \nb "},
        {"a\r\nb\r\n", "\n", "a\nb\n"},
        {"\r\n", "\n", "\n"},
        {"a\rb\n", "\n", "a\rb\n"},
        {std::string("k\0v", 3), "\n", std::string("k\0v\n", 4)},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        std::string text = "old:";
        ASSERT_TRUE(TextFile::load(dir.write("f.txt", c.content), text, c.lineEnd));
        EXPECT_EQ(text, "old:" + c.expected);
    }
}

TEST(TextFile, MissingEmptyOrNonRegularFilesAreNotLoaded)
{
    TempDir dir;
    for (const std::string& path :
         {dir.write("empty", ""), dir.path("missing"), dir.dir(), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        std::string text = "kept";
        EXPECT_FALSE(TextFile::load(path, text, "\n"));
        EXPECT_FALSE(TextFile::loadAndReplaceCfg(nullptr, path, text, "\n"));
        EXPECT_EQ(text, "kept");
        EXPECT_EQ(TextFile::size(path), 0);
    }
    EXPECT_EQ(TextFile::size(dir.write("five", "12345")), 5);
}

TEST(TextFile, SaveWritesLinesAndReportsFailure)
{
    TempDir dir;
    std::string path = dir.path("out.txt");
    ASSERT_TRUE(TextFile::save(path, std::vector<std::string>{"a", "", "b"}));
    std::string text;
    ASSERT_TRUE(TextFile::load(path, text, "|"));
    EXPECT_EQ(text, "a|\nb|");
    ASSERT_TRUE(TextFile::save(path, std::string("one")));
    EXPECT_EQ(TextFile::size(path), 4);

    std::string nowhere = dir.path("no/such/dir/file");
    EXPECT_FALSE(TextFile::save(nowhere, std::vector<std::string>{"x"}));
    EXPECT_FALSE(TextFile::save(nowhere, std::vector<std::string>{}));
}

TEST(TextFile, LoadAndReplaceCfgExpandsReferencesOfTheStore)
{
    TempDir dir;
    CFG::Info info(nullptr);
    ASSERT_TRUE(info.add("NAME", "Vektra"));
    ASSERT_TRUE(info.add("W", "EVAL:(1+1)"));
    std::string path = dir.write("t.txt", "Hello ::NAME::\n::W:: ::missing:: ::a b:: EVAL:(1)\n");
    std::string text = "replaced";
    ASSERT_TRUE(TextFile::loadAndReplaceCfg(&info, path, text, "\n"));
    // Each reference reads as a full lookup would; the text itself is not evaluated.
    EXPECT_EQ(text, "Hello Vektra\n2  ::a b:: EVAL:(1)\n");
}
