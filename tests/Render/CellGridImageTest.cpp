#include <gtest/gtest.h>

#include <vector>

#include "Render/CellGridImage.h"

namespace {

using Render::CellGridImage;

struct SpanRow {
    int row;
    int first;
    int count;
};

std::vector<SpanRow> spans(const CellGridImage& image)
{
    std::vector<SpanRow> out;
    for (const CellGridImage::Span& span : image.getSentSpans()) {
        out.push_back({span.row, span.first, span.count});
    }
    return out;
}

bool operator==(const SpanRow& a, const SpanRow& b)
{
    return a.row == b.row && a.first == b.first && a.count == b.count;
}

// An 8 x 4 grid with its wall ring blocked.
std::vector<unsigned char> ring()
{
    std::vector<unsigned char> cells(32, 0);
    for (int x = 0; x < 8; ++x) {
        cells[x] = cells[24 + x] = 0x31;
    }
    for (int y = 0; y < 4; ++y) {
        cells[y * 8] = cells[y * 8 + 7] = 0x31;
    }
    return cells;
}

} // namespace

TEST(CellGridImage, FirstUpdateSendsEveryRowThenOnlyWhatChanged)
{
    CellGridImage image(8, 4);
    std::vector<unsigned char> cells = ring();
    image.update(cells.data(), nullptr, 0);
    EXPECT_EQ(image.getSentCells(), 32);
    EXPECT_EQ(image.getShown()[0], 255);
    EXPECT_EQ(image.getShown()[9], 0);

    image.update(cells.data(), nullptr, 0);
    EXPECT_EQ(image.getSentCells(), 0) << "nothing changed";

    // Any non-zero value shows as blocked; a row's changes go as one span
    // from the first to the last changed cell.
    cells[8 + 2] = 7;
    cells[8 + 5] = 0x31;
    cells[16 + 3] = 0x31;
    image.update(cells.data(), nullptr, 0);
    EXPECT_EQ(spans(image), (std::vector<SpanRow>{{1, 2, 4}, {2, 3, 1}}));
    const unsigned char row1[8] = {255, 0, 255, 0, 0, 255, 0, 255};
    for (int x = 0; x < 8; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(image.getShown()[8 + x], row1[x]);
    }
}

TEST(CellGridImage, MarkedCellsShowBlackAndComeBackWhenUnmarked)
{
    CellGridImage image(8, 4);
    const std::vector<unsigned char> cells = ring();
    const int marks[] = {0, 9, -1, 32, 1000};
    image.update(cells.data(), marks, 5);
    EXPECT_EQ(image.getShown()[0], 0) << "a marked wall cell is black";
    EXPECT_EQ(image.getShown()[9], 0);

    image.update(cells.data(), marks, 5);
    EXPECT_EQ(image.getSentCells(), 0) << "the same marks again send nothing";

    image.update(cells.data(), nullptr, 0);
    EXPECT_EQ(spans(image), (std::vector<SpanRow>{{0, 0, 1}, {1, 1, 1}}));
    EXPECT_EQ(image.getShown()[0], 255);
    EXPECT_EQ(image.getShown()[9], 0);
}

TEST(CellGridImage, AMarkOnARowThatChangesStaysBlack)
{
    CellGridImage image(8, 4);
    std::vector<unsigned char> cells = ring();
    const int mark = 8 + 3;
    cells[mark] = 0x31;
    image.update(cells.data(), &mark, 1);
    cells[8 + 1] = 0x31;
    cells[8 + 5] = 0x31;
    image.update(cells.data(), &mark, 1);
    EXPECT_EQ(spans(image), (std::vector<SpanRow>{{1, 1, 5}}));
    EXPECT_EQ(image.getShown()[mark], 0);
    EXPECT_EQ(image.getShown()[8 + 5], 255);
}
