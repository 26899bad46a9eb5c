#include "SettingsCheck.h"

#include <algorithm>
#include <ostream>
#include <set>

#include "CFG/CFG.h"
#include "CFG/SettingsLoader.h"
#include "NearestName.h"
#include "Util/Debug.h"
#include "Util/StringHelpers.h"

namespace Tool {

namespace {

bool walks(const SettingRule& rule, unsigned program)
{
    if (program == SettingRule::SIMULATOR) {
        return (rule.flags & SettingRule::GAME) != 0 &&
               (rule.flags & SettingRule::SIMULATOR_SETS) == 0;
    }
    return (rule.flags & program) != 0;
}

// The keys a value names: "::KEY::" references anywhere in it, and the key
// after a leading ">>".
void referencedKeys(const std::string& value, std::set<std::string>& keys)
{
    if (Util::startswith(value, ">>")) {
        keys.insert(Util::trim(value.substr(2)));
    }
    for (std::size_t open = value.find("::"); open != std::string::npos;) {
        const std::size_t close = value.find("::", open + 2);
        if (close == std::string::npos) {
            break;
        }
        keys.insert(value.substr(open + 2, close - open - 2));
        open = value.find("::", close + 2);
    }
}

// Keys that need not be read to be meant: selectors, referenced keys and
// those "GLOBAL_KEYS" lists.
std::set<std::string> namedKeys(const std::vector<const CFG::Info*>& stores)
{
    std::set<std::string> keys;
    for (const CFG::Info* store : stores) {
        store->visitValues([&](const std::string& value, bool selector) {
            if (selector) {
                keys.insert(value);
            } else {
                referencedKeys(value, keys);
            }
        });
    }
    std::vector<std::string> listed;
    Util::splitString(CFG::get("GLOBAL_KEYS"), ",", listed);
    keys.insert(listed.begin(), listed.end());
    return keys;
}

// The names a misspelt key is compared with: every key, a seat family's for
// its first seats.
std::vector<std::string> hintNames()
{
    std::vector<std::string> names;
    for (const SettingRule& rule : settingRules()) {
        if (!rule.isFamily()) {
            names.emplace_back(rule.key);
            continue;
        }
        // A seat family's first four ("INFO_" keys are never warned about).
        const int last = rule.highest != 0 ? rule.highest : rule.lowest + 3;
        for (int n = rule.lowest; rule.lowest > 0 && n <= last; ++n) {
            names.push_back(rule.keyFor(n));
        }
    }
    return names;
}

} // namespace

std::vector<SettingProblem> SettingsCheck::run(unsigned program, bool stopAtRefusal)
{
    RuleRun run(program);
    for (const SettingRule& rule : settingRules()) {
        if (!walks(rule, program)) {
            continue;
        }
        run.setRule(rule);
        rule.check(rule, run);
        if (stopAtRefusal && run.refused()) {
            break;
        }
    }
    return run.getProblems();
}

std::vector<SettingProblem> SettingsCheck::unknownKeys()
{
    const std::vector<const CFG::Info*> stores = {CFG::getDefaultOverrides(), CFG::global()};
    const std::set<std::string> named = namedKeys(stores);
    static const std::vector<std::string> NAMES = hintNames();
    std::set<std::string> seen;
    std::vector<SettingProblem> problems;
    for (const CFG::Info* store : stores) {
        std::vector<std::string> keys;
        store->keys(keys);
        for (const std::string& key : keys) {
            if (key.empty() || isSettingKey(key) || named.count(key) != 0 ||
                Util::startswith(key, "<INCLUDE") || Util::startswith(key, "INFO_") ||
                !seen.insert(key).second) {
                continue;
            }
            problems.push_back(
                {key, key + ": not a setting Vektra reads" + NearestName::hint(key, NAMES), false,
                 false});
        }
    }
    return problems;
}

int SettingsCheck::atStartUp(unsigned program)
{
    std::ostream& err = *Util::Debug::instance().err;
    for (const SettingProblem& problem : run(program, true)) {
        if (program == SettingRule::GAME && problem.quietInGame) {
            continue;
        }
        err << problem.message << std::endl;
        if (problem.refused) {
            return REFUSED;
        }
    }
    return CFG::SettingsLoader::GO_ON;
}

int SettingsCheck::gameStartUp()
{
    return atStartUp(SettingRule::GAME);
}

int SettingsCheck::simulatorStartUp()
{
    return atStartUp(SettingRule::SIMULATOR);
}

} // namespace Tool
