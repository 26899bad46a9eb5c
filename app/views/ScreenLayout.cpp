#include "ScreenLayout.h"

#include <algorithm>
#include <cmath>

#include "Render/Text/I_TextMetrics.h"
#include "Render/Text/Utf8.h"
#include "TextColors.h"

namespace Tool {

const Util::RGBA ScreenLayout::PANEL(18, 24, 42, 255);
const Util::RGBA ScreenLayout::BAND(10, 12, 20, 255);

namespace {

using Row = ScreenWords::Row;

constexpr int MAX_BAND_ROWS = 3;
const std::string CUT = "...";

// The words' sizes in a window of this height, before any fitting.
int baseSize(ScreenWords::Size size, int windowHeight)
{
    static const float SHARE[] = {0.16f, 0.085f, 0.036f, 0.028f};
    const int wanted = static_cast<int>(std::lround(windowHeight * SHARE[size]));
    return std::max(ScreenLayout::MIN_PIXEL_SIZE, wanted);
}

int bandPixelSize(int windowHeight)
{
    return std::min(baseSize(ScreenWords::SMALL, windowHeight), 48);
}

// The band's grid: as many labels to a row as leave each about five ems,
// in at most MAX_BAND_ROWS rows.
struct BandGrid {
    int columns = 0;
    int rows = 0;
    int rowHeight = 0;
};

BandGrid bandGrid(int windowWidth, int windowHeight, int labels)
{
    BandGrid grid;
    if (labels <= 0 || windowWidth <= 0) {
        return grid;
    }
    const int pixelSize = bandPixelSize(windowHeight);
    grid.columns = std::clamp(windowWidth / (5 * pixelSize), 1, labels);
    grid.rows = (labels + grid.columns - 1) / grid.columns;
    if (grid.rows > MAX_BAND_ROWS) {
        grid.rows = MAX_BAND_ROWS;
        grid.columns = (labels + MAX_BAND_ROWS - 1) / MAX_BAND_ROWS;
    }
    grid.rowHeight = pixelSize * 3 / 2;
    return grid;
}

// A row measured and fitted to a width.
struct Line {
    std::string text;
    int pixelSize = 0;
    int width = 0;
    int height = 0;
    Util::RGBA color;
};

class Placer {
public:
    Placer(Text::I_TextMetrics& metrics, int width, int height)
        : metrics(metrics), windowWidth(width), windowHeight(height)
    {
    }

    void placeBand(const std::vector<Row>& labels, ScreenLayout::Result& out);
    void placePanel(const ScreenWords& words, ScreenLayout::Result& out);

private:
    int sizeOf(ScreenWords::Size size, float scale) const;
    Line fit(const Row& row, int pixelSize, int maxWidth);
    std::string cut(const std::string& text, int pixelSize, int maxWidth);
    std::vector<Line> fitRows(const std::vector<Row>& rows, float scale, int maxWidth);
    int stackHeight(const std::vector<Line>& head, int listHeight,
                    const std::vector<Line>& tail) const;
    void put(const Line& line, int left, int top, Util::RGBA background,
             ScreenLayout::Result& out) const;

