#pragma once

// The printable Latin-1 characters of a fixed-pitch font, each drawn once into a cell of
// its own in the view's colours, so a row of text is put together by copying cells
// instead of laying out and blending every glyph anew for every row. A row with a
// character that has no cell (any other script, or a font whose characters are not all
// one whole number of pixels wide) is left to the caller to draw as text.
//
// Some fonts put ink outside a character's own cell (the right stroke of DejaVu Sans
// Mono's W, FreeMono Bold's A and M on both sides). Where a neighbour's ink reaches into
// a cell, that cell is drawn once as drawing the text draws it, the character and its two
// neighbours in turn, and kept for the next row with the same three characters; every
// other cell is copied as it is. A row is then pixel for pixel what drawing its text at
// x = 0 gives.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QStringView>

#include <array>

class GlyphCells {
public:
    // The look the cells are drawn in; the cells are drawn again on first use after a
    // change of it.
    void setLook(const QFont& font, const QColor& text, const QColor& background);

    // The text put together from its cells, as high as a line and as wide as the text (at
    // most maxWidth pixels of it), one cell wider when the last character's ink reaches
    // beyond it; a null image when a character has no cell. Ink left of the first
    // character is cut, as at the left edge of a view. The image is the cells' own, good
    // until the next call.
    const QImage& compose(QStringView text, int maxWidth);
    // The same for the whole text only: a null image when it is wider than maxWidth or its
    // first character's ink reaches left of it.
    const QImage& composeWhole(QStringView text, int maxWidth);

private:
    static constexpr char16_t First = 0x20;
    static constexpr char16_t Last = 0xff;
    static constexpr char16_t None = 0; // no character: before the first, after the last
    static constexpr int NoCell = -1;
    // Cells drawn with their neighbours' ink kept at once; more start the collection anew.
    static constexpr int MaxSharedCells = 4096;

    struct Cell {
        bool drawn = false;    // the character has a cell
        bool blank = false;    // the cell is all background
        bool inkLeft = false;  // its ink reaches into the cell before it
        bool inkRight = false; // its ink reaches into the cell after it
    };

    bool ensureDrawn();
    int cellOf(QChar character) const;
    bool inkRight(char16_t c) const { return c != None && m_cell[c - First].inkRight; }
    bool inkLeft(char16_t c) const { return c != None && m_cell[c - First].inkLeft; }
    const uchar* sharedCell(char16_t before, char16_t c, char16_t after);
    void drawCharacter(class QPainter& painter, char16_t c, int x) const;

    QFont m_font;
    QColor m_text;
    QColor m_background;
    bool m_drawn = false;
    int m_cellWidth = 0; // 0: the font cannot be drawn in cells
    int m_ascent = 0;
    int m_columns = 0;                // text columns in the last row composed
    QImage m_cells;                   // character c's cell starts at x = (c - First) * width
    QImage m_shared;                  // cells with neighbours' ink, one above the other
    QHash<quint32, int> m_sharedSlot; // (before, c, after) -> slot in m_shared
    QImage m_row;
    const QImage m_none;
    std::array<Cell, Last - First + 1> m_cell{};
};
