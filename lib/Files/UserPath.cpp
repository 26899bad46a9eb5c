#include "Files/UserPath.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace Files {

std::string UserPath::resolve(const std::string& path, const std::string& folder)
{
    if (path.compare(0, 2, "~/") == 0) {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            return path;
        }
        return std::string(home) + path.substr(1);
    }
    if (path.empty() || path.front() == '/' || folder.empty()) {
        return path;
    }
    return folder.back() == '/' ? folder + path : folder + "/" + path;
}

std::string UserPath::startFolder()
{
    const char* started = std::getenv(START_FOLDER_VARIABLE);
    if (started != nullptr && *started == '/') {
        return started;
    }
    char here[PATH_MAX];
    return getcwd(here, sizeof here) != nullptr ? here : "";
}

std::string UserPath::realFolder(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) {
        return "";
    }
    std::string file(real);
    std::free(real);
    const std::string::size_type slash = file.rfind('/');
    return slash == 0 ? "/" : file.substr(0, slash);
}

} // namespace Files
