#include "Support/GlobalStateGuard.h"

#include "CFG/CFG.h"
#include "Util/Debug.h"

namespace TestSupport {

namespace {

// Emptied, and no key read as a path, as when the process began.
void emptyStores()
{
    for (CFG::Info* store : {CFG::getDefaultOverrides(), CFG::global()}) {
        store->reset();
        store->setPathKeys({});
    }
}

} // namespace

GlobalStateGuard::GlobalStateGuard()
    : savedOut(Util::Debug::instance().out), savedErr(Util::Debug::instance().err)
{
    emptyStores();
    capture(true);
}

GlobalStateGuard::~GlobalStateGuard()
{
    capture(false);
    emptyStores();
}

void GlobalStateGuard::capture(bool on)
{
    Util::Debug::instance().out = on ? &out : savedOut;
    Util::Debug::instance().err = on ? &err : savedErr;
}

} // namespace TestSupport
