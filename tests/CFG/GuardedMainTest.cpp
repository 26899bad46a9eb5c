#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "CFG/GuardedMain.h"
#include "CFG/Info.h"
#include "CFG/ReportedError.h"
#include "Util/Debug.h"

namespace {

struct Outcome {
    int code;
    std::string errors;
};

Outcome runGuarded(const std::function<int()>& body)
{
    Util::Debug& debug = Util::Singleton<Util::Debug>::instance();
    std::ostream* saved = debug.err;
    std::ostringstream captured;
    debug.err = &captured;
    int code = CFG::guardedMain(body);
    debug.err = saved;
    return {code, captured.str()};
}

} // namespace

TEST(GuardedMain, SettingsErrorsEndWithCodeTwo)
{
    CFG::Info info(nullptr);
    ASSERT_TRUE(info.add("NUMBER", "EVAL:(2 * wide)"));
    ASSERT_TRUE(info.add("OPERATOR", "EVAL:(2(3))"));

    Outcome normal = runGuarded([] { return 7; });
    EXPECT_EQ(normal.code, 7);
    EXPECT_EQ(normal.errors, "");

    Outcome number = runGuarded([&] { return static_cast<int>(info.get("NUMBER").size()); });
    EXPECT_EQ(number.code, 2);
    EXPECT_EQ(number.errors, "Cant convert String to Num:wide\n");

    Outcome refused = runGuarded([&] { return static_cast<int>(info.get("OPERATOR").size()); });
    EXPECT_EQ(refused.code, 2);
    EXPECT_EQ(refused.errors.find("ABORT: Func:"), 0u);
    EXPECT_NE(refused.errors.find("\nABORT: Unknown operator: (\n"), std::string::npos);
    EXPECT_EQ(std::count(refused.errors.begin(), refused.errors.end(), '\n'), 2)
        << "nothing printed after the two report lines";

    Outcome other = runGuarded([]() -> int { throw std::runtime_error("out of luck"); });
    EXPECT_EQ(other.code, 2);
    EXPECT_EQ(other.errors, "out of luck\n");
}
