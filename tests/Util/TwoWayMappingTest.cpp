#include <gtest/gtest.h>

#include <string>

#include "Util/TwoWayMapping.h"

namespace {

TEST(TwoWayMapping, LaterAddsOverwriteAndMissesGiveTheFallbacks)
{
    Util::TwoWayMapping<int, std::string> mapping(-1, "none");
    mapping.add(0, "0");
    mapping.add(48, "0");
    mapping.add(13, "PAGE UP");
    mapping.add(13, "RETURN");

    EXPECT_EQ(mapping.getKey("0"), 48);
    EXPECT_EQ(mapping.getValue(0), "0");
    EXPECT_EQ(mapping.getKey("PAGE UP"), 13);
    EXPECT_EQ(mapping.getValue(13), "RETURN");

    EXPECT_EQ(mapping.getKey("missing"), -1);
    EXPECT_EQ(mapping.getValue(7), "none");
    EXPECT_EQ(mapping.keyCount(), 3u) << "lookups never insert";
    EXPECT_EQ(mapping.valueCount(), 3u);
}

} // namespace
