#pragma once

// The shipped settings for the benchmarks that drive the whole game without
// a display (Tool::HeadlessVektra): the shipped vektra.cfg, then the given
// overrides.

#include <string>
#include <utility>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/InfoParser.h"

#ifndef VEKTRA_SOURCE_DIR
#error "VEKTRA_SOURCE_DIR must name the directory holding the shipped vektra.cfg"
#endif

namespace Bench {

using Overrides = std::vector<std::pair<std::string, std::string>>;

// The shipped vektra.cfg, for a Tool::HeadlessVektra built on it: the game
// as shipped, with whatever loadSettings put into the overrides store.
inline std::string shippedSettingsFile()
{
    return std::string(VEKTRA_SOURCE_DIR) + "/vektra.cfg";
}

// Loads the shipped settings into the global store and puts the overrides
// (alone) into the overrides store.
inline void loadSettings(const Overrides& overrides)
{
    CFG::getDefaultOverrides()->reset();
    CFG::setConfig(shippedSettingsFile());
    for (const auto& entry : overrides) {
        CFG::getDefaultOverrides()->add(entry.first, entry.second);
    }
}

inline int setting(const char* key)
{
    return CFG::parser()->getNumber<int>(key);
}

} // namespace Bench
