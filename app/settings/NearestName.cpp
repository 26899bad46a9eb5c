#include "NearestName.h"

#include <algorithm>
#include <cctype>

namespace Tool {

namespace {

std::string upper(std::string text)
{
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// Beyond this many edits (two, or a third of the word) a name is no longer
// taken for a slip of the same one.
std::size_t closeEnough(const std::string& word)
{
    return std::max<std::size_t>(2, word.size() / 3);
}

} // namespace

std::size_t NearestName::distance(const std::string& a, const std::string& b)
{
    // Three rows of the edit table: two back, one back, this one.
    std::vector<std::size_t> before(b.size() + 1);
    std::vector<std::size_t> last(b.size() + 1);
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        last[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                row[j] = std::min(row[j], before[j - 2] + 1);
            }
        }
        before.swap(last);
        last.swap(row);
    }
    return last[b.size()];
}

std::string NearestName::find(const std::string& word, const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        if (upper(name) == upper(word)) {
            return name;
        }
    }
    const std::string* nearest = nullptr;
    std::size_t best = closeEnough(word) + 1;
    for (const std::string& name : names) {
        const std::size_t edits = distance(word, name);
        if (edits < best) {
            best = edits;
            nearest = &name;
        }
    }
    return nearest != nullptr ? *nearest : std::string();
}

std::string NearestName::hint(const std::string& word, const std::vector<std::string>& names)
{
    const std::string nearest = find(word, names);
    return nearest.empty() ? std::string() : " (did you mean " + nearest + "?)";
}

} // namespace Tool
