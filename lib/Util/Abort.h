#pragma once

#include <string>

namespace Util {

// The source path from the tree's "lib/" on, without its extension:
// "/src/vektra/lib/Game/GameManager.cpp" gives "lib/Game/GameManager". An
// installed header names the same path: its copy under "include/vektra/"
// is the tree's "lib/" ("/usr/include/vektra/Game/GAME_MAIN" gives
// "lib/Game/GAME_MAIN"), whichever of the two comes last in the path.
std::string abortSourcePath(const char* file);

// Writes the two ABORT lines to the error stream of Util::Debug and ends
// the process with std::abort(), with no clean-up.
[[noreturn]] void abortProgram(const char* function, const char* file, int line,
                               const std::string& message);

} // namespace Util

// Ends the program on a contradiction it cannot continue from.
#define ABORT(message) ::Util::abortProgram(__PRETTY_FUNCTION__, __FILE__, __LINE__, (message))
