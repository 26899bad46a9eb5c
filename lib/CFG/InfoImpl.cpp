#include "CFG/InfoImpl.h"

namespace CFG {

Info::Impl::Impl(Info* overrides)
    : overrides(overrides), lookup(entries, overrides), reader(entries, lookup)
{
}

} // namespace CFG
