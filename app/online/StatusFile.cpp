#include "StatusFile.h"

#include <cstdio>
#include <fstream>

namespace Online {

bool writeStatusFile(const std::string& path, const std::string& line)
{
    const std::string temporary = path + ".tmp";
    std::ofstream out(temporary, std::ios::trunc);
    out << line << '\n';
    out.close();
    return out && std::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace Online
