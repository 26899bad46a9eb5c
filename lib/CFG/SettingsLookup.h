#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "CFG/SettingsTable.h"

namespace CFG {

class Info;

// The lookup half of a settings store: finds a key's value (the override
// layer first, then the store's own table with its selection blocks) and
// expands it: "::KEY::" references, "EVAL:(" expressions and ">>"
// indirections. Nothing is cached: every get finds the key in the tables and
// expands its value anew. Reads the table and the override layer, owns
// neither.
//
// Every outer get (and every replaceKeys called from outside a get) has one
// budget, shared by every store it passes through: at most LOOKUP_BUDGET
// lookups, none deeper than MAX_LOOKUP_DEPTH, none of a key it is still
// expanding, at most TEXT_BUDGET bytes of stored values read (for other
// keys: references, selectors, indirections; the asked key's own value
// counts only when it has anything to expand, a plain value is returned as
// stored whatever its size), and at most EXPRESSION_BUDGET bytes of "EVAL:("
// expressions evaluated. A lookup, value or expression past the budget
// reads as the empty string. Since an expansion is made of the values it
// read, its result stays within TEXT_BUDGET plus one short number per
// expression, and one get within a few milliseconds whatever the store
// holds.
class SettingsLookup {
public:
    static constexpr int MAX_LOOKUP_DEPTH = 64;
#ifdef VEKTRA_FUZZ_LIMITS
    // Fuzzing builds take the same paths with smaller budgets, so that an
    // input that spends a whole budget costs the fuzzer little time.
    static constexpr long LOOKUP_BUDGET = 100;
    static constexpr std::size_t TEXT_BUDGET = std::size_t(64) << 10;
    static constexpr std::size_t EXPRESSION_BUDGET = std::size_t(2) << 10;
#else
    static constexpr long LOOKUP_BUDGET = 10000;
    static constexpr std::size_t TEXT_BUDGET = std::size_t(1) << 20;
    static constexpr std::size_t EXPRESSION_BUDGET = std::size_t(16) << 10;
#endif

    SettingsLookup(const SettingsTable& entries, const Info* overrides);
    SettingsLookup(const SettingsLookup&) = delete;
    SettingsLookup& operator=(const SettingsLookup&) = delete;

    std::string get(const std::string& key) const;
    std::string replaceKeys(const std::string& text) const;

    // True when value has anything to expand: a "::" reference mark, or an
    // "EVAL:(" or ">>" at its start. Any other value reads as stored.
    static bool needsExpansion(std::string_view value);

private:
    class KeyGuard;

    // False when key certainly reads as the empty string: the store has no
    // override layer and no entry for it.
    bool mayAnswer(const std::string& key, std::size_t hash) const;
    // The value a get of key returns when it needs no recursion: outside any
    // other lookup, the plain value of an override layer that is a plain
    // store, or else a plain entry with nothing to expand (or no entry);
    // anywhere, no value for a key the store certainly lacks. Null when the
    // whole lookup has to run. Inlined into get: it is most of a read.
    [[gnu::always_inline]] const std::string* plainValue(const std::string& key,
                                                         std::size_t hash) const;
    std::string expandedLookup(const std::string& key, std::size_t hash) const;
    // The value stored for name, the override layer first. own: name is
    // the key the outer get asked for, whose value is not charged.
    std::string rawLookup(const SettingsTable& table, const std::string& name, std::size_t hash,
                          bool own) const;
    std::string expand(std::string value) const;
    std::string evaluate(std::string_view afterPrefix) const;
    std::string replaceReferences(const std::string& text) const;

    const SettingsTable& entries;
    const Info* overrides;
    struct ActiveKey {
        const std::string* key;
        std::size_t hash;
    };
    // The keys this store is expanding for the outer get in progress.
    mutable std::vector<ActiveKey> activeKeys;
};

} // namespace CFG
