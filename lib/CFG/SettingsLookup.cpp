#include "CFG/SettingsLookup.h"

#include <typeinfo>

#include "CFG/Calculator.h"
#include "CFG/Info.h"
#include "CFG/InfoImpl.h"
#include "Util/StringHelpers.h"

namespace CFG {

namespace {

constexpr std::string_view EVAL_PREFIX = "EVAL:(";
constexpr std::string_view INDIRECTION_PREFIX = ">>";
constexpr std::string_view REFERENCE_MARK = "::";

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool isReferenceName(std::string_view name)
{
    return !name.empty() && name.find_first_of(" \t\n\r") == std::string_view::npos;
}

// The budget of the outer lookup in progress, shared by every store it
// reaches: a store's override layer is another store, and a budget of its
// own, renewed at each call from the store above, would multiply with every
// layer (10,000 lookups above, each spending 10,000 below).
struct LookupBudget {
    int depth = 0;
    long lookupsLeft = 0;
    std::size_t textLeft = 0;
    std::size_t expressionLeft = 0;
    // The key the outer get asked for; the override layer is asked for the
    // very same string object.
    const std::string* ownKey = nullptr;
};

LookupBudget& lookupBudget()
{
    static thread_local LookupBudget budget;
    return budget;
}

// Spends bytes of a budget; false, spending nothing, when they do not fit.
bool spend(std::size_t& left, std::size_t bytes)
{
    if (bytes > left) {
        return false;
    }
    left -= bytes;
    return true;
}

bool spendText(std::size_t bytes)
{
    return spend(lookupBudget().textLeft, bytes);
}

// What a key that no store holds reads as (made on first use, so that a
// get during another file's static start-up finds it).
const std::string* noValue()
{
    static const std::string NO_VALUE;
    return &NO_VALUE;
}

} // namespace

bool SettingsLookup::needsExpansion(std::string_view value)
{
    if (startsWith(value, EVAL_PREFIX) || startsWith(value, INDIRECTION_PREFIX)) {
        return true;
    }
    // Every stored value is looked through once; most are a few characters,
    // shorter than a library search takes to start.
    constexpr std::size_t SHORT_VALUE = 32;
    if (value.size() > SHORT_VALUE) {
        return value.find(REFERENCE_MARK) != std::string_view::npos;
    }
    for (std::size_t at = 1; at < value.size(); ++at) {
        if (value[at] == REFERENCE_MARK[1] && value[at - 1] == REFERENCE_MARK[0]) {
            return true;
        }
    }
    return false;
}

namespace {

// Marks one level of lookup in progress; the outermost level renews the
// budget for everything below it.
class BudgetLevel {
public:
    explicit BudgetLevel(const std::string* key)
    {
        LookupBudget& budget = lookupBudget();
        if (budget.depth == 0) {
            budget.lookupsLeft = SettingsLookup::LOOKUP_BUDGET;
            budget.textLeft = SettingsLookup::TEXT_BUDGET;
            budget.expressionLeft = SettingsLookup::EXPRESSION_BUDGET;
            budget.ownKey = key;
        }
        ++budget.depth;
    }
    ~BudgetLevel() { --lookupBudget().depth; }
    BudgetLevel(const BudgetLevel&) = delete;
    BudgetLevel& operator=(const BudgetLevel&) = delete;
};

} // namespace

// Admits the lookup of one key when it is within the budget and not already
// being expanded by this store, so that a key that leads back to itself, a
// chain that goes too deep, or an expansion that multiplies without end
// reads as the empty string instead of recursing.
class SettingsLookup::KeyGuard {
public:
    KeyGuard(const SettingsLookup& lookup, const std::string& key, std::size_t hash)
        : lookup(lookup)
    {
        std::vector<ActiveKey>& active = lookup.activeKeys;
        LookupBudget& budget = lookupBudget();
        if (active.size() >= static_cast<std::size_t>(MAX_LOOKUP_DEPTH) ||
            budget.lookupsLeft <= 0) {
            return;
        }
        // Hashes first: a deep chain compares every key with every key
        // above it, and most of those comparisons then cost nothing.
        for (const ActiveKey& other : active) {
            if (other.hash == hash && *other.key == key) {
                return;
            }
        }
        --budget.lookupsLeft;
        active.push_back(ActiveKey{&key, hash});
        admitted = true;
    }
    ~KeyGuard()
    {
        if (admitted) {
            lookup.activeKeys.pop_back();
        }
    }
    KeyGuard(const KeyGuard&) = delete;
    KeyGuard& operator=(const KeyGuard&) = delete;

