#include "ScratchDir.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vektra-fuzz-XXXXXX").string();
    if (::mkdtemp(&pattern[0]) == nullptr || ::chdir(pattern.c_str()) != 0) {
        std::perror("vektra fuzz: scratch directory");
        std::abort();
    }
    root = pattern;
}

ScratchDir::~ScratchDir()
{
    // Leave the directory before removing it, so that nothing is left open in it.
    if (::chdir("/") == 0) {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
}

void ScratchDir::put(const std::string& name, const char* bytes, std::size_t size) const
{
    std::string full = root + "/" + name;
    if (size == 0) {
        std::remove(full.c_str());
        return;
    }
    std::ofstream file(full, std::ios::out | std::ios::binary | std::ios::trunc);
    file.write(bytes, static_cast<std::streamsize>(size));
}
