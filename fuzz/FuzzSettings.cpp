// Fuzzing harness: arbitrary bytes read as settings files.
//
// The input is cut at every "%%%%" into up to five files, written into the
// harness's own scratch directory: an overrides file, a main settings file,
// its ".MOD" file, an extra settings file and an INI file. They are loaded
// the way the game loads its settings (overrides store, then the global
// store, then the extra files), includes and ".MOD" chains included; then
// the keys of both stores (the first 8 of each) are read back as text and
// as each kind of number. A setting that is no number and a refused operator
// are orderly outcomes; anything else (a crash, a sanitizer report, a hang,
// a read of a key that differs from the full lookup of it) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "CFG/ReportedError.h"
#include "CFG/SettingsLookup.h"
#include "ScratchDir.h"
#include "SilentReports.h"
#include "Util/StringHelpers.h"

namespace {

const char* const FILE_NAMES[] = {"SETTINGS_a.cfg", "a.cfg", "a.cfg.MOD", "b.cfg", "c.ini"};
const std::string FILE_SEPARATOR = "%%%%";
constexpr std::size_t MAX_KEYS_READ = 8;

void writeFiles(const ScratchDir& dir, const std::string& input)
{
    std::string::size_type start = 0;
    for (const char* name : FILE_NAMES) {
        std::string::size_type stop =
            start == std::string::npos ? std::string::npos : input.find(FILE_SEPARATOR, start);
        std::string content;
        if (start != std::string::npos) {
            content = input.substr(start, stop == std::string::npos ? stop : stop - start);
        }
        dir.put(name, content.data(), content.size());
        start = stop == std::string::npos ? stop : stop + FILE_SEPARATOR.size();
    }
}

// Loading may expand include keys, whose values may throw as any lookup can.
void load()
{
    try {
        CFG::Info* overrides = CFG::getDefaultOverrides();
        overrides->reset();
        overrides->addConfig(FILE_NAMES[0]);
        CFG::setConfig(FILE_NAMES[1]);
        CFG::addConfig(FILE_NAMES[3]);
        CFG::addConfig(FILE_NAMES[4]);
    } catch (const std::domain_error&) {
    } catch (const CFG::ReportedError&) {
    }
}

template <typename Read>
void orderly(Read read)
{
    try {
        read();
    } catch (const std::domain_error&) {
    } catch (const CFG::ReportedError&) {
    }
}

// A reference to key, "::key::", is expanded by the general path of a
// lookup (never the plain-value shortcut of get). The reference charges the
// key's own value to the text budget, which get does not, so only values
// well inside the budget are compared; a key that cannot be referenced
// (empty, with blanks or colons) is not compared either.
bool fullLookupDiffers(const CFG::Info& store, const std::string& key, const std::string& value)
{
    if (key.empty() || key.find_first_of(" \t\n\r:") != std::string::npos ||
        value.size() > CFG::SettingsLookup::TEXT_BUDGET / 4) {
        return false;
    }
    std::string full;
    orderly([&] { full = store.replaceKeys("::" + key + "::"); });
    return full.size() <= CFG::SettingsLookup::TEXT_BUDGET / 4 && full != value;
}

void readBack(const CFG::Info& store)
{
    std::vector<std::string> keys;
    store.keys(keys);
    // Every key's lookup may spend the whole lookup budget; reading a
    // bounded number of them per input keeps the fuzzer fast without losing
    // any path, since every key is read the same way.
    if (keys.size() > MAX_KEYS_READ) {
        keys.resize(MAX_KEYS_READ);
    }
    for (const std::string& key : keys) {
        orderly([&] {
            // Nothing is cached and nothing changes: the fast read of a plain
            // value must agree with the full lookup of the same key.
            std::string value = store.get(key);
            if (fullLookupDiffers(store, key, value)) {
                std::abort();
            }
            // Every conversion the typed reader makes, straight from the
            // value: a third lookup would only repeat the expansion.
            orderly([&] { Util::strToNum<int>(value); });
            orderly([&] { Util::strToNum<float>(value); });
            orderly([&] { Util::strToNum<unsigned int>(value); });
            orderly([&] { Util::strToNum<unsigned long>(value); });
        });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchDir dir;
    static const bool quiet = (silenceReports(), true);
    (void)quiet;
    std::string input(reinterpret_cast<const char*>(data), size);
    // Without a "/" every name an input can form stays inside the scratch
    // directory, so no input reaches files outside it.
    if (input.find('/') != std::string::npos) {
        return -1;
    }
    writeFiles(dir, input);
    load();
    readBack(*CFG::global());
    readBack(*CFG::getDefaultOverrides());
    CFG::global()->reset();
    CFG::getDefaultOverrides()->reset();
    return 0;
}
