#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Files/UserPath.h"

using Files::UserPath;

namespace {

// Restores an environment variable when the test is done.
class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name(name)
    {
        const char* value = std::getenv(name);
        saved = value != nullptr;
        if (saved) {
            old = value;
        }
    }
    ~SavedVariable()
    {
        if (saved) {
            setenv(name, old.c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

private:
    const char* name;
    bool saved;
    std::string old;
};

} // namespace

TEST(UserPath, WherePathsPoint)
{
    SavedVariable home("HOME");
    setenv("HOME", "/home/ada", 1);
    const char* const rows[][3] = {
        {"replays", "/start", "/start/replays"},
        {"a/b.vkr", "/start/", "/start/a/b.vkr"},
        {"/var/replays", "/start", "/var/replays"},
        {"~/replays", "/start", "/home/ada/replays"},
        {"~replays", "/start", "/start/~replays"},
        {"", "/start", ""},
        {"replays", "", "replays"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(row[2], UserPath::resolve(row[0], row[1]));
    }
    unsetenv("HOME");
    EXPECT_EQ("~/replays", UserPath::resolve("~/replays", "/start"));
}

TEST(UserPath, TheStartFolderIsTheLaunchersOrTheWorkingOne)
{
    SavedVariable started(UserPath::START_FOLDER_VARIABLE);
    setenv(UserPath::START_FOLDER_VARIABLE, "/where/it/began", 1);
    EXPECT_EQ("/where/it/began", UserPath::startFolder());
    setenv(UserPath::START_FOLDER_VARIABLE, "relative", 1);
    char here[4096];
    ASSERT_NE(nullptr, getcwd(here, sizeof here));
    EXPECT_EQ(here, UserPath::startFolder());
}
