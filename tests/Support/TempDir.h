#pragma once

#include <string>

namespace TestSupport {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes. Tests write real files into it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return root + "/" + name; }

    // Writes content byte for byte (binary mode) and returns the file's path.
    std::string write(const std::string& name, const std::string& content) const;
    // Copies the file at source byte for byte under name and returns the copy's path.
    std::string copy(const std::string& name, const std::string& source) const;

    const std::string& dir() const { return root; }

private:
    std::string root;
};

} // namespace TestSupport
