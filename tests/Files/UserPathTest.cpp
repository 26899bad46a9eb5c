#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Files/UserPath.h"

using Files::UserPath;

TEST(UserPath, WherePathsPoint)
{
    const char* home = std::getenv("HOME");
    const std::string savedHome = home != nullptr ? home : "";
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
    EXPECT_EQ("~/replays", UserPath::resolve("~/replays", "/start")) << "no home to go to";
    setenv("HOME", savedHome.c_str(), 1);
}
