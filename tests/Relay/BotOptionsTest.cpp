// vektra-bot's arguments: what each reads as, and the refusals.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/bots/BotOptions.h"

namespace {

TEST(BotOptions, ReadsItsSettingsAndRefusesWhatItCannotUse)
{
    const Online::BotOptions options = Online::BotOptions::parse(
        {"CONNECT==127.0.0.1:4100", "BOTS==4", "AI_LEVEL==0", "MATCHES==500", "NAME==fill"});
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(options.host, "127.0.0.1");
    EXPECT_EQ(options.port, 4100);
    EXPECT_EQ(options.seats, 4);
    EXPECT_EQ(options.level, 0);
    EXPECT_EQ(options.matches, 500u);
    EXPECT_EQ(options.name, "fill");

    const Online::BotOptions defaults = Online::BotOptions::parse({"CONNECT==localhost"});
    EXPECT_EQ(defaults.error, "");
    EXPECT_EQ(defaults.port, 4040);
    EXPECT_EQ(defaults.seats, 1);
    EXPECT_EQ(defaults.level, 2);
    EXPECT_EQ(defaults.matches, 1u);

    const struct {
        std::vector<std::string> args;
        const char* says;
    } refused[] = {
        {{}, "CONNECT==host[:port] is required"},
        {{"CONNECT==127.0.0.1:0"}, "CONNECT wants"},
        {{"CONNECT==127.0.0.1:65536"}, "CONNECT wants"},
        {{"CONNECT==:4040"}, "CONNECT wants"},
        {{"CONNECT==h", "BOTS==0"}, "BOTS wants 1 to 4"},
        {{"CONNECT==h", "BOTS==5"}, "BOTS wants 1 to 4"},
        {{"CONNECT==h", "AI_LEVEL==5"}, "AI_LEVEL wants 0 to 4"},
        {{"CONNECT==h", "AI_LEVEL==-1"}, "AI_LEVEL wants 0 to 4"},
        {{"CONNECT==h", "MATCHES==0"}, "MATCHES wants 1 or more"},
        {{"CONNECT==h", "MATCHES==99999999999"}, "MATCHES wants 1 or more"},
        {{"CONNECT==h", "NAME=="}, "NAME wants"},
        {{"CONNECT==h", "SPEED==2"}, "unknown setting 'SPEED'"},
        {{"CONNECT==h", "--matches=3"}, "arguments are KEY==VALUE"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.says);
        const std::string error = Online::BotOptions::parse(row.args).error;
        EXPECT_NE(error.find(row.says), std::string::npos) << error;
    }
}

} // namespace
