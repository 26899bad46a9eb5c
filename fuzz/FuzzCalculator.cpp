// Fuzzing harness: arbitrary bytes as the expression of an "EVAL:(" value.
// An operand that is no number (std::domain_error) and a refused operator
// (CFG::ReportedError, after its report) are orderly outcomes. The first
// eight bytes are also taken as two floats and put through every operator,
// which reaches the shifts with infinite, not-a-number and huge operands.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "CFG/Calculator.h"
#include "CFG/ReportedError.h"
#include "SilentReports.h"

namespace
{

const char* const OPERATORS[] = {"+", "-", "*", "/", "<<", ">>", ">=", "<=", ">", "<"};

void evaluate(const std::string& expression)
{
    try {
        CFG::Calculator(expression).parse();
    } catch (const std::domain_error&) {
    } catch (const CFG::ReportedError&) {
    }
}

void applyOperators(const std::uint8_t* data, std::size_t size)
{
    if (size < 2 * sizeof(float)) {
        return;
    }
    float a = 0.0f;
    float b = 0.0f;
    std::memcpy(&a, data, sizeof a);
    std::memcpy(&b, data + sizeof a, sizeof b);
    for (const char* op : OPERATORS) {
        float result = CFG::Calculator::doCalculation(a, op, b);
        bool shift = op[0] == op[1];
        // A shift works on 32 unsigned bits: never negative, never beyond them.
        if (shift && !(result >= 0.0f && result <= 4294967296.0f)) {
            std::abort();
        }
        bool comparison = !shift && (op[0] == '<' || op[0] == '>');
        if (comparison && result != 0.0f && result != 1.0f) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool quiet = (silenceReports(), true);
    (void)quiet;
    evaluate(std::string(reinterpret_cast<const char*>(data), size));
    applyOperators(data, size);
    return 0;
}
