#pragma once

#include <string>

namespace Text {

// Finds the font file a setting names: a path to a font file (anything
// with a "/" in it) is taken as it is; anything else is a fontconfig
// pattern ("DejaVu Sans:bold", "monospace"), matched against the fonts
// installed on the machine, as every desktop program matches it.
// fontconfig is called only here, and only when a pattern is asked for.
// Holds no state beyond a process-wide memo of the patterns matched.
class FontFinder {
public:
    // A font file and the face inside it (collections hold several).
    struct Found {
        std::string file;
        int index = 0;
        // Why nothing was found; empty when file is set.
        std::string reason;
    };

    static Found find(const std::string& wanted);

private:
    static Found match(const std::string& pattern);
};

} // namespace Text
