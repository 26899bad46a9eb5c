// Lookups read again and again: every change to either store, to a key a
// value refers to, or to a selection's selector shows at the next read, as
// a full lookup would give it.
#include <gtest/gtest.h>

#include <string>

#include "CFG/CFG.h"
#include "CFG/TempDir.h"

using CFG::Info;

TEST(LookupCache, EveryChangeShowsAtTheNextRead)
{
    TempDir dir;
    Info overrides(nullptr);
    Info info(&overrides);
    ASSERT_TRUE(info.addConfig(dir.write("a.cfg", "MODE == small\n"
                                                  "SIZE ?? MODE\n"
                                                  "small == 8\n"
                                                  "* == 64\n"
                                                  "MODE\n"
                                                  "STEP == 60\n"
                                                  "REF == ::STEP::ms\n")));
    struct Read {
        const char* key;
        const char* expected;
    };
    auto readTwice = [&](const char* what, std::initializer_list<Read> reads) {
        SCOPED_TRACE(what);
        for (int round = 0; round < 2; ++round) {
            for (const Read& read : reads) {
                EXPECT_EQ(info.get(read.key), read.expected) << read.key << ", round " << round;
            }
        }
    };
    readTwice("as read", {{"STEP", "60"}, {"REF", "60ms"}, {"SIZE", "8"}});
    info.add("STEP", "30");
    readTwice("an added entry and what refers to it", {{"STEP", "30"}, {"REF", "30ms"}});
    info.add("MODE", "large");
    readTwice("a selector", {{"SIZE", "64"}});
    overrides.add("STEP", "10");
    readTwice("the override layer", {{"STEP", "10"}, {"REF", "10ms"}});
    overrides.reset();
    readTwice("the override layer emptied", {{"STEP", "30"}});
    ASSERT_TRUE(info.addConfig(dir.write("b.cfg", "STEP == 45\n")));
    readTwice("a file read", {{"STEP", "45"}, {"REF", "45ms"}});
    info.reset();
    readTwice("the store emptied", {{"STEP", ""}, {"REF", ""}, {"SIZE", ""}});
}

TEST(LookupCache, ManyKeysReadInTurnKeepTheirOwnValues)
{
    Info info(nullptr);
    for (int i = 0; i < 200; ++i) {
        info.add("KEY_" + std::to_string(i), std::to_string(i * 3));
    }
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 200; i += 7) {
            ASSERT_EQ(info.get("KEY_" + std::to_string(i)), std::to_string(i * 3));
        }
    }
}

namespace {

// An override layer whose answer changes without any store changing.
class CountingLayer : public Info {
public:
    CountingLayer() : Info(nullptr) {}
    std::string get(const std::string&) const override { return std::to_string(++reads); }
    mutable int reads = 0;
};

} // namespace

TEST(LookupCache, AnOverrideLayerOfItsOwnMakingIsAskedEveryTime)
{
    CountingLayer layer;
    Info info(&layer);
    info.add("K", "v");
    EXPECT_EQ(info.get("K"), "1");
    EXPECT_EQ(info.get("K"), "2");
}
