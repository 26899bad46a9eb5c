#pragma once

#include <string>
#include <vector>

namespace Tool {

// The known name nearest to a mistyped one, for a hint: the same name in
// another case first, else the name fewest edits away (a character added,
// dropped, changed, or two neighbours swapped), when that is close enough
// to be the one meant. Stateless.
class NearestName {
public:
    // The nearest of names, or "" when none is close enough.
    static std::string find(const std::string& word, const std::vector<std::string>& names);
    // " (did you mean NAME?)" for the nearest name, or "" without one.
    static std::string hint(const std::string& word, const std::vector<std::string>& names);
    // Edits between a and b (optimal string alignment distance).
    static std::size_t distance(const std::string& a, const std::string& b);
};

} // namespace Tool
