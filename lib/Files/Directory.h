#pragma once

#include <string>
#include <vector>

struct dirent;

namespace Files {

// Orders two directory entries by byte comparison of their names.
int alphasort(const struct dirent** a, const struct dirent** b);

// 0 for the entries "." and "..", 1 for every other entry.
int noDotOrDotDot(const struct dirent* entry);

// Path splitting and directory listing. Stateless; every operation is static.
// Only "/" separates path parts; a backslash is an ordinary character.
class Directory {
public:
    static const char SEP = '/';

    // Everything before the last "/" followed by "/"; "./" without a "/".
    static std::string dirname(const std::string& path);

    // Everything after the last "/"; the whole path without a "/".
    static std::string basename(const std::string& path);

    // Appends the names of dir's entries that begin with prefix and end with
    // suffix (empty ones accept every name), in ascending byte order, without
    // "." and "..". A directory that cannot be read appends nothing.
    static void scan(const std::string& dir, std::vector<std::string>& names,
                     const std::string& prefix, const std::string& suffix);
};

} // namespace Files
