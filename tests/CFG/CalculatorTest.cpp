#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "CFG/Calculator.h"
#include "CFG/ReportedError.h"
#include "Support/GlobalStateGuard.h"

namespace {

float evaluate(const std::string& expression)
{
    return CFG::Calculator(expression).parse();
}

} // namespace

TEST(Calculator, EvaluatesLeftToRightWithoutPrecedence)
{
    const std::pair<std::string, float> cases[] = {
        {"10-2-3", 5},
        {"2+3*4", 20},
        {"2+(3*4)", 14},
        {"((1+2)*(3+4))", 21},
        {"7/2", 3.5f},
        {"1/3", 1.0f / 3},
        {"1<<4", 16},
        {"256>>4", 16},
        {"3.9<<1", 6},
        {"1<<33", 2},
        {"-1>>28", 15},
        {"1<<-1", 2147483648.0f},
        {"3>2", 1},
        {"2>=3", 0},
        {"2<=2", 1},
        {"2<1", 0},
        {"-5+2", -3},
        {"4 - -1", 5},
        {"4--3", 7},
        {" 1 +\t2 * \n3 ", 9},
        {"1+2)*100", 3},
        {"1+2 x 100", 3},
        {"3+", 3},
        {"", 0},
        {"(2*(3", 6},
        {"1.5.5+1", 1.5f},
        {"1e3+1", 1000},
        {"0x10", 0},
        {"16777217+0", 16777216},
        {std::string("1+2\0+5", 6), 3},
    };
    for (const auto& [expression, expected] : cases) {
        SCOPED_TRACE(expression);
        EXPECT_EQ(evaluate(expression), expected);
    }
    EXPECT_TRUE(std::isinf(evaluate("1/0")));
    EXPECT_TRUE(std::isnan(evaluate("0/0")));
    EXPECT_EQ(evaluate("0/0>1") + evaluate("0/0<=1"), 0) << "comparisons with NaN are false";
    EXPECT_EQ(evaluate("1/0<<1"), 0) << "nothing whole to shift";
}

TEST(Calculator, OperandsThatAreNoNumberThrowWithTheRestOfTheText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "abc"}, {"1 + x*2", "x*2"}, {"-(1)", "-(1)"}, {"2 - - 1", "- 1"}, {"1+nan", "nan"},
    };
    for (const auto& [expression, rest] : cases) {
        SCOPED_TRACE(expression);
        try {
            evaluate(expression);
            ADD_FAILURE() << "no exception";
        } catch (const std::domain_error& error) {
            EXPECT_EQ(error.what(), std::string("Cant convert String to Num:") + rest);
        }
    }
}

TEST(Calculator, RefusedOperatorIsReportedThenThrown)
{
    TestSupport::GlobalStateGuard global;
    for (const char* expression : {"2(3)", "2((3))", "(1)(2)"}) {
        SCOPED_TRACE(expression);
        global.forget();
        EXPECT_THROW(evaluate(expression), CFG::ReportedError);
        EXPECT_THAT(global.errors(),
                    ::testing::MatchesRegex(
                        "ABORT: Func:static float CFG::Calculator::doCalculation\\(float, const "
                        "std::string&, float\\) File:lib/CFG/Calculator Line: [0-9]+\n"
                        "ABORT: Unknown operator: \\(\n"));
    }
}

TEST(Calculator, DeepNestingAndLongExpressionsStayFast)
{
    const std::size_t depth = 200000;
    EXPECT_EQ(evaluate(std::string(depth, '(') + "1" + std::string(depth, ')')), 1);
    std::string sum = "0";
    for (int i = 0; i < 100000; ++i) {
        sum += "+1";
    }
    EXPECT_EQ(evaluate(sum), 100000);
}
