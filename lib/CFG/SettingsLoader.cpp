#include "CFG/SettingsLoader.h"

#include "CFG/CFG.h"
#include "Files/Directory.h"
#include "Files/TextFile.h"
#include "Util/StringHelpers.h"

namespace CFG {

namespace {

const char* const OVERRIDES_PREFIX = "SETTINGS_";
const char* const SEPARATOR = "==";

bool hasSeparator(const std::string& argument)
{
    return argument.find(SEPARATOR) != std::string::npos;
}

} // namespace

SettingsLoader::SettingsLoader(std::string mainFile) : mainFile(std::move(mainFile)) {}

std::string SettingsLoader::defaultOverridesFile(const std::string& mainFile)
{
    return Files::Directory::dirname(mainFile) + OVERRIDES_PREFIX +
           Files::Directory::basename(mainFile);
}

int SettingsLoader::load(int argc, const char* const* argv) const
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return load(args);
}

int SettingsLoader::load(const std::vector<std::string>& args) const
{
    std::size_t next = 0;
    std::string overridesFile = defaultOverridesFile(mainFile);
    if (!args.empty() && !hasSeparator(args[0]) && Util::startswith(args[0], OVERRIDES_PREFIX)) {
        overridesFile = args[0];
        next = 1;
    }

    Info* overrides = getDefaultOverrides();
    overrides->addConfig(overridesFile);
    overrides->add("SETTINGS_FILE", overridesFile);

    setConfig(mainFile);

    if (next < args.size() && !hasSeparator(args[next]) && Util::endswith(args[next], ".cfg")) {
        if (Files::TextFile::size(args[next]) == 0) {
            return MISSING_EXTRA_FILE;
        }
        addConfig(args[next]);
        ++next;
    }

    for (; next < args.size(); ++next) {
        applyOverride(args[next]);
    }
    return GO_ON;
}

void SettingsLoader::applyOverride(const std::string& argument)
{
    if (!argument.empty() && argument.front() == '-') {
        return;
    }
    std::vector<std::string> pieces;
    if (Util::splitString(argument, SEPARATOR, pieces, true, true) == 2) {
        getDefaultOverrides()->add(pieces[0], pieces[1]);
    }
}

} // namespace CFG
