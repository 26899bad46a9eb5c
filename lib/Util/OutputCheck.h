#pragma once

namespace Util {

// For command-line programs: whether everything written to standard output
// reached it. Flushes std::cout and C's stdout first, since a full disk or
// a closed pipe shows only when buffered bytes go out. On failure writes
// "<program>: cannot write the output: <reason>" to standard error.
class OutputCheck {
public:
    static bool standardOutputWritten(const char* program);
};

} // namespace Util
