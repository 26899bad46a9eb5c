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

    const std::string& dir() const { return root; }

private:
    std::string root;
};

// Makes a directory the process's working directory for the object's
// lifetime, then returns to the one before.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& dir);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    // False when the change failed (the process stayed where it was).
    bool entered() const { return changed; }

private:
    std::string previous;
    bool changed = false;
};

} // namespace TestSupport
