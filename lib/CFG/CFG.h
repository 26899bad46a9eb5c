#pragma once

#include <string>

#include "CFG/Info.h"
#include "CFG/InfoParser.h"
#include "CFG/Overrides.h"

// Access to the process-wide global settings store, whose override layer is
// the overrides store (CFG::getDefaultOverrides()).
namespace CFG {

Info* global();

// Empties the global store, then reads path into it; whatever was read
// before a failure stays.
bool setConfig(const std::string& path);

// Reads path into the global store, keeping what is there.
bool addConfig(const std::string& path);

// The expanded value of key in the global store ("" when absent).
std::string get(const std::string& key);

// The typed reader of the global store.
InfoParser* parser();

} // namespace CFG
