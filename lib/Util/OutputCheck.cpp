#include "Util/OutputCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace Util {

bool OutputCheck::standardOutputWritten(const char* program)
{
    errno = 0;
    std::cout.flush();
    const bool streamFailed = !std::cout;
    const bool fileFailed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!streamFailed && !fileFailed) {
        return true;
    }
    const std::string reason = errno != 0 ? std::strerror(errno) : "write error";
    std::cerr << program << ": cannot write the output: " << reason << std::endl;
    return false;
}

} // namespace Util