    const SettingsLookup& lookup;
    bool admitted = false;
};

SettingsLookup::SettingsLookup(const SettingsTable& entries, const Info* overrides)
    : entries(entries), overrides(overrides)
{
}

std::string SettingsLookup::get(const std::string& key) const
{
    const std::size_t hash = SettingsTable::hashOf(key);
    if (const std::string* value = plainValue(key, hash)) {
        return *value;
    }
    return expandedLookup(key, hash);
}

inline bool SettingsLookup::mayAnswer(const std::string& key, std::size_t hash) const
{
    return overrides != nullptr || entries.find(key, hash) != nullptr;
}

inline const std::string* SettingsLookup::plainValue(const std::string& key, std::size_t hash) const
{
    // A key absent from a store with no override layer reads as the empty
    // string whatever budget is left, so it costs none: this is what a store
    // asks its override layer at every lookup. Any other lookup inside
    // another one counts against that one's budget.
    if (lookupBudget().depth != 0) {
        return mayAnswer(key, hash) ? nullptr : noValue();
    }
    if (overrides != nullptr) {
        // Only a plain store's answer is known without asking it (the exact
        // type: a derived store may answer otherwise), and only when it has
        // no layer of its own. Its plain value is what its get would return;
        // a value it lacks or holds empty leaves the answer to this store.
        // The key's hash serves both stores.
        if (typeid(*overrides) != typeid(Info)) {
            return nullptr;
        }
        const SettingsLookup& layer = overrides->impl->lookup;
        if (layer.overrides != nullptr) {
            return nullptr;
        }
        if (const SettingsNode* answer = layer.entries.find(key, hash)) {
            if (answer->choices || answer->expands) {
                return nullptr;
            }
            if (!answer->value.empty()) {
                return &answer->value;
            }
        }
    }
    const SettingsNode* node = entries.find(key, hash);
    if (node == nullptr) {
        return noValue();
    }
    return node->choices || node->expands ? nullptr : &node->value;
}

std::string SettingsLookup::expandedLookup(const std::string& key, std::size_t hash) const
{
    BudgetLevel level(&key);
    KeyGuard guard(*this, key, hash);
    if (!guard.admitted) {
        return std::string();
    }
    const bool own = lookupBudget().ownKey == &key;
    std::string value = rawLookup(entries, key, hash, own);
    // A value with nothing to expand is its own expansion.
    if (!needsExpansion(value)) {
        return value;
    }
    // The asked key's own value was not charged when it was read; expanding
    // it is work in proportion to its size, so then it counts.
    if (own && !spendText(value.size())) {
        return std::string();
    }
    return expand(std::move(value));
}

std::string SettingsLookup::replaceKeys(const std::string& text) const
{
    BudgetLevel level(nullptr);
    return replaceReferences(text);
}

std::string SettingsLookup::rawLookup(const SettingsTable& table, const std::string& name,
                                      std::size_t hash, bool own) const
{
    if (overrides != nullptr) {
        std::string answer = overrides->get(name);
        if (!answer.empty()) {
            return answer;
        }
    }
    const SettingsNode* node = table.find(name, hash);
    if (node == nullptr) {
        return std::string();
    }
    if (!node->choices) {
        return own || spendText(node->value.size()) ? node->value : std::string();
    }
    const std::string selected = get(node->value);
    std::string choice = rawLookup(*node->choices, selected, SettingsTable::hashOf(selected), own);
    if (choice.empty()) {
        static const std::string DEFAULT_CHOICE = "*";
        static const std::size_t DEFAULT_CHOICE_HASH = SettingsTable::hashOf(DEFAULT_CHOICE);
        choice = rawLookup(*node->choices, DEFAULT_CHOICE, DEFAULT_CHOICE_HASH, own);
    }
    return choice;
}

std::string SettingsLookup::expand(std::string value) const
{
    value = replaceReferences(value);
    if (startsWith(value, EVAL_PREFIX)) {
        return evaluate(std::string_view(value).substr(EVAL_PREFIX.size()));
    }
    if (startsWith(value, INDIRECTION_PREFIX)) {
        return get(value.substr(INDIRECTION_PREFIX.size()));
    }
    return value;
}

std::string SettingsLookup::evaluate(std::string_view text) const
{
    int depth = 1;
    std::string_view::size_type close = 0;
    for (; close < text.size(); ++close) {
        depth += text[close] == '(' ? 1 : text[close] == ')' ? -1 : 0;
        if (depth == 0) {
            break;
        }
    }
    std::string_view expression = text.substr(0, close);
    std::string_view remainder = close < text.size() ? text.substr(close + 1) : std::string_view();
    if (!spend(lookupBudget().expressionLeft, expression.size())) {
        return std::string();
    }
    Calculator calculator{std::string(expression)};
    std::string result = Util::numToStr<float>(calculator.parse(), 10, 0);
    result.append(remainder.data(), remainder.size());
    return result;
}

std::string SettingsLookup::replaceReferences(const std::string& text) const
{
    std::string::size_type open = text.find(REFERENCE_MARK);
    if (open == std::string::npos) {
        return text;
    }
    std::string out(text, 0, open);
    // open is always the position of a "::" that starts a name piece.
    while (true) {
        std::string::size_type nameStart = open + REFERENCE_MARK.size();
        std::string::size_type close = text.find(REFERENCE_MARK, nameStart);
        if (close == std::string::npos) {
            out.append(text, open, std::string::npos);
            return out;
        }
        std::string name(text, nameStart, close - nameStart);
        if (isReferenceName(name)) {
            // What a reference puts in place is made of values already
            // charged, so the text budget bounds it too.
            out += get(name);
        } else {
            out.append(text, open, close + REFERENCE_MARK.size() - open);
        }
        std::string::size_type textStart = close + REFERENCE_MARK.size();
        open = text.find(REFERENCE_MARK, textStart);
        out.append(text, textStart,
                   open == std::string::npos ? std::string::npos : open - textStart);
        if (open == std::string::npos) {
            return out;
        }
    }
}

} // namespace CFG
