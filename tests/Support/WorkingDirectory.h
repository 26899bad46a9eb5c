#pragma once

#include <string>

namespace TestSupport {

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
