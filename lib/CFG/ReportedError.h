#pragma once

#include <stdexcept>
#include <string>

namespace CFG {

// A settings error whose report has already been written: the two lines of
// the framework's ABORT form on the error stream of Util::Debug. Instead of
// aborting, the code that found the error throws this, so that the program
// can stop in an orderly way: main catches it (see CFG::guardedMain), prints
// nothing more and exits with code 2. Code deep in the framework only raises
// it; it never needs to know who catches it. Callers that must not let an
// exception pass (GLFW callbacks) catch it like any std::exception.
class ReportedError : public std::runtime_error {
public:
    explicit ReportedError(const std::string& message);

    // Writes "ABORT: Func:" + function + " File:" + the source path from
    // lib/ on + " Line: " + line, then "ABORT: " + message, and throws.
    [[noreturn]] static void raise(const char* function, const char* file, int line,
                                   const std::string& message);
};

} // namespace CFG

// Reports a settings error in the ABORT form and throws CFG::ReportedError.
#define REPORT_ERROR(message)                                                                      \
    ::CFG::ReportedError::raise(__PRETTY_FUNCTION__, __FILE__, __LINE__, (message))
