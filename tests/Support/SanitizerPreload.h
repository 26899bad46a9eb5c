#pragma once

#include <string>

namespace TestSupport {

// What LD_PRELOAD must hold for a run of the program at path: the
// sanitizer runtime and the OpenGL driver when the program is built with
// AddressSanitizer, "" otherwise. The rule itself is written once, in
// scripts/lib/xvfb.sh (vektra_preload), which the shell scripts use as well:
// the driver's leaks are suppressed by library name, which only holds while
// the driver is still loaded when LeakSanitizer reports at exit.
std::string sanitizerPreload(const std::string& program);

} // namespace TestSupport
