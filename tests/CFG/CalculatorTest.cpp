#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "CFG/Calculator.h"
#include "CFG/ReportedError.h"
#include "Util/Debug.h"

using CFG::Calculator;

namespace {

float evaluate(const std::string& expression)
{
    return Calculator(expression).parse();
}

// Sends Util::Debug's error stream into a string for the life of the object.
class CapturedErrors {
public:
    CapturedErrors() : debug(Util::Singleton<Util::Debug>::instance()), saved(debug.err)
    {
        debug.err = &captured;
    }
    ~CapturedErrors() { debug.err = saved; }
    std::string text() const { return captured.str(); }

private:
    Util::Debug& debug;
    std::ostream* saved;
    std::ostringstream captured;
};

} // namespace

TEST(Calculator, EvaluatesLeftToRightWithoutPrecedence)
{
    struct Case {
        const char* expression;
        float expected;
    };
    const Case cases[] = {
        {"10-2-3", 5},       {"2+3*4", 20},          {"2+(3*4)", 14},
        {"((1+2)*(3+4))", 21}, {"7/2", 3.5f},        {"1/3", 1.0f / 3.0f},
        {"1<<4", 16},        {"256>>4", 16},         {"3.9<<1", 6},
        {"1<<33", 2},        {"-1>>28", 15},         {"1<<-1", 2147483648.0f},
        {"3>2", 1},          {"2>=3", 0},            {"2<=2", 1},
        {"2<1", 0},          {"-5+2", -3},           {"4 - -1", 5},
        {"4--3", 7},         {" 1 +\t2 * \n3 ", 9},  {"1+2)*100", 3},
        {"1+2 x 100", 3},    {"3+", 3},              {"", 0},
        {"(2*(3", 6},        {"1.5.5+1", 1.5f},      {"+2*2", 4},
        {"1e3+1", 1000},     {"0x10", 0},            {"16777217+0", 16777216},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(evaluate(c.expression), c.expected);
    }
}

TEST(Calculator, DivisionByZeroAndNotANumberFollowFloats)
{
    EXPECT_TRUE(std::isinf(evaluate("1/0")));
    EXPECT_TRUE(std::isnan(evaluate("0/0")));
    EXPECT_EQ(evaluate("0/0>1"), 0);
    EXPECT_EQ(evaluate("0/0<=1"), 0);
    EXPECT_EQ(evaluate("1/0<<1"), 0) << "nothing whole to shift";
}

TEST(Calculator, TokensAreMatchedInTableOrder)
{
    Calculator calculator("  <<= 1");
    EXPECT_EQ(calculator.nextToken(), "<<");
    EXPECT_EQ(calculator.getNextToken(), "<<");
    EXPECT_EQ(calculator.nextToken(), "");
    calculator.skipToken("=");
    EXPECT_EQ(calculator.getNumber(), 1);
    calculator.skipToken("longer than the rest");
    EXPECT_EQ(calculator.nextToken(), "");
}

TEST(Calculator, OperandsThatAreNoNumberThrowWithTheRestOfTheText)
{
    struct Case {
        const char* expression;
        const char* message;
    };
    const Case cases[] = {
        {"abc", "Cant convert String to Num:abc"},
        {"1 + x*2", "Cant convert String to Num:x*2"},
        {"-(1)", "Cant convert String to Num:-(1)"},
        {"2 - - 1", "Cant convert String to Num:- 1"},
        {"1+nan", "Cant convert String to Num:nan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        try {
            evaluate(c.expression);
            ADD_FAILURE() << "no exception";
        } catch (const std::domain_error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(Calculator, RefusedOperatorIsReportedThenThrown)
{
    for (const char* expression : {"2(3)", "2((3))", "(1)(2)"}) {
        SCOPED_TRACE(expression);
        CapturedErrors errors;
        EXPECT_THROW(evaluate(expression), CFG::ReportedError);
        EXPECT_THAT(errors.text(),
                    ::testing::MatchesRegex(
                        "ABORT: Func:static float CFG::Calculator::doCalculation\\(float, const "
                        "std::string&, float\\) File:lib/CFG/Calculator Line: [0-9]+\n"
                        "ABORT: Unknown operator: \\(\n"));
    }
}

TEST(Calculator, DeepNestingAndLongExpressionsStayFast)
{
    const std::size_t depth = 200000;
    std::string nested = std::string(depth, '(') + "1" + std::string(depth, ')');
    EXPECT_EQ(evaluate(nested), 1);
    EXPECT_EQ(evaluate(std::string(depth, '(') + "2"), 2);

    std::string sum = "0";
    for (int i = 0; i < 100000; ++i) {
        sum += "+1";
    }
    EXPECT_EQ(evaluate(sum), 100000);
}
