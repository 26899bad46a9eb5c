#include "Support/GlobalStateGuard.h"

#include "CFG/CFG.h"
#include "Util/Debug.h"

namespace TestSupport {

namespace {

void emptyStores()
{
    CFG::getDefaultOverrides()->reset();
    CFG::global()->reset();
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
