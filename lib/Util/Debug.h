#pragma once

#include <fstream>
#include <ostream>

#include "Util/Singleton.h"

namespace Util {

// Holds the program's diagnostic streams. Every ABORT message goes to the
// error stream. The switch word and the two file streams are kept for
// tools that want them; the program itself never opens or reads them.
class Debug : public Singleton<Debug> {
public:
    Debug();

    unsigned int switches;
    std::ostream* out;
    std::ostream* err;
    std::ofstream logFile;
    std::ofstream traceFile;
};

} // namespace Util
