#pragma once

#include <string>
#include <string_view>

#include "CFG/Info.h"
#include "CFG/QuotedValue.h"
#include "CFG/SettingsLookup.h"
#include "CFG/SettingsReader.h"
#include "CFG/SettingsTable.h"

namespace CFG {

// The private part of Info: owns the store's table and joins its two
// halves, the file reader that fills it and the lookup that expands its
// values. The override layer is only borrowed. The store's operations are
// callable here as one object; each is done by the half it belongs to.
class Info::Impl {
public:
    using Node = SettingsNode;
    using Table = SettingsTable;

    explicit Impl(Info* overrides);
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    bool addConfig(const std::string& path) { return reader.addConfig(path); }
    bool populateMap(Table& table, LineIter& pos, LineIter end, std::string_view terminator,
                     int depth = 0)
    {
        return reader.populateMap(table, pos, end, terminator, depth);
    }
    static bool readKeyVal(std::string_view line, std::string_view& key, std::string_view& value,
                           std::string_view separator)
    {
        return SettingsReader::readKeyVal(line, key, value, separator);
    }
    static void deleteMap(Table& table) { SettingsReader::deleteMap(table); }
    bool addLine(const std::string& line, std::string_view terminator)
    {
        return reader.addLine(line, terminator);
    }
    void reset() { reader.reset(); }

    std::string get(const std::string& key) const { return lookup.get(key); }
    std::string replaceKeys(const std::string& text) const { return lookup.replaceKeys(text); }

    Table entries;
    Info* overrides;
    SettingsLookup lookup;
    SettingsReader reader;
};

} // namespace CFG
