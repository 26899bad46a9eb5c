#include "CFG/Overrides.h"

namespace CFG {

Info* getDefaultOverrides()
{
    static Info overrides(nullptr);
    return &overrides;
}

} // namespace CFG
