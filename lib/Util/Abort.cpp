#include "Util/Abort.h"

#include <cstdlib>
#include <ostream>

#include "Util/Debug.h"

namespace Util {

namespace {

const char* const TREE_FOLDER = "/lib/";
const char* const INSTALLED_FOLDER = "/include/vektra/";

} // namespace

std::string abortSourcePath(const char* file)
{
    std::string path(file);
    const std::string::size_type tree = path.rfind(TREE_FOLDER);
    const std::string::size_type installed = path.rfind(INSTALLED_FOLDER);
    if (installed != std::string::npos && (tree == std::string::npos || installed > tree)) {
        path.replace(0, installed + std::string(INSTALLED_FOLDER).size(), "lib/");
    } else if (tree != std::string::npos) {
        path.erase(0, tree + 1);
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
