#include "CFG/QuotedValue.h"

#include <cstring>

namespace CFG {

namespace {

constexpr std::string_view BLANKS = " \t\n\r";

} // namespace

std::string_view trimView(std::string_view text)
{
    std::string_view::size_type first = text.find_first_not_of(BLANKS);
    if (first == std::string_view::npos) {
        return std::string_view();
    }
    std::string_view::size_type last = text.find_last_not_of(BLANKS);
    return text.substr(first, last - first + 1);
}

std::string_view trimRightView(std::string_view text)
{
    std::string_view::size_type last = text.find_last_not_of(BLANKS);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

void splitLines(std::string_view text, LineList& lines)
{
    const char* pos = text.data();
    const char* const end = pos + text.size();
    while (pos != end) {
        const char* feed = static_cast<const char*>(std::memchr(pos, '\n', end - pos));
        const char* stop = feed == nullptr ? end : feed;
        if (stop != pos) {
            lines.emplace_back(pos, static_cast<std::size_t>(stop - pos));
        }
        pos = feed == nullptr ? end : feed + 1;
    }
}

bool opensQuotedValue(std::string_view value)
{
    if (value.empty() || value.front() != '"') {
        return false;
    }
    return value.size() == 1 || value.back() != '"';
}

namespace {

bool endsWith(const std::string& text, std::string_view suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

bool continueQuotedValue(std::string& value, LineIter& pos, LineIter end)
{
    while (true) {
        ++pos;
        if (pos == end) {
            return false;
        }
        if (endsWith(value, "\\")) {
            value.pop_back();
            if (endsWith(value, "\\n")) {
                value.replace(value.size() - 2, 2, "\n");
            }
        } else {
            value += '\n';
        }
        std::string_view line = trimRightView(*pos);
        value.append(line.data(), line.size());
        if (endsWith(value, "\"")) {
            return true;
        }
    }
}

std::string_view stripOuterQuotes(std::string_view value)
{
    std::string_view::size_type first = value.find_first_not_of('"');
    if (first == std::string_view::npos) {
        return std::string_view();
    }
    std::string_view::size_type last = value.find_last_not_of('"');
    return value.substr(first, last - first + 1);
}

} // namespace CFG
