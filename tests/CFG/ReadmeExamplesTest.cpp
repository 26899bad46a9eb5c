#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CFG/Info.h"
#include "Support/TempDir.h"

using TestSupport::TempDir;

using CFG::Info;

// The README's settings examples, loaded exactly as written there (every
// block fenced as "cfg"), must read as the README says they do.

namespace {

std::vector<std::string> readmeSettingsBlocks()
{
    std::ifstream file(VEKTRA_README, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string readme = text.str();
    const std::string open = "```cfg\n";
    const std::string close = "\n```";
    std::vector<std::string> blocks;
    for (std::string::size_type at = readme.find(open); at != std::string::npos;
         at = readme.find(open, at)) {
        at += open.size();
        std::string::size_type end = readme.find(close, at);
        if (end == std::string::npos) {
            break;
        }
        blocks.push_back(readme.substr(at, end - at + 1));
        at = end;
    }
    return blocks;
}

} // namespace

TEST(ReadmeExamples, SettingsBlocksReadAsDescribed)
{
    const std::vector<std::string> blocks = readmeSettingsBlocks();
    ASSERT_EQ(blocks.size(), 2u) << "the example and the overrides file";
    TempDir dir;
    const std::string example = dir.write("vektra.cfg", blocks[0]);

    Info overrides(nullptr);
    Info settings(&overrides);
    ASSERT_TRUE(settings.addConfig(example));
    const std::pair<const char*, const char*> alone[] = {
        {"GRID_WIDTH", "64"},
        {"TITLE", "Two words"},
        {"NOTE", "a value that goes on\nover two lines"},
        {"GRID_HEIGHT", "48"},
        {"CELL", "64"},
        {"ALIAS", "64"},
        {"TURN_CHANCE", "40"},
    };
    for (const auto& [key, value] : alone) {
        SCOPED_TRACE(key);
        EXPECT_EQ(settings.get(key), value);
    }

    ASSERT_TRUE(overrides.addConfig(dir.write("SETTINGS_vektra.cfg", blocks[1])));
    const std::pair<const char*, const char*> overridden[] = {
        {"GRID_WIDTH", "100"},
        {"CELL", "100"},
        {"ALIAS", "100"},
        {"GRID_HEIGHT", "75"},
    };
    for (const auto& [key, value] : overridden) {
        SCOPED_TRACE(key);
        EXPECT_EQ(settings.get(key), value);
    }

    // Without its first line, the overrides file's reference reads empty.
    const std::string withoutFirstLine = blocks[1].substr(blocks[1].find('\n') + 1);
    Info lonely(nullptr);
    Info lonelySettings(&lonely);
    ASSERT_TRUE(lonelySettings.addConfig(example));
    ASSERT_TRUE(lonely.addConfig(dir.write("SETTINGS_lonely.cfg", withoutFirstLine)));
    EXPECT_THROW(lonelySettings.get("GRID_HEIGHT"), std::domain_error);
}
