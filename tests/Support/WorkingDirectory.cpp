#include "Support/WorkingDirectory.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace TestSupport {

WorkingDirectory::WorkingDirectory(const std::string& dir)
{
    std::error_code error;
    previous = std::filesystem::current_path(error).string();
    changed = !error && ::chdir(dir.c_str()) == 0;
}

WorkingDirectory::~WorkingDirectory()
{
    if (changed && ::chdir(previous.c_str()) != 0) {
        // Every later test would run in a directory that is about to vanish.
        std::abort();
    }
}

} // namespace TestSupport
