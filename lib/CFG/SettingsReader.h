#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CFG/Info.h"
#include "CFG/QuotedValue.h"
#include "CFG/SettingsTable.h"

namespace CFG {

class SettingsLookup;

// The reading half of a settings store: turns settings files into entries
// of its table (selection blocks, quoted values over several lines, the
// ".MOD" companion, include keys, INI conversion). Include keys are expanded
// through the store's lookup. Fills the table, owns neither it nor the
// lookup; owns the record of files it refused.
//
// Reading is bounded so that no input recurses without end or fills memory:
// a file already being read further up is not read again, files and
// selection blocks nest at most MAX_NESTING deep, a file larger than
// MAX_FILE_SIZE is refused, and so is a file that would take the bytes read
// since the last reset past MAX_TOTAL_SIZE.
class SettingsReader {
public:
    static constexpr int MAX_NESTING = 64;
    static constexpr std::uintmax_t MAX_FILE_SIZE = std::uintmax_t(16) << 20;
    static constexpr std::uintmax_t MAX_TOTAL_SIZE = std::uintmax_t(64) << 20;

    SettingsReader(SettingsTable& entries, const SettingsLookup& lookup);
    SettingsReader(const SettingsReader&) = delete;
    SettingsReader& operator=(const SettingsReader&) = delete;

    // Reads path, then path + ".MOD", then the files its include keys name.
    // False when path cannot be read, is refused or is malformed.
    bool addConfig(const std::string& path);
    // Reads lines from pos into table until terminator or the end of the
    // lines; pos is shared with the caller. False when a quoted value is
    // still open at the end, or selection blocks nest too deeply.
    bool populateMap(SettingsTable& table, LineIter& pos, LineIter end, std::string_view terminator,
                     int depth = 0);
    // False when separator is not in line; otherwise key is the trimmed text
    // before it and value, when text follows, the trimmed text after it.
    static bool readKeyVal(std::string_view line, std::string_view& key, std::string_view& value,
                           std::string_view separator);
    static void deleteMap(SettingsTable& table);
    bool addLine(const std::string& line, std::string_view terminator);

    // Empties the table and forgets the bytes read and the files refused.
    void reset();
    // See Info::setPathKeys.
    void setPathKeys(std::vector<std::string> keys) { pathKeys = std::move(keys); }
    const std::vector<Info::FileProblem>& problems() const { return refused; }

private:
    class FileGuard;

    bool readEntry(SettingsTable& table, std::string_view key, std::string_view value,
                   LineIter& pos, LineIter end);
    SettingsNode& store(SettingsTable& table, std::string_view key, std::string value,
                        bool mayBePath = true);
    bool isPathKey(std::string_view key) const;
    // value as it points from the folder of the file being read, when key's
    // values are paths (or a path block's choices are being read).
    std::string pathFromFile(const SettingsTable& table, std::string_view key,
                             std::string value) const;
    // Loads path and reads its own lines (converted first for an INI file);
    // false when it could not be loaded or converted. complete is the
    // result of reading the lines.
    bool readFileText(const std::string& path, bool& complete);
    // The file's text with line feeds as its only line ends; false, noting
    // why when the file exists, when it cannot be used.
    bool loadText(const std::string& path, std::string& text);
    void refuse(const std::string& path, Info::FileProblem::Kind kind, std::uintmax_t limit);
    void readPendingIncludes();

    SettingsTable& entries;
    const SettingsLookup& lookup;
    std::vector<std::string> pendingIncludes;
    // Identities (device, inode) of the files being read, outermost first.
    std::vector<std::pair<dev_t, ino_t>> reading;
    std::uintmax_t bytesRead = 0;
    std::vector<Info::FileProblem> refused;
    std::vector<std::string> pathKeys;
    // The real folder of each file being read, outermost first (kept only
    // while there are path keys).
    std::vector<std::string> folders;
    // Depth of the path key's selection blocks being read; 0 outside them.
    int pathBlocks = 0;
};

} // namespace CFG
