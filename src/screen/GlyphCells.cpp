#include "screen/GlyphCells.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// One cell's pixel lines from one image into another.
inline void copyCell(uchar* to, qsizetype toStride, const uchar* from, qsizetype fromStride,
                     size_t lineBytes, int lines) {
    for (int y = 0; y < lines; ++y, to += toStride, from += fromStride)
        std::memcpy(to, from, lineBytes);
}

} // namespace

void GlyphCells::setLook(const QFont& font, const QColor& text, const QColor& background) {
    if (m_drawn && font == m_font && text == m_text && background == m_background)
        return;
    m_font = font;
    m_text = text;
    m_background = background;
    m_drawn = false;
}

// Each character is drawn where a row of text would put it: on the baseline, at its
// cell's left edge, with room for ink on either side. Its cell keeps what falls within
// it; where the rest falls is noted. A character whose advance differs from the others,
// or whose ink reaches further than the next cell, gets no cell.
bool GlyphCells::ensureDrawn() {
    if (m_drawn)
        return m_cellWidth > 0;
    m_drawn = true;
    m_sharedSlot.clear();
    m_shared = QImage();
    const QFontMetrics rows(m_font);
    const QFontMetricsF metrics(m_font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('M'));
    m_cellWidth = width == std::round(width) ? int(width) : 0;
    if (m_cellWidth <= 0)
        return false;
    m_ascent = rows.ascent();
    const int height = std::max(1, rows.height());
    m_cells = QImage(m_cellWidth * (Last - First + 1), height, QImage::Format_RGB32);
    m_cells.fill(m_background);
    // Five cells, the character in the middle: ink in the cells beside it is shared with
    // its neighbours; ink in the outer ones reaches too far for a cell.
    QImage scratch(5 * m_cellWidth, height, QImage::Format_RGB32);
    const QRgb blank = m_background.rgb();
    const auto inked = [&](int cell) {
        for (int y = 0; y < height; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            if (!std::all_of(line + cell * m_cellWidth, line + (cell + 1) * m_cellWidth,
                             [blank](QRgb pixel) { return pixel == blank; }))
                return true;
        }
        return false;
    };
    for (char16_t c = First; c <= Last; ++c) {
        Cell& cell = m_cell[c - First];
        cell = {};
        if (!QChar(c).isPrint() || metrics.horizontalAdvance(QChar(c)) != width)
            continue;
        scratch.fill(m_background);
        {
            QPainter painter(&scratch);
            drawCharacter(painter, c, 2 * m_cellWidth);
        }
        if (inked(0) || inked(4))
            continue;
        cell.drawn = true;
        cell.inkLeft = inked(1);
        cell.inkRight = inked(3);
        cell.blank = !inked(2);
        QPainter(&m_cells).drawImage(QPoint((c - First) * m_cellWidth, 0), scratch,
                                     QRect(2 * m_cellWidth, 0, m_cellWidth, height));
    }
    return true;
}

void GlyphCells::drawCharacter(QPainter& painter, char16_t c, int x) const {
    if (c == None)
        return;
    painter.setFont(m_font);
    painter.setPen(m_text);
    painter.drawText(QPoint(x, m_ascent), QString(QChar(c)));
}

int GlyphCells::cellOf(QChar character) const {
    const char16_t c = character.unicode();
    if (c < First || c > Last || !m_cell[c - First].drawn)
        return NoCell;
    return c - First;
}

