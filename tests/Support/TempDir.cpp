#include "Support/TempDir.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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

std::string TempDir::copy(const std::string& name, const std::string& source) const
{
    std::ifstream file(source, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return write(name, content.str());
}

} // namespace TestSupport
