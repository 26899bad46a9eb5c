#include "Files/TextFile.h"

#include <sys/stat.h>

#include <cstring>
#include <fstream>

// Only the header of the store is used: replaceKeys is reached through the
// store's virtual table, so this library does not link against CFG (which
// itself links against this one to read its files).
#include "CFG/Info.h"

namespace Files {

std::streampos TextFile::size(const std::string& path)
{
    // Opening a pipe for reading would block and a directory has no text:
    // only regular files are measured.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return 0;
    }
    std::ifstream file(path, std::ios::in | std::ios::ate);
    if (!file) {
        return 0;
    }
    std::streampos end = file.tellg();
    return end < 0 ? std::streampos(0) : end;
}

namespace {

void appendLine(std::string& text, const char* begin, const char* end, const char* lineEnd)
{
    if (begin == end) {
        text += '\n';
        return;
    }
    text.append(begin, end);
    text += lineEnd;
}

// Splits the raw bytes at line feeds; the part after the last line feed is
// a line of its own only when it is not empty.
void appendLines(std::string& text, const std::string& raw, const char* lineEnd)
{
    const char* pos = raw.data();
    const char* const end = pos + raw.size();
    while (pos != end) {
        const char* feed = static_cast<const char*>(std::memchr(pos, '\n', end - pos));
        if (feed == nullptr) {
            appendLine(text, pos, end, lineEnd);
            return;
        }
        const char* lineStop = feed;
        if (lineStop != pos && lineStop[-1] == '\r') {
            --lineStop;
        }
        appendLine(text, pos, lineStop, lineEnd);
        pos = feed + 1;
    }
}

} // namespace

bool TextFile::load(const std::string& path, std::string& text, const char* lineEnd)
{
    std::streampos length = size(path);
    if (length <= 0) {
        return false;
    }
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file) {
        return false;
    }
    // One read of the whole file, then one pass over it: much faster than a
    // line-by-line stream read on large settings files.
    std::string raw;
    raw.resize(static_cast<std::string::size_type>(length));
    file.read(&raw[0], length);
    raw.resize(static_cast<std::string::size_type>(file.gcount()));
    if (raw.empty()) {
        return false;
    }
    text.reserve(text.size() + raw.size() + 1);
    appendLines(text, raw, lineEnd);
    return true;
}

bool TextFile::loadAndReplaceCfg(const CFG::Info* info, const std::string& path, std::string& text,
                                 const char* lineEnd)
{
    std::string loaded;
    if (!load(path, loaded, lineEnd)) {
        return false;
    }
    text = info != nullptr ? info->replaceKeys(loaded) : loaded;
    return true;
}

bool TextFile::save(const std::string& path, const std::vector<std::string>& lines)
{
    std::ofstream file(path, std::ios::out | std::ios::trunc);
    for (const std::string& line : lines) {
        if (!file) {
            return false;
        }
        file << line << '\n';
        file.flush();
    }
    return static_cast<bool>(file);
}

bool TextFile::save(const std::string& path, const std::string& text)
{
    return save(path, std::vector<std::string>{text});
}

} // namespace Files
