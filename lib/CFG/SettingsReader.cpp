#include "CFG/SettingsReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <memory>

#include "CFG/INItoCFG.h"
#include "CFG/SettingsLookup.h"
#include "Files/UserPath.h"

namespace CFG {

namespace {

constexpr std::string_view FILE_TERMINATOR = "END_OF_CFG_RESOURCES";
constexpr std::string_view INCLUDE_PREFIX = "<INCLUDE";
constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
// Enough to say what went wrong; a file of a million bad includes does not
// make a million records.
constexpr std::size_t MAX_PROBLEMS_KEPT = 100;

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool isIniPath(const std::string& path)
{
    if (path.size() < 4) {
        return false;
    }
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return tail == ".INI";
}

// Makes line feeds the only line ends, as they were before this reader
// handled other ends: a carriage return before a line feed goes, and every
// line, the last one too, ends with a line feed. Text written by an editor
// on another system may begin with a UTF-8 byte-order mark, which is no part
// of the first key; and a file with carriage returns but no line feed at all
// (old Mac line ends) would otherwise read as one line.
void normaliseLineEnds(std::string& text)
{
    if (startsWith(text, BYTE_ORDER_MARK)) {
        text.erase(0, BYTE_ORDER_MARK.size());
    }
    if (text.find('\n') == std::string::npos) {
        std::replace(text.begin(), text.end(), '\r', '\n');
    }
    std::string::size_type kept = 0;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        text[kept++] = text[i];
    }
    text.resize(kept);
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
}

} // namespace

// Admits a file only when it exists, is not already being read further up
// the chain (an include or ".MOD" loop) and the chain is not too deep.
class SettingsReader::FileGuard {
public:
    FileGuard(SettingsReader& reader, const std::string& path) : reader(reader)
    {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            return;
        }
        std::pair<dev_t, ino_t> id(info.st_dev, info.st_ino);
        if (reader.reading.size() >= static_cast<std::size_t>(MAX_NESTING) ||
            std::find(reader.reading.begin(), reader.reading.end(), id) != reader.reading.end()) {
            return;
        }
        reader.reading.push_back(id);
        admitted = true;
        if (!reader.pathKeys.empty()) {
            reader.folders.push_back(Files::UserPath::realFolder(path));
        }
    }
    ~FileGuard()
    {
        if (admitted) {
            reader.reading.pop_back();
            if (!reader.pathKeys.empty()) {
                reader.folders.pop_back();
            }
        }
    }
    FileGuard(const FileGuard&) = delete;
    FileGuard& operator=(const FileGuard&) = delete;

    SettingsReader& reader;
    bool admitted = false;
};

SettingsReader::SettingsReader(SettingsTable& entries, const SettingsLookup& lookup)
    : entries(entries), lookup(lookup)
{
}

bool SettingsReader::addConfig(const std::string& path)
{
    FileGuard guard(*this, path);
    bool complete = false;
    if (!guard.admitted || !readFileText(path, complete)) {
        return false;
    }
    // The override file is read whatever became of the file's lines; a
    // missing one is the normal case, so its result does not count.
    addConfig(path + ".MOD");
    readPendingIncludes();
    return complete;
}

bool SettingsReader::readFileText(const std::string& path, bool& complete)
{
    // The file's text lives only while its own lines are read, so a chain of
    // includes holds one file's text at a time.
    std::string text;
    if (!loadText(path, text)) {
        return false;
    }
    std::vector<std::string> converted;
    if (isIniPath(path) && !INItoCFG(text, converted)) {
        return false;
    }
    LineList lines;
    lines.reserve(converted.size() +
                  static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for (const std::string& line : converted) {
        lines.emplace_back(line);
    }
    splitLines(text, lines);
    LineIter pos = lines.begin();
    complete = populateMap(entries, pos, lines.end(), FILE_TERMINATOR);
    return true;
}

bool SettingsReader::loadText(const std::string& path, std::string& text)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    // A directory or a pipe has no text to read (and opening a pipe blocks).
    if (!S_ISREG(info.st_mode)) {
        refuse(path, Info::FileProblem::UNREADABLE, 0);
        return false;
    }
    const std::uintmax_t size = static_cast<std::uintmax_t>(info.st_size);
    if (size > MAX_FILE_SIZE) {
        refuse(path, Info::FileProblem::FILE_TOO_LARGE, MAX_FILE_SIZE);
        return false;
    }
    if (size > MAX_TOTAL_SIZE - bytesRead) {
        refuse(path, Info::FileProblem::TOTAL_TOO_LARGE, MAX_TOTAL_SIZE);
        return false;
    }
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file) {
        refuse(path, Info::FileProblem::UNREADABLE, 0);
        return false;
    }
    // One read of at most the size measured: a file that grows meanwhile
    // cannot pass the limit.
    text.resize(static_cast<std::string::size_type>(size));
    file.read(&text[0], static_cast<std::streamsize>(size));
    text.resize(static_cast<std::string::size_type>(file.gcount()));
    bytesRead += text.size();
    normaliseLineEnds(text);
    return !text.empty();
}

