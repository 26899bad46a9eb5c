#pragma once

#include "CFG/Info.h"

namespace CFG {

// The process-wide overrides store: no override layer of its own, asked
// first by every lookup in the global store. Made on first use, before the
// global store, and kept until the process ends.
Info* getDefaultOverrides();

} // namespace CFG
