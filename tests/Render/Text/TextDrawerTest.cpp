// Words in a real font without a window: UTF-8 read as code points, the face
// found by file or by fontconfig pattern, measured and rasterised into a glyph
// picture kept in memory, and the block font standing in when no face loads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Render/GlyphAtlasImage.h"
#include "Render/Headless/HeadlessRenderController.h"
#include "Render/Text/FontFace.h"
#include "Render/Text/FontFinder.h"
#include "Render/Text/GlyphCache.h"
#include "Render/Text/TextDrawer.h"
#include "Render/Text/Utf8.h"

namespace {

using Text::Utf8;

TEST(Utf8Test, CodePointsAndAReplacementForEachBrokenByte)
{
    const char32_t R = Utf8::REPLACEMENT;
    const std::vector<std::pair<std::string, std::vector<char32_t>>> rows = {
        {"", {}},
        {"Ren\xC3\xA9", {'R', 'e', 'n', 0xE9}},
        {"\xE6\x97\xA5\xE6\x9C\xAC", {0x65E5, 0x672C}},
        {"\xF0\x9F\x99\x82", {0x1F642}},
        {"\x80"
         "A",
         {R, 'A'}},                         // a stray continuation byte
        {"\xC0\x80", {R, R}},               // an overlong zero
        {"\xED\xA0\x80", {R, R, R}},        // a surrogate
        {"\xF4\x90\x80\x80", {R, R, R, R}}, // above U+10FFFF
        {"\xE2\x82", {R, R}},               // cut short at the end
        {"\xE2\x82"
         "A",
         {R, R, 'A'}}, // cut short before a letter
        {"\xFF", {R}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        EXPECT_EQ(row.second, Utf8::decode(row.first));
    }
    for (const char32_t code :
         {char32_t('A'), char32_t(0xB7), char32_t(0x65E5), char32_t(0x1F642)}) {
        EXPECT_EQ(std::vector<char32_t>{code}, Utf8::decode(Utf8::encode(code)));
    }
    EXPECT_EQ("\xEF\xBF\xBD", Utf8::encode(0xD800)) << "a surrogate has no bytes of its own";
}

TEST(FontFinderTest, AFileAsItIsAPatternThroughFontconfig)
{
    EXPECT_EQ(VEKTRA_TEST_FONT, Text::FontFinder::find(VEKTRA_TEST_FONT).file);
    const Text::FontFinder::Found missing = Text::FontFinder::find("/no/such/font.ttf");
    EXPECT_EQ("", missing.file);
    EXPECT_EQ("cannot read the font file /no/such/font.ttf", missing.reason);
    // The machine's fonts include the shipped DejaVu package.
    const Text::FontFinder::Found dejavu = Text::FontFinder::find("DejaVu Sans:bold");
    EXPECT_NE(std::string::npos, dejavu.file.find("DejaVuSans-Bold")) << dejavu.file;
}

class TextDrawerTest : public ::testing::Test {
protected:
    Render::ViewData view;
    Game::HeadlessRenderController headless{view};
};

TEST_F(TextDrawerTest, TheFaceMeasuresAndDrawsEveryCharacterSomeWay)
{
    Text::TextDrawer text(&headless);
    text.setFont(VEKTRA_TEST_FONT);
    ASSERT_TRUE(text.load()) << text.failure();
    const int h = text.width("H", 20);
    EXPECT_GT(h, 8);
    EXPECT_EQ(2 * h, text.width("HH", 20));
    EXPECT_GT(text.width("H", 40), text.width("H", 20));
    EXPECT_GT(text.lineHeight(20), text.ascent(20));
    EXPECT_GE(text.lineHeight(20), 20);
    // What the face lacks shows as its replacement character, never as nothing.
    EXPECT_EQ(text.width("\xEF\xBF\xBD", 20), text.width("\xE6\x97\xA5", 20));
    EXPECT_GT(text.width("\xE6\x97\xA5", 20), 0);
    Text::FontFace face;
    ASSERT_TRUE(face.open(VEKTRA_TEST_FONT, 0));
    EXPECT_TRUE(face.has(0xE9)) << "René's accent is the face's own";
    EXPECT_FALSE(face.has(0x65E5));
}

TEST_F(TextDrawerTest, TheBlockFontStandsInWhenNoFaceLoads)
{
    Text::TextDrawer missing(&headless);
    missing.setFont("/no/such/font.ttf");
    EXPECT_FALSE(missing.load());
    EXPECT_EQ("cannot read the font file /no/such/font.ttf", missing.failure());
    // Ten block pixels to the em: "AB" is 11 block pixels wide.
    EXPECT_EQ(22, missing.width("AB", 20));
    EXPECT_EQ(20, missing.lineHeight(20));

    // A controller without glyph pictures is no fault to report.
    Text::TextDrawer plain(nullptr);
    plain.setFont(VEKTRA_TEST_FONT);
    EXPECT_FALSE(plain.load());
    EXPECT_EQ("", plain.failure());
    EXPECT_EQ(22, plain.width("AB", 20));
}

TEST(GlyphCacheTest, AFullPictureStartsOverAndPlacesTheGlyphsAgain)
{
    Text::FontFace face;
    ASSERT_TRUE(face.open(VEKTRA_TEST_FONT, 0));
    Render::GlyphAtlasImage atlas(64, 64);
    Text::GlyphCache cache(face, atlas);
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (const char letter : letters) {
        cache.get(static_cast<char32_t>(letter), 24);
    }
    EXPECT_GT(cache.generation(), 0u) << "26 letters of 24 pixels fill 64 x 64 texels";
    // A glyph placed after the restart is in the picture, byte for byte.
    const unsigned long before = cache.generation();
    const Text::GlyphCache::Entry placed = cache.get('W', 24);
    EXPECT_EQ(before, cache.generation());
    const Text::FontFace::Glyph glyph = face.glyph('W', 24, true);
    ASSERT_EQ(glyph.width, placed.width);
    const int x0 = static_cast<int>(placed.u0 * 64 + 0.5f);
    const int y0 = static_cast<int>(placed.v0 * 64 + 0.5f);
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            ASSERT_EQ(glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)],
                      atlas.at(x0 + x, y0 + y));
        }
    }
    EXPECT_EQ(glyph.advance, cache.advance('W', 24));
}

} // namespace
