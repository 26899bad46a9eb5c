#include "RuleRun.h"

#include <sstream>

#include "CFG/ReportedError.h"
#include "Util/StringHelpers.h"

namespace Tool {

bool RuleRun::judge(const std::string& key, const std::function<void(std::ostream& notes)>& body)
{
    std::ostringstream notes;
    try {
        body(notes);
    } catch (const CFG::ReportedError&) {
        throw;
    } catch (const std::exception& error) {
        problems.push_back({key, error.what(), true, false});
        return false;
    }
    const bool quiet = current != nullptr && (current->flags & SettingRule::CLASSIC) != 0;
    std::vector<std::string> lines;
    Util::splitString(notes.str(), "\n", lines);
    for (const std::string& line : lines) {
        problems.push_back({key, line, false, quiet});
    }
    return true;
}

bool RuleRun::refused() const
{
    for (const SettingProblem& problem : problems) {
        if (problem.refused) {
            return true;
        }
    }
    return false;
}

} // namespace Tool
