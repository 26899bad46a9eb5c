#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes. Tests write real files into it.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vektra-XXXXXX").string();
        if (::mkdtemp(&pattern[0]) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        root = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return root + "/" + name; }

    // Writes content byte for byte (binary mode) and returns the file's path.
    std::string write(const std::string& name, const std::string& content) const
    {
        std::string full = path(name);
        std::ofstream file(full, std::ios::out | std::ios::binary | std::ios::trunc);
        file << content;
        return full;
    }

    const std::string& dir() const { return root; }

private:
    std::string root;
};
