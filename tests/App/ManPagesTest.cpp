// Each program's man page lists, in its SETTINGS section, every setting the
// program reads: the same keys as the table the settings check walks.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "Util/StringHelpers.h"
#include "app/settings/SettingRules.h"

namespace {

using Tool::SettingRule;

// The words of a troff line after its macro, quotes dropped, font changes
// and escapes removed, joined as the alternating-font macros join them.
std::string troffText(const std::string& line)
{
    std::string text;
    bool quoted = false;
    for (std::size_t at = line.find(' '); at != std::string::npos && at < line.size(); ++at) {
        const char c = line[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (c != ' ' || quoted) {
            text += c;
        }
    }
    return std::regex_replace(std::regex_replace(text, std::regex(R"(\\f[BIRP])"), ""),
                              std::regex(R"(\\-)"), "-");
}

// The keys of every entry (the line after each ".TP") of the SETTINGS
// section; "KEY==value" counts as KEY.
std::set<std::string> listedKeys(const std::string& page)
{
    std::ifstream file(std::string(VEKTRA_SOURCE_DIR) + "/packaging/" + page);
    std::set<std::string> keys;
    std::string line;
    bool inSettings = false;
    bool entry = false;
    while (std::getline(file, line)) {
        if (line.rfind(".SH", 0) == 0) {
            inSettings = line == ".SH SETTINGS";
        } else if (inSettings && entry) {
            std::vector<std::string> named;
            Util::splitString(troffText(line), ",", named);
            for (const std::string& key : named) {
                keys.insert(key.substr(0, key.find("==")));
            }
        }
        entry = inSettings && line == ".TP";
    }
    return keys;
}

// The table's keys, a family's hole written as the man page writes it.
std::set<std::string> tableKeys(unsigned flags)
{
    std::set<std::string> keys;
    for (const std::string& key : Tool::settingKeys(flags)) {
        keys.insert(std::regex_replace(key, std::regex("<([a-z]+)>"), "$1"));
    }
    return keys;
}

TEST(ManPagesTest, EachPageListsEverySettingItsProgramReads)
{
    const std::pair<const char*, unsigned> pages[] = {
        {"vektra.6", SettingRule::GAME},
        {"vektra-sim.6", SettingRule::SIMULATOR | SettingRule::SIMULATOR_SETS},
        {"vektra-server.6", SettingRule::SERVER},
    };
    for (const auto& [page, flags] : pages) {
        SCOPED_TRACE(page);
        const std::set<std::string> listed = listedKeys(page);
        EXPECT_FALSE(listed.empty());
        EXPECT_EQ(tableKeys(flags), listed);
    }
}

} // namespace
