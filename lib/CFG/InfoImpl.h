#pragma once

#include <sys/types.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CFG/Info.h"
#include "CFG/QuotedValue.h"

namespace CFG {

// The private part of Info: its tables, the reader that fills them from
// settings lines, and the lookup that expands stored values. Owns every
// node of every table; the override layer is only borrowed.
//
// Reading and lookups are bounded so that no input recurses without end:
// a file already being read further up is not read again, files and
// selection blocks nest at most MAX_NESTING deep, and a lookup that
// returns to a key it is still expanding, goes deeper than MAX_LOOKUP_DEPTH,
// or exceeds the budget of one outer lookup (LOOKUP_BUDGET lookups in all,
// those in the override layer included) reads as the empty string.
class Info::Impl {
public:
    struct Node;
    using Table = std::map<std::string, Node, std::less<>>;

    // A plain entry holds its value as read; a selection entry holds the
    // name of its selector key in value and owns its choices.
    struct Node {
        std::string value;
        std::unique_ptr<Table> choices;
    };

    static constexpr int MAX_NESTING = 64;
    static constexpr int MAX_LOOKUP_DEPTH = 64;
    static constexpr long LOOKUP_BUDGET = 10000;
    static constexpr std::size_t MAX_EXPANDED_SIZE = 16u << 20;

    explicit Impl(Info* overrides);

    bool addConfig(const std::string& path);
    // Reads lines from pos into table until terminator or the end of the
    // lines; pos is shared with the caller. False when a quoted value is
    // still open at the end, or selection blocks nest too deeply.
    bool populateMap(Table& table, LineIter& pos, LineIter end, std::string_view terminator,
                     int depth = 0);
    // False when separator is not in line; otherwise key is the trimmed text
    // before it and value, when text follows, the trimmed text after it.
    static bool readKeyVal(std::string_view line, std::string_view& key, std::string_view& value,
                           std::string_view separator);
    static void deleteMap(Table& table);
    bool addLine(const std::string& line, std::string_view terminator);

    std::string get(const std::string& key) const;
    std::string replaceKeys(const std::string& text) const;

    Table entries;
    Info* overrides;
    std::vector<std::string> pendingIncludes;

private:
    class LookupGuard;
    class FileGuard;

    bool readEntry(Table& table, std::string_view key, std::string_view value, LineIter& pos,
                   LineIter end);
    Node& store(Table& table, std::string_view key, std::string value);
    void noteInclude(std::string_view key);
    // Loads path and reads its own lines (converted first for an INI file);
    // false when it could not be loaded or converted. complete is the
    // result of reading the lines.
    bool readFileText(const std::string& path, bool& complete);
    void readPendingIncludes();

    std::string rawLookup(const Table& table, const std::string& name) const;
    std::string expand(std::string value) const;
    std::string evaluate(std::string_view afterPrefix) const;

    // Identities (device, inode) of the files being read, outermost first.
    std::vector<std::pair<dev_t, ino_t>> reading;
    // The keys this store is expanding for the outer get in progress.
    mutable std::vector<const std::string*> activeKeys;
};

} // namespace CFG
