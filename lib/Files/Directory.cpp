#include "Files/Directory.h"

#include <dirent.h>

#include <cstdlib>
#include <cstring>

#include "Util/StringHelpers.h"

namespace Files {

int alphasort(const struct dirent** a, const struct dirent** b)
{
    // strcmp compares as unsigned bytes, independent of the locale.
    return std::strcmp((*a)->d_name, (*b)->d_name);
}

int noDotOrDotDot(const struct dirent* entry)
{
    return std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0;
}

namespace {

void freeEntries(struct dirent** entries, int count)
{
    for (int i = 0; i < count; ++i) {
        std::free(entries[i]);
    }
    std::free(entries);
}

} // namespace

std::string Directory::dirname(const std::string& path)
{
    std::string::size_type last = path.rfind(SEP);
    if (last == std::string::npos) {
        return std::string(".") + SEP;
    }
    return path.substr(0, last) + SEP;
}

std::string Directory::basename(const std::string& path)
{
    std::string::size_type last = path.rfind(SEP);
    return last == std::string::npos ? path : path.substr(last + 1);
}

void Directory::scan(const std::string& dir, std::vector<std::string>& names,
                     const std::string& prefix, const std::string& suffix)
{
    // scandir opens, reads, filters, closes and sorts in one call, and gives
    // nothing back when closing fails or memory runs out, as we want.
    struct dirent** entries = nullptr;
    int count = ::scandir(dir.c_str(), &entries, noDotOrDotDot, alphasort);
    if (count < 0) {
        return;
    }
    std::vector<std::string> matching;
    try {
        for (int i = 0; i < count; ++i) {
            std::string name(entries[i]->d_name);
            if (Util::startswith(name, prefix) && Util::endswith(name, suffix)) {
                matching.push_back(name);
            }
        }
    } catch (...) {
        freeEntries(entries, count);
        throw;
    }
    freeEntries(entries, count);
    names.insert(names.end(), matching.begin(), matching.end());
}

} // namespace Files