// The cell of c between two characters as drawing the three in turn leaves it; drawn on
// first use and kept for the next row with the same neighbours.
const uchar* GlyphCells::sharedCell(char16_t before, char16_t c, char16_t after) {
    // A neighbour whose ink stays out of the cell does not change it.
    if (!inkRight(before))
        before = None;
    if (!inkLeft(after))
        after = None;
    const quint32 key = quint32(before) << 16 | quint32(c) << 8 | after;
    // The kept cells lie one above the other, each its own width to a line.
    const qsizetype cellBytes = qsizetype(m_cellWidth) * 4 * m_cells.height();
    if (const auto known = m_sharedSlot.constFind(key); known != m_sharedSlot.cend())
        return m_shared.constBits() + *known * cellBytes;
    if (m_sharedSlot.size() >= MaxSharedCells)
        m_sharedSlot.clear();
    const int slot = int(m_sharedSlot.size());
    const int height = m_cells.height();
    if (m_shared.height() < (slot + 1) * height) { // room for twice as many
        QImage grown(m_cellWidth, std::max(16, 2 * slot) * height, QImage::Format_RGB32);
        if (slot > 0)
            std::memcpy(grown.bits(), m_shared.constBits(), size_t(slot) * size_t(cellBytes));
        m_shared = std::move(grown);
    }
    QImage scratch(3 * m_cellWidth, height, QImage::Format_RGB32);
    scratch.fill(m_background);
    {
        QPainter painter(&scratch);
        drawCharacter(painter, before, 0);
        drawCharacter(painter, c, m_cellWidth);
        drawCharacter(painter, after, 2 * m_cellWidth);
    }
    uchar* to = m_shared.bits() + slot * cellBytes;
    const size_t lineBytes = size_t(m_cellWidth) * 4;
    for (int y = 0; y < height; ++y)
        std::memcpy(to + y * lineBytes, scratch.constScanLine(y) + lineBytes, lineBytes);
    m_sharedSlot.insert(key, slot);
    return to;
}

const QImage& GlyphCells::compose(QStringView text, int maxWidth) {
    if (!ensureDrawn())
        return m_none;
    const auto shown = std::min<qsizetype>(text.size(), std::max(0, maxWidth) / m_cellWidth);
    for (qsizetype i = 0; i < shown; ++i) {
        if (cellOf(text[i]) == NoCell)
            return m_none;
    }
    // A character cut off at the width still reaches into the last cell shown.
    const char16_t beyond =
        shown < text.size() && cellOf(text[shown]) != NoCell ? text[shown].unicode() : None;
    const bool spills = shown == text.size() && shown > 0 && inkRight(text[shown - 1].unicode());
    m_columns = int(shown);
    const QSize size(int(shown + (spills ? 1 : 0)) * m_cellWidth, m_cells.height());
    if (m_row.size() != size)
        m_row = QImage(size, QImage::Format_RGB32);
    m_row.fill(m_background);
    const size_t cellBytes = size_t(m_cellWidth) * 4;
    const int lines = size.height();
    const qsizetype rowStride = m_row.bytesPerLine();
    const qsizetype cellStride = m_cells.bytesPerLine();
    const auto sharedStride = qsizetype(cellBytes);
    uchar* const rowBits = m_row.bits();
    const uchar* const cellBits = m_cells.constBits();
    char16_t before = None;
    for (qsizetype i = 0; i < shown; ++i) {
        const char16_t c = text[i].unicode();
        const char16_t after = i + 1 < shown ? text[i + 1].unicode() : beyond;
        uchar* const to = rowBits + size_t(i) * cellBytes;
        if (inkRight(before) || inkLeft(after))
            copyCell(to, rowStride, sharedCell(before, c, after), sharedStride, cellBytes, lines);
        else if (!m_cell[c - First].blank)
            copyCell(to, rowStride, cellBits + size_t(c - First) * cellBytes, cellStride, cellBytes,
                     lines);
        before = c;
    }
    if (spills)
        copyCell(rowBits + size_t(shown) * cellBytes, rowStride, sharedCell(before, None, None),
                 sharedStride, cellBytes, lines);
    return m_row;
}

const QImage& GlyphCells::composeWhole(QStringView text, int maxWidth) {
    const QImage& row = compose(text, maxWidth);
    if (row.isNull() || m_columns != text.size() || inkLeft(text[0].unicode()))
        return m_none;
    return row;
}
