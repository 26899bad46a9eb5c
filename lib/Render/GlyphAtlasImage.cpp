#include "Render/GlyphAtlasImage.h"

#include <algorithm>
#include <cstring>

namespace Render {

GlyphAtlasImage::GlyphAtlasImage(int width, int height)
    : width(width), height(height),
      coverage(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0)
{
}

bool GlyphAtlasImage::inside(int x, int y, int blockWidth, int blockHeight) const
{
    return x >= 0 && y >= 0 && blockWidth >= 0 && blockHeight >= 0 && x <= width - blockWidth &&
           y <= height - blockHeight;
}

void GlyphAtlasImage::update(int x, int y, int blockWidth, int blockHeight,
                             const unsigned char* block)
{
    if (!inside(x, y, blockWidth, blockHeight) || block == nullptr) {
        return;
    }
    for (int row = 0; row < blockHeight; ++row) {
        std::memcpy(&coverage[static_cast<std::size_t>(y + row) * width + x],
                    block + static_cast<std::size_t>(row) * blockWidth,
                    static_cast<std::size_t>(blockWidth));
    }
}

void GlyphAtlasImage::clear()
{
    std::fill(coverage.begin(), coverage.end(), 0);
}

void GlyphAtlasImage::draw(const float*, unsigned int count, Util::RGBA const&)
{
    drawnQuads += count / 4;
}

unsigned char GlyphAtlasImage::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    return coverage[static_cast<std::size_t>(y) * width + x];
}

} // namespace Render
