#include "CFG/Calculator.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "CFG/ReportedError.h"
#include "Util/StringHelpers.h"

namespace CFG {

namespace {

// Matched in this order; the first that begins the text wins.
const char* const TOKENS[] = {"(", ")", "+", "-", "*", "/", "<<", ">>", ">=", "<=", ">", "<"};

// The length of the longest start of text that has the shape of a float
// ([sign] digits and points [e [sign] digits]). A stream read of a float
// never looks further than one character past it.
std::string_view::size_type floatShapeLength(std::string_view text)
{
    std::string_view::size_type end = 0;
    auto skip = [&](const char* chars) {
        while (end < text.size() &&
               std::string_view(chars).find(text[end]) != std::string_view::npos) {
            ++end;
        }
    };
    auto skipOne = [&](const char* chars) {
        if (end < text.size() &&
            std::string_view(chars).find(text[end]) != std::string_view::npos) {
            ++end;
        }
    };
    skipOne("+-");
    skip("0123456789.");
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        ++end;
        skipOne("+-");
        skip("0123456789");
    }
    return end;
}

// The low 32 bits of value cut toward zero, as two's complement would keep
// them; values with no whole part to cut (infinite, not a number) give 0.
std::uint32_t low32Bits(float value)
{
    if (!std::isfinite(value)) {
        return 0;
    }
    double whole = std::fmod(std::trunc(static_cast<double>(value)), 4294967296.0);
    if (whole < 0) {
        whole += 4294967296.0;
    }
    return static_cast<std::uint32_t>(whole);
}

} // namespace

Calculator::Calculator(const std::string& expression)
    : expression(expression), rest(this->expression)
{
}

void Calculator::skipBlanks()
{
    std::string_view::size_type first = rest.find_first_not_of(" \t\n\r");
    rest.remove_prefix(first == std::string_view::npos ? rest.size() : first);
}

std::string Calculator::nextToken()
{
    skipBlanks();
    for (const char* token : TOKENS) {
        if (rest.compare(0, std::char_traits<char>::length(token), token) == 0) {
            return token;
        }
    }
    return std::string();
}

void Calculator::skipToken(const std::string& token)
{
    rest.remove_prefix(std::min(token.size(), rest.size()));
}

std::string Calculator::getNextToken()
{
    std::string token = nextToken();
    skipToken(token);
    return token;
}

float Calculator::getNumber()
{
    skipBlanks();
    // Converting only the number's shape and the character after it reads
    // the same number as converting all of the rest, without copying a long
    // expression for every operand.
    std::string_view piece = rest.substr(0, floatShapeLength(rest) + 1);
    float value = 0.0f;
    try {
        value = Util::strToNum<float>(std::string(piece));
    } catch (const std::domain_error&) {
        // The message names the whole rest of the expression.
        value = Util::strToNum<float>(std::string(rest));
    }
    std::string_view::size_type end = 0;
    if (end < rest.size() && (rest[end] == '+' || rest[end] == '-')) {
        ++end;
    }
    bool pointSeen = false;
    for (; end < rest.size(); ++end) {
        char c = rest[end];
        if (c == '.' && !pointSeen) {
            pointSeen = true;
        } else if (c < '0' || c > '9') {
            break;
        }
    }
    rest.remove_prefix(end);
    return value;
}

float Calculator::parse()
{
    // One frame per open parenthesis: the value so far and the operator
    // waiting for the group's value.
    struct Frame {
        float accumulator = 0.0f;
        std::string op;
        bool started = false;
    };
    std::vector<Frame> frames(1);
    while (true) {
        if (nextToken() == "(") {
            skipToken("(");
            frames.emplace_back();
            continue;
        }
        float operand = getNumber();
        while (true) {
            Frame& top = frames.back();
            top.accumulator =
                top.started ? doCalculation(top.accumulator, top.op, operand) : operand;
            top.started = true;
            std::string op = getNextToken();
            if (!op.empty() && op != ")") {
                top.op = op;
                break;
            }
            operand = top.accumulator;
            frames.pop_back();
            if (frames.empty()) {
                return operand;
            }
        }
    }
}

float Calculator::doCalculation(float a, const std::string& op, float b)
{
    if (op == "+") {
        return a + b;
    }
    if (op == "-") {
        return a - b;
    }
    if (op == "*") {
        return a * b;
    }
    if (op == "/") {
        return a / b;
    }
    if (op == "<<") {
        return static_cast<float>(low32Bits(a) << (low32Bits(b) % 32u));
    }
    if (op == ">>") {
        return static_cast<float>(low32Bits(a) >> (low32Bits(b) % 32u));
    }
    if (op == ">") {
        return a > b ? 1.0f : 0.0f;
    }
    if (op == ">=") {
        return a >= b ? 1.0f : 0.0f;
    }
    if (op == "<") {
        return a < b ? 1.0f : 0.0f;
    }
    if (op == "<=") {
        return a <= b ? 1.0f : 0.0f;
    }
    REPORT_ERROR("Unknown operator: " + op);
}

} // namespace CFG
