#pragma once

#include <ios>
#include <string>
#include <vector>

namespace CFG {
class Info;
}

namespace Files {

// Whole-file access to text files: read a file into one string, measure it,
// write lines. Stateless; every operation is static. Nothing here prints or
// throws on a missing or unreadable file: results say what happened.
class TextFile {
public:
    // The file's length in bytes; 0 when it cannot be opened or is not a
    // regular file (a directory or a pipe has no length to read).
    static std::streampos size(const std::string& path);

    // Appends the file's lines to text, each followed by lineEnd (an empty
    // line by a line feed). A carriage return before a line feed is not part
    // of the line. False, with text untouched, when the file is missing,
    // unreadable or empty. lineEnd must not be null.
    [[nodiscard]] static bool load(const std::string& path, std::string& text, const char* lineEnd);

    // As load into an empty string, then text = info->replaceKeys(loaded);
    // a null info leaves the loaded text as it is. text is untouched on failure.
    [[nodiscard]] static bool loadAndReplaceCfg(const CFG::Info* info, const std::string& path,
                                                std::string& text, const char* lineEnd);

    // Creates or empties the file and writes every line followed by a line
    // feed. True when the file was opened and every line was written.
    [[nodiscard]] static bool save(const std::string& path, const std::vector<std::string>& lines);
    [[nodiscard]] static bool save(const std::string& path, const std::string& text);
};

} // namespace Files
