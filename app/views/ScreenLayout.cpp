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

// The panel's rows as fitted, before they are placed: the rows above and
// below the list, the list's entries and how they flow.
struct Panel {
    std::vector<Line> head;
    std::vector<Line> tail;
    std::vector<Line> entries;
    float scale = 1;
    int listSize = 0;
    int listLine = 0;
    int rows = 0;
    int columns = 0;
    int columnWidth = 0;
    int columnGap = 0;
    int listGap = 0;

    int listHeight() const { return rows > 0 ? rows * listLine + (rows - 1) * listGap : 0; }
    int listWidth() const
    {
        return columns > 0 ? columns * columnWidth + (columns - 1) * columnGap : 0;
    }
};

class Placer {
public:
    Placer(Text::I_TextMetrics& metrics, int width, int height);

    void placeBand(const std::vector<Row>& labels, ScreenLayout::Result& out);
    void placePanel(const ScreenWords& words, ScreenLayout::Result& out);

private:
    int sizeOf(ScreenWords::Size size, float scale) const;
    Line fit(const Row& row, int pixelSize, int maxWidth);
    std::string cut(const Row& row, int pixelSize, int maxWidth);
    std::vector<Line> fitRows(const std::vector<Row>& rows, float scale, int maxWidth);
    int stackHeight(const std::vector<Line>& head, int listHeight,
                    const std::vector<Line>& tail) const;
    void fitPanel(const ScreenWords& words, Panel& panel);
    void flowList(const ScreenWords& words, Panel& panel, ScreenLayout::Result& out);
    void placeBox(const ScreenWords& words, const Panel& panel, ScreenLayout::Result& out) const;
    void putRows(const Panel& panel, ScreenLayout::Result& out) const;
    void put(const Line& line, int left, int top, Util::RGBA background,
             ScreenLayout::Result& out) const;

    Text::I_TextMetrics& metrics;
    int windowWidth;
    int windowHeight;
    // The panel's spacing: from the window's edge, inside the box, between
    // rows; and the room its rows have.
    int margin;
    int pad;
    int gap;
    int maxWidth = 0;
    int maxHeight = 0;
};

Placer::Placer(Text::I_TextMetrics& metrics, int width, int height)
    : metrics(metrics), windowWidth(width), windowHeight(height),
      margin(std::max(4, std::min(width, height) / 50)),
      pad(baseSize(ScreenWords::LINE, height) * 3 / 5),
      gap(std::max(2, baseSize(ScreenWords::LINE, height) / 4))
{
}

int Placer::sizeOf(ScreenWords::Size size, float scale) const
{
    const int scaled = static_cast<int>(std::lround(baseSize(size, windowHeight) * scale));
    return std::max(ScreenLayout::MIN_PIXEL_SIZE, scaled);
}

