#pragma once

#include <string>
#include <vector>

// Conversion of INI text (sections in square brackets, key = value lines,
// ";" and "#" comments) into settings lines: each value becomes the entry
// section + "::" + key + ":STR" (value written in double quotes) or ":NUM"
// (anything else), "==", and the value in double quotes.
namespace CFG {

// Appends one converted line per INI value to lines, in text order. False
// when a quoted value is still open at the end of the text.
bool INItoCFG(const std::string& text, std::vector<std::string>& lines);

std::string sectionKeySeparator();
std::string stringTypePostfix();
std::string numberTypePostfix();

} // namespace CFG
