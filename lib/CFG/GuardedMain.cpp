#include "CFG/GuardedMain.h"

#include <ostream>
#include <stdexcept>

#include "CFG/ReportedError.h"
#include "Util/Debug.h"

namespace CFG {

namespace {

constexpr int SETTINGS_ERROR_EXIT = 2;

std::ostream& errorStream()
{
    return *Util::Singleton<Util::Debug>::instance().err;
}

} // namespace

int guardedMain(const std::function<int()>& body)
{
    try {
        return body();
    } catch (const ReportedError&) {
        // Its two report lines are out already; another line would only confuse.
        return SETTINGS_ERROR_EXIT;
    } catch (const std::exception& error) {
        errorStream() << error.what() << std::endl;
        return SETTINGS_ERROR_EXIT;
    }
}

} // namespace CFG
