#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CFG/Info.h"
#include "CFG/SettingsTable.h"

using CFG::Info;
using CFG::SettingsTable;

namespace {

// Keys of every length up to 40 that differ from one another in a single
// byte at the start, the middle or the end, where a hash that skipped
// bytes would bring them together.
std::vector<std::string> nearKeys()
{
    std::vector<std::string> keys;
    for (std::size_t size = 0; size <= 40; ++size) {
        for (std::size_t at : {std::size_t(0), size / 2, size == 0 ? 0 : size - 1}) {
            for (char c : {'A', 'B', '_'}) {
                std::string key(size, 'K');
                if (size > 0) {
                    key[at] = c;
                }
                keys.push_back(key);
            }
        }
    }
    return keys;
}

} // namespace

TEST(SettingsTable, FindsWhatItHoldsThroughGrowthReplacementAndClearing)
{
    SettingsTable table;
    std::map<std::string, std::string> expected;
    int n = 0;
    for (const std::string& key : nearKeys()) {
        table.store(key, "v" + std::to_string(n));
        expected[key] = "v" + std::to_string(n++);
    }
    for (int i = 0; i < 3000; ++i) {
        const std::string key = "KEY_" + std::to_string(i * 7919);
        table.store(key, key);
        expected[key] = key;
    }
    // Replacing a selection entry's value drops its choices.
    table.store("SEL", "MODE").choices = std::make_unique<SettingsTable>();
    table.store("SEL", "plain");
    expected["SEL"] = "plain";

    ASSERT_EQ(table.size(), expected.size());
    auto listed = table.begin();
    for (const auto& [key, value] : expected) {
        ASSERT_EQ(listed->first, key) << "the keys stay in byte order";
        ++listed;
        const CFG::SettingsNode* node = table.find(key);
        ASSERT_NE(node, nullptr) << key;
        EXPECT_EQ(node->value, value) << key;
        EXPECT_EQ(node->choices, nullptr) << key;
    }
    for (const char* absent : {"KEY_1", "KKKKKKKKKKKKKKKKKKKKC", "SEL ", "sel", "KEY_7919x"}) {
        EXPECT_EQ(table.find(absent), nullptr) << absent;
    }

    table.clear();
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(table.find("SEL"), nullptr);
    table.store("SEL", "again");
    ASSERT_NE(table.find("SEL"), nullptr);
    EXPECT_EQ(table.find("SEL")->value, "again");
}

// A store answers through its override layer's own get, whatever kind of
// store the layer is and whatever layers it has itself.
TEST(SettingsTable, EveryKindOfOverrideLayerIsHeard)
{
    class Answering : public Info {
    public:
        std::string get(const std::string& key) const override
        {
            return key == "WIDTH" ? "640" : "";
        }
    };
    Answering derived;
    Info bottom(nullptr);
    Info middle(&bottom);
    Info viaDerived(&derived);
    Info viaChain(&middle);
    for (Info* store : {&viaDerived, &viaChain}) {
        ASSERT_TRUE(store->add("WIDTH", "800"));
        ASSERT_TRUE(store->add("HEIGHT", "600"));
    }
    ASSERT_TRUE(bottom.add("WIDTH", "1024"));

    EXPECT_EQ(viaDerived.get("WIDTH"), "640");
    EXPECT_EQ(viaDerived.get("HEIGHT"), "600");
    EXPECT_EQ(viaChain.get("WIDTH"), "1024") << "asked of the layer's own layer";
    EXPECT_EQ(viaChain.get("HEIGHT"), "600");
    ASSERT_TRUE(middle.add("HEIGHT", "480"));
    EXPECT_EQ(viaChain.get("HEIGHT"), "480") << "a change to a layer is seen at the next get";
}

// Keys chosen, by someone who knows this process's hash key, to share one
// home slot: the index places what it can within its probe bound and the
// map answers for the rest, so every key is still found and none is made
// up, and no find walks the whole chain.
TEST(SettingsTable, KeysSharingOneSlotAreAllFoundThroughTheMap)
{
    constexpr std::size_t KEYS = 300;
    constexpr std::size_t HOME_BITS = 0xFFF; // beyond the index of 300 entries
    std::vector<std::string> keys;
    std::vector<std::string> strangers;
    for (std::size_t n = 0; keys.size() < KEYS || strangers.size() < 20; ++n) {
        std::string key = "FLOOD_" + std::to_string(n);
        if ((SettingsTable::hashOf(key) & HOME_BITS) == 0) {
            (keys.size() < KEYS ? keys : strangers).push_back(key);
        }
    }
    SettingsTable table;
    for (const std::string& key : keys) {
        table.store(key, key + "_value");
    }
    EXPECT_GT(table.unindexedEntries(), 0u) << "the probe bound was never reached";
    EXPECT_LE(table.unindexedEntries(), KEYS - SettingsTable::MAX_PROBE);
    for (const std::string& key : keys) {
        const CFG::SettingsNode* node = table.find(key);
        ASSERT_NE(node, nullptr) << key;
        EXPECT_EQ(node->value, key + "_value");
    }
    for (const std::string& key : strangers) {
        EXPECT_EQ(table.find(key), nullptr) << key;
    }
    table.clear();
    EXPECT_EQ(table.unindexedEntries(), 0u);
}