void SettingsReader::refuse(const std::string& path, Info::FileProblem::Kind kind,
                            std::uintmax_t limit)
{
    if (refused.size() < MAX_PROBLEMS_KEPT) {
        refused.push_back(Info::FileProblem{path, kind, limit});
    }
}

void SettingsReader::readPendingIncludes()
{
    // Moved aside first: the included files record their own includes.
    std::vector<std::string> includes;
    includes.swap(pendingIncludes);
    for (const std::string& key : includes) {
        addConfig(lookup.get(key));
    }
}

bool SettingsReader::addLine(const std::string& line, std::string_view terminator)
{
    LineList lines{line};
    LineIter pos = lines.begin();
    return populateMap(entries, pos, lines.end(), terminator);
}

void SettingsReader::reset()
{
    deleteMap(entries);
    bytesRead = 0;
    refused.clear();
}

bool SettingsReader::populateMap(SettingsTable& table, LineIter& pos, LineIter end,
                                 std::string_view terminator, int depth)
{
    for (; pos != end; ++pos) {
        std::string_view line = trimView(*pos);
        if (!line.empty() && line.front() == '#') {
            continue;
        }
        std::string_view key;
        std::string_view value;
        if (readKeyVal(line, key, value, "==")) {
            if (!readEntry(table, key, value, pos, end)) {
                return false;
            }
        } else if (readKeyVal(line, key, value, "??")) {
            // Deeper blocks than any real file needs are refused rather than
            // followed, so that reading and lookups stay within the stack.
            if (depth >= MAX_NESTING) {
                return false;
            }
            // The block's value names its selector key: never a path.
            SettingsNode& node = store(table, key, std::string(value), false);
            node.choices = std::make_unique<SettingsTable>();
            ++pos;
            const int pathBlock = &table == &entries && isPathKey(key) ? 1 : 0;
            pathBlocks += pathBlock;
            const bool read = populateMap(*node.choices, pos, end, value, depth + 1);
            pathBlocks -= pathBlock;
            if (!read) {
                return false;
            }
            if (pos == end) {
                return true;
            }
        } else if (line == terminator) {
            return true;
        }
    }
    return true;
}

bool SettingsReader::readEntry(SettingsTable& table, std::string_view key, std::string_view value,
                               LineIter& pos, LineIter end)
{
    if (!opensQuotedValue(value)) {
        store(table, key, std::string(stripOuterQuotes(value)));
        return true;
    }
    std::string text(value);
    if (!continueQuotedValue(text, pos, end)) {
        return false;
    }
    store(table, key, std::string(stripOuterQuotes(text)));
    return true;
}

SettingsNode& SettingsReader::store(SettingsTable& table, std::string_view key, std::string value,
                                    bool mayBePath)
{
    SettingsNode& node =
        table.store(key, mayBePath ? pathFromFile(table, key, std::move(value)) : std::move(value));
    if (startsWith(key, INCLUDE_PREFIX)) {
        pendingIncludes.emplace_back(key);
    }
    return node;
}

bool SettingsReader::isPathKey(std::string_view key) const
{
    return std::find(pathKeys.begin(), pathKeys.end(), key) != pathKeys.end();
}

std::string SettingsReader::pathFromFile(const SettingsTable& table, std::string_view key,
                                         std::string value) const
{
    if (folders.empty() || !(pathBlocks > 0 || (&table == &entries && isPathKey(key))) ||
        SettingsLookup::needsExpansion(value)) {
        return value;
    }
    return Files::UserPath::resolve(value, folders.back());
}

bool SettingsReader::readKeyVal(std::string_view line, std::string_view& key,
                                std::string_view& value, std::string_view separator)
{
    std::string_view::size_type at = line.find(separator);
    if (at == std::string_view::npos) {
        return false;
    }
    key = trimView(line.substr(0, at));
    std::string_view rest = line.substr(at + separator.size());
    if (!rest.empty()) {
        value = trimView(rest);
    }
    return true;
}

void SettingsReader::deleteMap(SettingsTable& table)
{
    table.clear();
}

} // namespace CFG
