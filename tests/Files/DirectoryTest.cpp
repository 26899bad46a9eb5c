#include <gtest/gtest.h>

#include <filesystem>

#include "Files/Directory.h"
#include "Support/TempDir.h"

using TestSupport::TempDir;
using Files::Directory;

TEST(Directory, SplitsAtTheLastSlashOnly)
{
    struct Case {
        const char* path;
        const char* dir;
        const char* base;
    };
    const Case cases[] = {
        {"vektra.cfg", "./", "vektra.cfg"},
        {"conf/vektra.cfg", "conf/", "vektra.cfg"},
        {"a/b/c.cfg", "a/b/", "c.cfg"},
        {"/vektra.cfg", "/", "vektra.cfg"},
        {"conf/", "conf/", ""},
        {"", "./", ""},
        {"a\\b.cfg", "./", "a\\b.cfg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Directory::dirname(c.path), c.dir);
        EXPECT_EQ(Directory::basename(c.path), c.base);
    }
}

TEST(Directory, ScanListsMatchingEntriesInByteOrder)
{
    TempDir dir;
    for (const char* name : {"b.cfg", "B.cfg", "a.cfg", "a.ini", "x.cfg.MOD", "cfg"}) {
        dir.write(name, "x");
    }
    std::filesystem::create_directory(dir.path("sub.cfg"));

    std::vector<std::string> names{"kept"};
    Directory::scan(dir.dir(), names, "", ".cfg");
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "B.cfg", "a.cfg", "b.cfg", "sub.cfg"}));

    names.clear();
    Directory::scan(dir.dir(), names, "a", "");
    EXPECT_EQ(names, (std::vector<std::string>{"a.cfg", "a.ini"}));

    names.clear();
    Directory::scan(dir.dir(), names, "", "");
    EXPECT_EQ(names.size(), 7u) << "every entry but . and ..";

    names.assign(1, "kept");
    Directory::scan(dir.path("missing"), names, "", "");
    EXPECT_EQ(names, std::vector<std::string>{"kept"});
}
