#pragma once

#include <string>

namespace Files {

// Where a path a person wrote points, wherever the program runs: a leading
// "~/" means the home folder ($HOME), an absolute path is itself, and any
// other path is taken from a folder the caller names (the folder the person
// started in, or the folder of the settings file that holds it). Stateless.
class UserPath {
public:
    // The environment variable a launcher that changes folder sets to the
    // folder it was started in.
    static constexpr const char* START_FOLDER_VARIABLE = "VEKTRA_START_DIR";

    // path as it points from folder: unchanged when empty, absolute, or when
    // folder is empty; "~/" followed by the rest becomes $HOME and the rest
    // (unchanged while HOME is unset or empty).
    static std::string resolve(const std::string& path, const std::string& folder);

    // The folder the person started the program in: START_FOLDER_VARIABLE
    // when it holds an absolute path, else the working folder ("" when that
    // cannot be named).
    static std::string startFolder();

    // The folder of the file at path, symbolic links followed, as an
    // absolute path; "" when the file cannot be found.
    static std::string realFolder(const std::string& path);
};

} // namespace Files