// The row's text shortened from the end of its first part, which then ends
// in "...", until it fits; the kept end (a label's wins) stays whole.
std::string Placer::cut(const Row& row, int pixelSize, int maxWidth)
{
    const std::size_t kept = std::min(row.keptEnd, row.text.size());
    const std::string end = row.text.substr(row.text.size() - kept);
    std::vector<char32_t> codes = Text::Utf8::decode(row.text.substr(0, row.text.size() - kept));
    while (!codes.empty()) {
        codes.pop_back();
        std::string shorter;
        for (const char32_t code : codes) {
            shorter += Text::Utf8::encode(code);
        }
        shorter += CUT + end;
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
        line.text = cut(row, line.pixelSize, maxWidth);
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

// Smaller and smaller until the rows leave the list a line and, in a
// window too small for even that, without the last rows.
void Placer::fitPanel(const ScreenWords& words, Panel& panel)
{
    for (int tries = 0; tries < 40; ++tries, panel.scale *= 0.85f) {
        panel.head = fitRows(words.head, panel.scale, maxWidth);
        panel.tail = fitRows(words.tail, panel.scale, maxWidth);
        panel.listSize = words.list.empty() ? 0 : sizeOf(words.list.front().size, panel.scale);
        panel.listLine = words.list.empty() ? 0 : metrics.lineHeight(panel.listSize);
        if (stackHeight(panel.head, panel.listLine, panel.tail) <= maxHeight) {
            return;
        }
    }
    while (stackHeight(panel.head, panel.listLine, panel.tail) > maxHeight &&
           !(panel.head.empty() && panel.tail.empty())) {
        (panel.tail.empty() ? panel.head : panel.tail).pop_back();
    }
    if (stackHeight(panel.head, panel.listLine, panel.tail) > maxHeight) {
        panel.listLine = 0;
    }
}

// The list in columns as wide as its widest entry, as many as fit; what
// the columns cannot hold comes in pages, with a line at the top of the
// tail that says which.
void Placer::flowList(const ScreenWords& words, Panel& panel, ScreenLayout::Result& out)
{
    panel.listGap = gap / 2;
    panel.columnGap = 2 * panel.listSize;
    for (const Row& row : words.list) {
        panel.entries.push_back(fit(row, panel.listSize, maxWidth));
        panel.columnWidth = std::max(panel.columnWidth, panel.entries.back().width);
    }
    const int total = static_cast<int>(panel.entries.size());
    const int pitch = panel.listLine + panel.listGap;
    const bool alone = panel.head.empty() && panel.tail.empty();
    const int room = maxHeight - stackHeight(panel.head, 0, panel.tail) - (alone ? 0 : gap);
    int rowsFit = std::max(1, (room + panel.listGap) / pitch);
    const int columnsFit =
        std::max(1, (maxWidth + panel.columnGap) / (panel.columnWidth + panel.columnGap));
    out.listShown = total;
    if (total > rowsFit * columnsFit) {
        const Line pager =
            fit(Row("", ScreenWords::SMALL), sizeOf(ScreenWords::SMALL, panel.scale), maxWidth);
        // The line that says which page needs room of its own, where there
        // is any; else the first page shows alone.
        const int pagedRoom = room - pager.height - gap;
        const bool paged = pagedRoom >= panel.listLine;
        rowsFit = paged ? (pagedRoom + panel.listGap) / pitch : rowsFit;
        const int perPage = rowsFit * columnsFit;
        out.listPages = paged ? (total + perPage - 1) / perPage : 1;
        out.listPage = std::clamp(words.listPage, 0, out.listPages - 1);
        out.listFirst = out.listPage * perPage;
        out.listShown = std::min(perPage, total - out.listFirst);
        if (paged) {
            const std::string which = std::to_string(out.listFirst + 1) + "-" +
                                      std::to_string(out.listFirst + out.listShown) + " OF " +
                                      std::to_string(total) + " \xC2\xB7 UP DOWN SCROLL";
            panel.tail.insert(panel.tail.begin(),
                              fit(Row(which, ScreenWords::SMALL), pager.pixelSize, maxWidth));
        }
    }
    panel.columns = std::min(columnsFit, (out.listShown + rowsFit - 1) / rowsFit);
    panel.rows = (out.listShown + panel.columns - 1) / panel.columns;
}

void Placer::placeBox(const ScreenWords& words, const Panel& panel, ScreenLayout::Result& out) const
{
    int contentWidth = panel.listWidth();
    for (const std::vector<Line>* lines : {&panel.head, &panel.tail}) {
        for (const Line& line : *lines) {
            contentWidth = std::max(contentWidth, line.width);
        }
    }
    const int areaTop = out.band.height;
    ScreenLayout::Box& box = out.panel;
    box.width = contentWidth + 2 * pad;
    box.height = stackHeight(panel.head, panel.listHeight(), panel.tail) + 2 * pad;
    box.left = (windowWidth - box.width) / 2;
    switch (words.place) {
    case ScreenWords::TOP:
        box.top = areaTop + margin;
        break;
    case ScreenWords::BOTTOM:
        box.top = windowHeight - margin - box.height;
        break;
    case ScreenWords::CENTRE:
        box.top = areaTop + (windowHeight - areaTop - box.height) / 2;
        break;
    }
}

// Rows centred one under another, the list's columns side by side.
void Placer::putRows(const Panel& panel, ScreenLayout::Result& out) const
{
    const int centre = out.panel.left + out.panel.width / 2;
    int y = out.panel.top + pad;
    for (const Line& line : panel.head) {
        put(line, centre - line.width / 2, y, ScreenLayout::PANEL, out);
        y += line.height + gap;
    }
    if (panel.rows > 0) {
        const int listLeft = centre - panel.listWidth() / 2;
        for (int shown = 0; shown < out.listShown; ++shown) {
            const Line& entry = panel.entries[static_cast<std::size_t>(out.listFirst + shown)];
            put(entry, listLeft + (shown / panel.rows) * (panel.columnWidth + panel.columnGap),
                y + (shown % panel.rows) * (panel.listLine + panel.listGap), ScreenLayout::PANEL,
                out);
        }
        y += panel.listHeight() + gap;
    }
    for (const Line& line : panel.tail) {
        put(line, centre - line.width / 2, y, ScreenLayout::PANEL, out);
        y += line.height + gap;
    }
}

void Placer::placePanel(const ScreenWords& words, ScreenLayout::Result& out)
{
    maxWidth = windowWidth - 2 * (margin + pad);
    maxHeight = windowHeight - out.band.height - 2 * (margin + pad);
    if (maxWidth < 1 || maxHeight < 1) {
        return;
    }
    Panel panel;
    fitPanel(words, panel);
    if (panel.listLine > 0) {
        flowList(words, panel, out);
    }
    if (stackHeight(panel.head, panel.listHeight(), panel.tail) == 0) {
        return;
    }
    placeBox(words, panel, out);
    putRows(panel, out);
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
