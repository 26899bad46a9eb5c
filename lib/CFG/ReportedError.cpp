#include "CFG/ReportedError.h"

#include <ostream>

#include "Util/Abort.h"
#include "Util/Debug.h"

namespace CFG {

ReportedError::ReportedError(const std::string& message) : std::runtime_error(message) {}

void ReportedError::raise(const char* function, const char* file, int line,
                          const std::string& message)
{
    std::ostream& err = *Util::Singleton<Util::Debug>::instance().err;
    err << "ABORT: Func:" << function << " File:" << Util::abortSourcePath(file)
        << " Line: " << line << "\nABORT: " << message << std::endl;
    throw ReportedError(message);
}

} // namespace CFG
