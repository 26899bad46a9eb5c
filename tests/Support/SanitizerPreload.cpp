#include "Support/SanitizerPreload.h"

#include <cstdio>
#include <map>

namespace TestSupport {

std::string sanitizerPreload(const std::string& program)
{
    static std::map<std::string, std::string> l_known;
    auto known = l_known.find(program);
    if (known != l_known.end()) {
        return known->second;
    }
    const std::string command = "bash -c '. \"$0\" && vektra_preload \"$1\"' '" VEKTRA_SOURCE_DIR
                                "/scripts/lib/xvfb.sh' '" +
                                program + "' 2>/dev/null";
    std::string preload;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            preload += buffer;
        }
        ::pclose(pipe);
    }
    while (!preload.empty() && (preload.back() == '\n' || preload.back() == ' ')) {
        preload.pop_back();
    }
    return l_known[program] = preload;
}

} // namespace TestSupport
