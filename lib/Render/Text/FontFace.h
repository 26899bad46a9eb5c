#pragma once

#include <string>
#include <vector>

namespace Text {

// One face of a font file through FreeType: its line metrics at a pixel
// size and its glyphs rasterised as coverage bytes (hinted, grey levels).
// A code point the face has no glyph for is drawn as its replacement
// character U+FFFD, or, where it has none either, as its "missing glyph"
// (a box in most fonts), so something always shows. Owns its FreeType
// library and face.
class FontFace {
public:
    // A rasterised glyph: its coverage (width x height bytes, rows top
    // first), where it sits from the pen (left of it, above the baseline)
    // and how far the pen moves on, in whole pixels.
    struct Glyph {
        int width = 0;
        int height = 0;
        int left = 0;
        int top = 0;
        int advance = 0;
        std::vector<unsigned char> coverage;
    };

    // Whole pixels at one size: above the baseline, below it, and from one
    // line's baseline to the next.
    struct Metrics {
        int ascent = 0;
        int descent = 0;
        int lineHeight = 0;
    };

    // The largest pixel size drawn; larger sizes are drawn at it.
    static constexpr int MAX_PIXEL_SIZE = 256;

    FontFace();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Opens face index of file. False, with the reason in failure(), when
    // FreeType cannot read it as a scalable font; the face is then closed.
    [[nodiscard]] bool open(const std::string& file, int index);
    bool isOpen() const { return face != nullptr; }
    const std::string& failure() const { return reason; }

    Metrics metrics(int pixelSize);
    // The glyph for code at the size; advance only when withCoverage is
    // false. An empty glyph when the face is not open.
    Glyph glyph(char32_t code, int pixelSize, bool withCoverage);
    // Whether the face has a glyph of its own for code.
    bool has(char32_t code) const;

private:
    bool setSize(int pixelSize);
    unsigned int glyphIndex(char32_t code) const;
    void close();

    // FreeType's handles, kept opaque so that only the source includes
    // FreeType's headers.
    void* library;
    void* face;
    int sizeSet;
    std::string reason;
};

} // namespace Text
