#pragma once

#include <functional>

namespace CFG {

// The one place where a program's main turns settings errors into an orderly
// end. Runs body and returns its result. When body throws:
// - std::domain_error (a setting that is no number, from Util::strToNum):
//   its message and a line feed go to the error stream of Util::Debug; 2;
// - CFG::ReportedError (the report is already written): nothing more; 2;
// - any other std::exception: its message on the error stream; 2.
// Use:  int main(int argc, char** argv) { return CFG::guardedMain([&] { ... }); }
int guardedMain(const std::function<int()>& body);

} // namespace CFG
