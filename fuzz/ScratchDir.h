#pragma once

#include <cstddef>
#include <string>

// A private working directory for one fuzzing process. The constructor
// creates a fresh directory under the system's temporary directory and
// makes it the working directory, so that every relative file name an input
// produces (includes, ".MOD" files) resolves inside it; the destructor
// removes the files it wrote and the directory. Owns that directory.
class ScratchDir
{
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Writes bytes as the file name inside the directory; an empty content
    // removes the file instead, so that no earlier input's file lingers.
    void put(const std::string& name, const char* bytes, std::size_t size) const;

    const std::string& path() const { return root; }

  private:
    std::string root;
};
