#include "screen/GlyphCells.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

void GlyphCells::setLook(const QFont& font, const QColor& text, const QColor& background) {
    if (m_drawn && font == m_font && text == m_text && background == m_background)
        return;
    m_font = font;
    m_text = text;
    m_background = background;
    m_drawn = false;
}

// Each character is drawn where a row of text would put it: on the baseline, at its
// cell's left edge. A character whose advance differs from the others gets no cell.
bool GlyphCells::ensureDrawn() {
    if (m_drawn)
        return m_cellWidth > 0;
    m_drawn = true;
    const QFontMetrics rows(m_font);
    const QFontMetricsF metrics(m_font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('M'));
    m_cellWidth = width == std::round(width) ? int(width) : 0;
    if (m_cellWidth <= 0)
        return false;
    m_cells =
        QImage(m_cellWidth * (Last - First + 1), std::max(1, rows.height()), QImage::Format_RGB32);
    m_cells.fill(m_background);
    QPainter painter(&m_cells);
    painter.setFont(m_font);
    painter.setPen(m_text);
    const QImage blank = m_cells.copy(0, 0, m_cellWidth, m_cells.height());
    for (char16_t c = First; c <= Last; ++c) {
        const QChar character(c);
        const size_t slot = c - First;
        m_hasCell[slot] = character.isPrint() && metrics.horizontalAdvance(character) == width;
        if (!m_hasCell[slot])
            continue;
        const QRect cell(int(slot) * m_cellWidth, 0, m_cellWidth, m_cells.height());
        painter.setClipRect(cell);
        painter.drawText(QPoint(cell.left(), rows.ascent()), QString(character));
        m_blank[slot] = m_cells.copy(cell) == blank;
    }
    return true;
}

int GlyphCells::cellOf(QChar character) const {
    const char16_t c = character.unicode();
    if (c < First || c > Last || !m_hasCell[c - First])
        return NoCell;
    return c - First;
}

const QImage& GlyphCells::compose(QStringView text, int maxWidth) {
    if (!ensureDrawn())
        return m_none;
    const auto shown = std::min<qsizetype>(text.size(), std::max(0, maxWidth) / m_cellWidth);
    for (qsizetype i = 0; i < shown; ++i) {
        if (cellOf(text[i]) == NoCell)
            return m_none;
    }
    const QSize size(int(shown) * m_cellWidth, m_cells.height());
    if (m_row.size() != size)
        m_row = QImage(size, QImage::Format_RGB32);
    m_row.fill(m_background);
    const size_t cellBytes = size_t(m_cellWidth) * 4;
    const qsizetype rowStride = m_row.bytesPerLine();
    const qsizetype cellStride = m_cells.bytesPerLine();
    uchar* const rowBits = m_row.bits();
    const uchar* const cellBits = m_cells.constBits();
    for (qsizetype i = 0; i < shown; ++i) {
        const int slot = cellOf(text[i]);
        if (m_blank[size_t(slot)])
            continue;
        uchar* to = rowBits + size_t(i) * cellBytes;
        const uchar* from = cellBits + size_t(slot) * cellBytes;
        for (int y = 0; y < size.height(); ++y, to += rowStride, from += cellStride)
            std::memcpy(to, from, cellBytes);
    }
    return m_row;
}

const QImage& GlyphCells::composeWhole(QStringView text, int maxWidth) {
    const QImage& row = compose(text, maxWidth);
    return row.width() == text.size() * m_cellWidth ? row : m_none;
}
