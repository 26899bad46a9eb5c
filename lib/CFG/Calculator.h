#pragma once

#include <string>
#include <string_view>

namespace CFG {

// Evaluates the arithmetic of an "EVAL:(" settings value in single-precision
// floats, strictly left to right with no operator precedence: parentheses,
// + - * /, the shifts << and >>, and the comparisons > >= < <= (1 or 0).
// One object evaluates one expression; it owns a copy of the text.
//
// Errors: an operand that is no number throws std::domain_error
// ("Cant convert String to Num:" + the rest of the expression); an operator
// it refuses writes its two report lines to the error stream of Util::Debug
// and throws CFG::ReportedError.
class Calculator {
public:
    explicit Calculator(const std::string& expression);
    virtual ~Calculator() = default;
    // A copy would keep a view into the original's text.
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // Evaluates from the current front of the text. Nesting depth is held on
    // the heap, so any number of parentheses is safe.
    float parse();

    // The token at the front (after blanks), not consumed; "" when none.
    std::string nextToken();
    void skipToken(const std::string& token);
    std::string getNextToken();
    float getNumber();

    static float doCalculation(float a, const std::string& op, float b);

private:
    std::string expression;
    // The part of expression not yet consumed.
    std::string_view rest;

    void skipBlanks();
};

} // namespace CFG
