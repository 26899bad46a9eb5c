// Fuzzing harness: arbitrary bytes as INI text, converted directly and read
// as an INI settings file from the harness's scratch directory. Every
// converted line must be a settings entry in double quotes; every key of
// the read store is then read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "CFG/INItoCFG.h"
#include "CFG/Info.h"
#include "CFG/ReportedError.h"
#include "ScratchDir.h"
#include "SilentReports.h"

namespace
{

void checkConverted(const std::string& text)
{
    std::vector<std::string> lines{"kept"};
    CFG::INItoCFG(text, lines);
    if (lines.empty() || lines.front() != "kept") {
        std::abort(); // the conversion appends, never replaces
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find("==") == std::string::npos || line.size() < 4 || line.back() != '"') {
            std::abort();
        }
    }
    if (text.find('=') == std::string::npos && lines.size() != 1) {
        std::abort(); // no value line, nothing to convert
    }
}

void readAsFile(const ScratchDir& dir, const std::string& text)
{
    dir.put("x.INI", text.data(), text.size());
    CFG::Info store(nullptr);
    try {
        store.addConfig("x.INI");
        std::vector<std::string> keys;
        store.keys(keys);
        for (const std::string& key : keys) {
            store.get(key);
        }
    } catch (const std::domain_error&) {
    } catch (const CFG::ReportedError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchDir dir;
    static const bool quiet = (silenceReports(), true);
    (void)quiet;
    std::string text(reinterpret_cast<const char*>(data), size);
    checkConverted(text);
    // Names with a "/" could leave the scratch directory through an include.
    if (text.find('/') == std::string::npos) {
        readAsFile(dir, text);
    }
    return 0;
}
