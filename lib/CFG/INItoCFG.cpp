#include "CFG/INItoCFG.h"

#include "CFG/Info.h"
#include "CFG/QuotedValue.h"

namespace CFG {

std::string sectionKeySeparator()
{
    return "::";
}

std::string stringTypePostfix()
{
    return ":STR";
}

std::string numberTypePostfix()
{
    return ":NUM";
}

namespace {

std::string_view sectionName(std::string_view header)
{
    std::string_view name = header.substr(1);
    std::string_view::size_type close = name.find(']');
    return trimView(close == std::string_view::npos ? name : name.substr(0, close));
}

void appendConverted(std::vector<std::string>& lines, std::string_view prefix, std::string_view key,
                     std::string_view value)
{
    std::string_view postfix = !value.empty() && value.front() == '"' ? ":STR" : ":NUM";
    std::string_view bare = stripOuterQuotes(value);
    const char* separator = Info::keyValueSeparator();
    std::string line;
    line.reserve(prefix.size() + key.size() + postfix.size() + bare.size() + 6);
    line.append(prefix).append(key).append(postfix).append(separator);
    line.append(1, '"').append(bare).append(1, '"');
    lines.push_back(std::move(line));
}

} // namespace

bool INItoCFG(const std::string& text, std::vector<std::string>& lines)
{
    LineList raw;
    splitLines(text, raw);
    std::string prefix = sectionKeySeparator();
    for (LineIter pos = raw.begin(); pos != raw.end(); ++pos) {
        std::string_view line = trimView(*pos);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            prefix = std::string(sectionName(line)) + sectionKeySeparator();
            continue;
        }
        std::string_view::size_type equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        std::string_view key = trimView(line.substr(0, equals));
        std::string_view value = trimView(line.substr(equals + 1));
        if (!opensQuotedValue(value)) {
            appendConverted(lines, prefix, key, value);
            continue;
        }
        std::string joined(value);
        if (!continueQuotedValue(joined, pos, raw.end())) {
            return false;
        }
        appendConverted(lines, prefix, key, joined);
    }
    return true;
}

} // namespace CFG
