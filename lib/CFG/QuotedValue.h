#pragma once

#include <string>
#include <string_view>
#include <vector>

// Line helpers shared by the settings reader and the INI conversion: both
// split text into lines the same way and complete quoted values that run
// over several lines by the same rules.
namespace CFG {

using LineList = std::vector<std::string_view>;
using LineIter = LineList::const_iterator;

// text without leading and trailing blanks, tabs, line feeds and carriage returns.
std::string_view trimView(std::string_view text);

// text without trailing blanks, tabs, line feeds and carriage returns.
std::string_view trimRightView(std::string_view text);

// Appends the pieces of text between line feeds to lines, dropping empty ones.
void splitLines(std::string_view text, LineList& lines);

// True when value begins with a double quote but is not closed by one on
// the same line (a lone double quote opens a value too).
bool opensQuotedValue(std::string_view value);

// Continues an open quoted value on the lines after pos, consumed raw: a
// backslash at the end joins the next line directly (a trailing backslash
// and "n" becomes a line feed), otherwise a line feed joins them; each
// line is trimmed at its right end only. Stops once the value ends with a
// double quote and leaves pos on the last line used. False, with pos at
// end, when the lines run out first.
bool continueQuotedValue(std::string& value, LineIter& pos, LineIter end);

// value without all double quotes at its start and all at its end.
std::string_view stripOuterQuotes(std::string_view value);

} // namespace CFG
