#include "Support/TempDir.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace TestSupport {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vektra-XXXXXX").string();
    if (::mkdtemp(&pattern[0]) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    root = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& content) const
{
    std::string full = path(name);
    std::ofstream file(full, std::ios::out | std::ios::binary | std::ios::trunc);
    file << content;
    return full;
}

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
