#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace CFG {

struct SettingsNode;

// The entries of one settings store or of one selection block, by key in
// ascending byte order.
using SettingsTable = std::map<std::string, SettingsNode, std::less<>>;

// One entry of a settings table. A plain entry holds its value as read; a
// selection entry holds the name of its selector key in value and owns its
// choices.
struct SettingsNode {
    std::string value;
    std::unique_ptr<SettingsTable> choices;
};

} // namespace CFG