    Text::I_TextMetrics& metrics;
    int windowWidth;
    int windowHeight;
    int gap = 0;
};

int Placer::sizeOf(ScreenWords::Size size, float scale) const
{
    const int scaled = static_cast<int>(std::lround(baseSize(size, windowHeight) * scale));
    return std::max(ScreenLayout::MIN_PIXEL_SIZE, scaled);
}

std::string Placer::cut(const std::string& text, int pixelSize, int maxWidth)
{
    std::vector<char32_t> codes = Text::Utf8::decode(text);
    while (!codes.empty()) {
        codes.pop_back();
        std::string shorter;
        for (const char32_t code : codes) {
            shorter += Text::Utf8::encode(code);
        }
        shorter += CUT;
        if (metrics.width(shorter, pixelSize) <= maxWidth) {
            return shorter;
        }
    }
    return metrics.width(CUT, pixelSize) <= maxWidth ? CUT : std::string();
}

Line Placer::fit(const Row& row, int pixelSize, int maxWidth)
{
    Line line;
    line.text = row.text;
    line.pixelSize = pixelSize;
    line.color = row.color;
    int width = metrics.width(line.text, pixelSize);
    // Smaller, a step at a time, as far as the least size...
    while (width > maxWidth && line.pixelSize > ScreenLayout::MIN_PIXEL_SIZE) {
        const int estimate = line.pixelSize * maxWidth / std::max(width, 1);
        line.pixelSize = std::clamp(estimate, ScreenLayout::MIN_PIXEL_SIZE, line.pixelSize - 1);
        width = metrics.width(line.text, line.pixelSize);
    }
    // ...then cut short.
    if (width > maxWidth) {
        line.text = cut(line.text, line.pixelSize, maxWidth);
        width = metrics.width(line.text, line.pixelSize);
    }
    line.width = width;
    line.height = metrics.lineHeight(line.pixelSize);
    return line;
}

std::vector<Line> Placer::fitRows(const std::vector<Row>& rows, float scale, int maxWidth)
{
    std::vector<Line> lines;
    for (const Row& row : rows) {
        lines.push_back(fit(row, sizeOf(row.size, scale), maxWidth));
    }
    return lines;
}

int Placer::stackHeight(const std::vector<Line>& head, int listHeight,
                        const std::vector<Line>& tail) const
{
    int height = 0;
    int parts = 0;
    for (const std::vector<Line>* lines : {&head, &tail}) {
        for (const Line& line : *lines) {
            height += line.height;
            ++parts;
        }
    }
    if (listHeight > 0) {
        height += listHeight;
        ++parts;
    }
    return height + gap * std::max(0, parts - 1);
}

void Placer::put(const Line& line, int left, int top, Util::RGBA background,
                 ScreenLayout::Result& out) const
{
    ScreenLayout::Placed placed;
    placed.text = line.text;
    placed.box = ScreenLayout::Box{left, top, line.width, line.height};
    placed.pixelSize = line.pixelSize;
    placed.color = TextColors::readableOn(line.color, background);
    placed.background = background;
    out.texts.push_back(placed);
}

void Placer::placeBand(const std::vector<Row>& labels, ScreenLayout::Result& out)
{
    const BandGrid grid = bandGrid(windowWidth, windowHeight, static_cast<int>(labels.size()));
    out.band = ScreenLayout::Box{
        0, 0, windowWidth,
        ScreenLayout::bandHeight(windowWidth, windowHeight, static_cast<int>(labels.size()))};
    if (grid.columns == 0) {
        return;
    }
    // The largest size whose line fits a band row.
    int pixelSize = bandPixelSize(windowHeight);
    while (pixelSize > ScreenLayout::MIN_PIXEL_SIZE &&
           metrics.lineHeight(pixelSize) > grid.rowHeight) {
        --pixelSize;
    }
    const int slot = windowWidth / grid.columns;
    const int room = slot - std::max(2, pixelSize / 2);
    const int shown = std::min(static_cast<int>(labels.size()), grid.columns * grid.rows);
    for (int k = 0; k < shown; ++k) {
        Line line = fit(labels[static_cast<std::size_t>(k)], pixelSize, room);
        line.height = std::min(line.height, grid.rowHeight);
        const int left = (k % grid.columns) * slot + (slot - line.width) / 2;
        const int top = (k / grid.columns) * grid.rowHeight + (grid.rowHeight - line.height) / 2;
        put(line, left, top, ScreenLayout::BAND, out);
    }
}

void Placer::placePanel(const ScreenWords& words, ScreenLayout::Result& out)
{
    const int areaTop = out.band.height;
    const int areaHeight = windowHeight - areaTop;
    const int lineSize = baseSize(ScreenWords::LINE, windowHeight);
    const int margin = std::max(4, std::min(windowWidth, windowHeight) / 50);
    const int pad = lineSize * 3 / 5;
    gap = std::max(2, lineSize / 4);
    const int maxWidth = windowWidth - 2 * (margin + pad);
    const int maxHeight = areaHeight - 2 * (margin + pad);
    if (maxWidth < 1 || maxHeight < 1) {
        return;
    }

    // Smaller and smaller until the rows leave the list a line...
    float scale = 1;
    std::vector<Line> head, tail;
    int listSize = 0, listLine = 0;
    for (int tries = 0; tries < 40; ++tries, scale *= 0.85f) {
        head = fitRows(words.head, scale, maxWidth);
        tail = fitRows(words.tail, scale, maxWidth);
        listSize = words.list.empty() ? 0 : sizeOf(words.list.front().size, scale);
        listLine = words.list.empty() ? 0 : metrics.lineHeight(listSize);
        if (stackHeight(head, listLine, tail) <= maxHeight) {
            break;
        }
    }
    // ...and, in a window too small for even that, without the last rows.
    while (stackHeight(head, listLine, tail) > maxHeight && !(head.empty() && tail.empty())) {
        (tail.empty() ? head : tail).pop_back();
    }
    if (stackHeight(head, listLine, tail) > maxHeight) {
        listLine = 0;
    }

    // The list: columns of entries as wide as the widest, then pages.
    std::vector<Line> entries;
    int rows = 0, columns = 0, columnWidth = 0;
    const int listGap = gap / 2;
    const int columnGap = 2 * listSize;
    if (listLine > 0) {
        for (const Row& row : words.list) {
            entries.push_back(fit(row, listSize, maxWidth));
            columnWidth = std::max(columnWidth, entries.back().width);
        }
        const int total = static_cast<int>(entries.size());
        const int room =
            maxHeight - stackHeight(head, 0, tail) - (head.empty() && tail.empty() ? 0 : gap);
        int rowsFit = std::max(1, (room + listGap) / (listLine + listGap));
        const int columnsFit = std::max(1, (maxWidth + columnGap) / (columnWidth + columnGap));
        if (total > rowsFit * columnsFit) {
            Row pager;
            pager.size = ScreenWords::SMALL;
            const Line pagerLine = fit(pager, sizeOf(ScreenWords::SMALL, scale), maxWidth);
            // The line that says which page needs room of its own, where
            // there is any; else the first page shows alone.
            const int pagedRoom = room - pagerLine.height - gap;
            const bool paged = pagedRoom >= listLine;
            if (paged) {
                rowsFit = (pagedRoom + listGap) / (listLine + listGap);
            }
            const int perPage = rowsFit * columnsFit;
            out.listPages = paged ? (total + perPage - 1) / perPage : 1;
            out.listPage = std::clamp(words.listPage, 0, out.listPages - 1);
            out.listFirst = out.listPage * perPage;
            out.listShown = std::min(perPage, total - out.listFirst);
            pager.text = std::to_string(out.listFirst + 1) + "-" +
                         std::to_string(out.listFirst + out.listShown) + " OF " +
                         std::to_string(total) + " \xC2\xB7 UP DOWN SCROLL";
            if (paged) {
                tail.insert(tail.begin(), fit(pager, pagerLine.pixelSize, maxWidth));
            }
        } else {
            out.listShown = total;
        }
        columns = std::min(columnsFit, (out.listShown + rowsFit - 1) / rowsFit);
        rows = (out.listShown + columns - 1) / columns;
    }
    const int listHeight = rows > 0 ? rows * listLine + (rows - 1) * listGap : 0;
    const int listWidth = columns > 0 ? columns * columnWidth + (columns - 1) * columnGap : 0;

    int contentWidth = listWidth;
    for (const std::vector<Line>* lines : {&head, &tail}) {
        for (const Line& line : *lines) {
            contentWidth = std::max(contentWidth, line.width);
        }
    }
    const int contentHeight = stackHeight(head, listHeight, tail);
    if (contentHeight == 0) {
        return;
    }
    ScreenLayout::Box& panel = out.panel;
    panel.width = contentWidth + 2 * pad;
    panel.height = contentHeight + 2 * pad;
    panel.left = (windowWidth - panel.width) / 2;
    switch (words.place) {
    case ScreenWords::TOP:
        panel.top = areaTop + margin;
        break;
    case ScreenWords::BOTTOM:
        panel.top = windowHeight - margin - panel.height;
        break;
    case ScreenWords::CENTRE:
        panel.top = areaTop + (areaHeight - panel.height) / 2;
        break;
    }

    const int centre = panel.left + panel.width / 2;
    int y = panel.top + pad;
    for (const Line& line : head) {
        put(line, centre - line.width / 2, y, ScreenLayout::PANEL, out);
        y += line.height + gap;
    }
    if (listHeight > 0) {
        const int listLeft = centre - listWidth / 2;
        for (int shown = 0; shown < out.listShown; ++shown) {
            const Line& entry = entries[static_cast<std::size_t>(out.listFirst + shown)];
            put(entry, listLeft + (shown / rows) * (columnWidth + columnGap),
                y + (shown % rows) * (listLine + listGap), ScreenLayout::PANEL, out);
        }
        y += listHeight + gap;
    }
    for (const Line& line : tail) {
        put(line, centre - line.width / 2, y, ScreenLayout::PANEL, out);
        y += line.height + gap;
    }
}

} // namespace

bool ScreenLayout::Box::overlaps(const Box& other) const
{
    return left < other.right() && other.left < right() && top < other.bottom() &&
           other.top < bottom();
}

bool ScreenLayout::Box::insideWindow(int windowWidth, int windowHeight) const
{
    return left >= 0 && top >= 0 && right() <= windowWidth && bottom() <= windowHeight;
}

int ScreenLayout::bandHeight(int windowWidth, int windowHeight, int labels)
{
    const BandGrid grid = bandGrid(windowWidth, windowHeight, labels);
    if (grid.rows == 0) {
        return 0;
    }
    return grid.rows * grid.rowHeight + bandPixelSize(windowHeight) / 3;
}

ScreenLayout::Result ScreenLayout::place(const ScreenWords& words, int windowWidth,
                                         int windowHeight, Text::I_TextMetrics& metrics)
{
    Result out;
    if (windowWidth <= 0 || windowHeight <= 0) {
        return out;
    }
    Placer placer(metrics, windowWidth, windowHeight);
    placer.placeBand(words.band, out);
    if (words.hasPanel()) {
        placer.placePanel(words, out);
    }
    return out;
}

} // namespace Tool
