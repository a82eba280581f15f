#pragma once

// The printable Latin-1 characters of a fixed-pitch font, each drawn once into a cell of
// its own in the view's colours, so a row of text is put together by copying cells
// instead of laying out and blending every glyph anew for every row. A row with a
// character that has no cell (any other script, or a font whose characters are not all
// one whole number of pixels wide) is left to the caller to draw as text.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStringView>

#include <array>

class GlyphCells {
public:
    // The look the cells are drawn in; the cells are drawn again on first use after a
    // change of it.
    void setLook(const QFont& font, const QColor& text, const QColor& background);

    // The text put together from its cells, as high as a line and as wide as the text
    // (at most maxWidth pixels of it); a null image when a character has no cell. The
    // image is the cells' own, good until the next call.
    const QImage& compose(QStringView text, int maxWidth);
    // The same for the whole text only: a null image when it is wider than maxWidth.
    const QImage& composeWhole(QStringView text, int maxWidth);

private:
    static constexpr char16_t First = 0x20;
    static constexpr char16_t Last = 0xff;
    static constexpr int NoCell = -1;

    bool ensureDrawn();
    int cellOf(QChar character) const;

    QFont m_font;
    QColor m_text;
    QColor m_background;
    bool m_drawn = false;
    int m_cellWidth = 0; // 0: the font cannot be drawn in cells
    QImage m_cells;      // character c's cell starts at x = (c - First) * width
    QImage m_row;
    const QImage m_none;
    std::array<bool, Last - First + 1> m_hasCell{};
    std::array<bool, Last - First + 1> m_blank{}; // the cell is all background
};
