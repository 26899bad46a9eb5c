#include "Render/Text/FontFinder.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <map>
#include <mutex>

namespace Text {

namespace {

bool readable(const std::string& file)
{
    return access(file.c_str(), R_OK) == 0;
}

// Frees what it holds when the match is over, whichever way it ends.
struct FontconfigScope {
    FcConfig* config = nullptr;
    FcPattern* pattern = nullptr;
    FcPattern* match = nullptr;
    ~FontconfigScope()
    {
        if (match != nullptr) {
            FcPatternDestroy(match);
        }
        if (pattern != nullptr) {
            FcPatternDestroy(pattern);
        }
        if (config != nullptr) {
            FcConfigDestroy(config);
            // The library's own tables go too: a game matches once or twice
            // in a run and should not carry fontconfig's caches after it.
            FcFini();
        }
    }
};

} // namespace

FontFinder::Found FontFinder::find(const std::string& wanted)
{
    if (wanted.find('/') != std::string::npos) {
        Found found;
        if (readable(wanted)) {
            found.file = wanted;
        } else {
            found.reason = "cannot read the font file " + wanted;
        }
        return found;
    }
    // One match per pattern and process: views come and go, the fonts stay.
    static std::mutex guard;
    static std::map<std::string, Found> memo;
    const std::lock_guard<std::mutex> lock(guard);
    auto known = memo.find(wanted);
    if (known == memo.end()) {
        known = memo.emplace(wanted, match(wanted)).first;
    }
    return known->second;
}

FontFinder::Found FontFinder::match(const std::string& wanted)
{
    Found found;
    FontconfigScope scope;
    scope.config = FcInitLoadConfigAndFonts();
    if (scope.config == nullptr) {
        found.reason = "fontconfig found no configuration";
        return found;
    }
    scope.pattern = FcNameParse(reinterpret_cast<const FcChar8*>(wanted.c_str()));
    if (scope.pattern == nullptr) {
        found.reason = "\"" + wanted + "\" is no fontconfig pattern";
        return found;
    }
    FcConfigSubstitute(scope.config, scope.pattern, FcMatchPattern);
    FcDefaultSubstitute(scope.pattern);
    FcResult result = FcResultNoMatch;
    scope.match = FcFontMatch(scope.config, scope.pattern, &result);
    FcChar8* file = nullptr;
    if (scope.match == nullptr ||
        FcPatternGetString(scope.match, FC_FILE, 0, &file) != FcResultMatch) {
        found.reason = "no installed font matches \"" + wanted + "\"";
        return found;
    }
    int index = 0;
    if (FcPatternGetInteger(scope.match, FC_INDEX, 0, &index) != FcResultMatch) {
        index = 0;
    }
    found.file = reinterpret_cast<const char*>(file);
    found.index = index;
    return found;
}

} // namespace Text
