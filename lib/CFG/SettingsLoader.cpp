#include "CFG/SettingsLoader.h"

#include <algorithm>
#include <ostream>

#include "CFG/CFG.h"
#include "CFG/SettingsLookup.h"
#include "Files/Directory.h"
#include "Files/TextFile.h"
#include "Files/UserPath.h"
#include "Util/Debug.h"
#include "Util/StringHelpers.h"

namespace CFG {

namespace {

const char* const OVERRIDES_PREFIX = "SETTINGS_";
const char* const SEPARATOR = "==";

bool hasSeparator(const std::string& argument)
{
    return argument.find(SEPARATOR) != std::string::npos;
}

std::string mebibytes(std::uintmax_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

// One line per refused file; true when it was over a size limit.
bool reportProblem(const Info::FileProblem& problem)
{
    std::ostream& err = *Util::Singleton<Util::Debug>::instance().err;
    switch (problem.kind) {
    case Info::FileProblem::UNREADABLE:
        err << "Warning: settings file " << problem.path
            << " exists but cannot be read; it is skipped" << std::endl;
        return false;
    case Info::FileProblem::FILE_TOO_LARGE:
        err << "Settings file " << problem.path << " is larger than the limit of "
            << mebibytes(problem.limit) << " per file" << std::endl;
        return true;
    case Info::FileProblem::TOTAL_TOO_LARGE:
        err << "Settings file " << problem.path << " takes the settings read past the limit of "
            << mebibytes(problem.limit) << " in all" << std::endl;
        return true;
    }
    return false;
}

// Reports, at each call, the files the two stores refused since the last
// call.
class ProblemReport {
public:
    ProblemReport() : stores{getDefaultOverrides(), global()}
    {
        for (int i = 0; i < 2; ++i) {
            marks[i] = stores[i]->fileProblems().size();
        }
    }

    // True when a new record was a file over a size limit.
    bool tooLarge()
    {
        for (int i = 0; i < 2; ++i) {
            const std::vector<Info::FileProblem>& problems = stores[i]->fileProblems();
            for (std::size_t k = marks[i]; k < problems.size(); ++k) {
                if (reportProblem(problems[k])) {
                    return true;
                }
            }
            marks[i] = problems.size();
        }
        return false;
    }

    // The global store was reset: its record starts anew.
    void globalReset() { marks[1] = 0; }

private:
    const Info* stores[2];
    std::size_t marks[2];
};

} // namespace

SettingsLoader::SettingsLoader(std::string mainFile, std::vector<std::string> pathKeys)
    : mainFile(std::move(mainFile)), pathKeys(std::move(pathKeys))
{
}

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
    overrides->setPathKeys(pathKeys);
    global()->setPathKeys(pathKeys);
    ProblemReport report;
    overrides->addConfig(overridesFile);
    overrides->add("SETTINGS_FILE", overridesFile);
    if (report.tooLarge()) {
        return FILE_TOO_LARGE;
    }

    setConfig(mainFile);
    report.globalReset();
    if (report.tooLarge()) {
        return FILE_TOO_LARGE;
    }

    if (next < args.size() && !hasSeparator(args[next]) && Util::endswith(args[next], ".cfg")) {
        if (Files::TextFile::size(args[next]) == 0) {
            return MISSING_EXTRA_FILE;
        }
        addConfig(args[next]);
        if (report.tooLarge()) {
            return FILE_TOO_LARGE;
        }
        ++next;
    }

    for (; next < args.size(); ++next) {
        applyOverride(args[next]);
    }
    return GO_ON;
}

void SettingsLoader::applyOverride(const std::string& argument) const
{
    if (!argument.empty() && argument.front() == '-') {
        return;
    }
    std::vector<std::string> pieces;
    if (Util::splitString(argument, SEPARATOR, pieces, true, true) != 2) {
        return;
    }
    std::string& value = pieces[1];
    if (std::find(pathKeys.begin(), pathKeys.end(), pieces[0]) != pathKeys.end() &&
        !SettingsLookup::needsExpansion(value)) {
        value = Files::UserPath::resolve(value, Files::UserPath::startFolder());
    }
    getDefaultOverrides()->add(pieces[0], value);
}

} // namespace CFG
