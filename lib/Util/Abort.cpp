#include "Util/Abort.h"

#include <cstdlib>
#include <ostream>

#include "Util/Debug.h"

namespace Util {

std::string abortSourcePath(const char* file)
{
    std::string path(file);
    std::string::size_type start = path.rfind("/lib/");
    if (start != std::string::npos) {
        path.erase(0, start + 1);
    }
    std::string::size_type slash = path.rfind('/');
    std::string::size_type dot = path.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        path.erase(dot);
    }
    return path;
}

void abortProgram(const char* function, const char* file, int line, const std::string& message)
{
    std::ostream& err = *Singleton<Debug>::instance().err;
    err << "ABORT: Func:" << function << " File:" << abortSourcePath(file) << " Line: " << line
        << "\nABORT: " << message << std::endl;
    std::abort();
}

} // namespace Util
