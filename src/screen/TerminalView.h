#pragma once

// A terminal image: lines of the screen buffer, one row per line, the newest of them on
// the bottom row and older lines above it, no scroll bar of its own. The TTY sheet's
// image ("Image1") shows the newest lines, the line under construction at the bottom;
// the back-scroll view's image ("Image2") shows the lines up to the buffer's view index.
// It pulls its lines when it paints and repaints through a throttle, so a flood of text
// costs at most one paint per frame (about 30 a second while the flood lasts), and
// nothing while the view is hidden.
//
// Painting costs what changed, not what is shown: at each frame the picture already on
// the window is scrolled by the lines that arrived (the window system moves the pixels)
// and only rows whose text changed are drawn again (mostly the line under construction
// and the rows scrolled in), put together from the font's character cells (GlyphCells)
// where they can be. A font, colour, character set or size change, and a view drawn while
// hidden, draws every row from the screen buffer.
//
// Screen readers read it as a terminal (AccessibleTerminalView), the TTY sheet's image
// named "TTY". On that one they hear completed lines as inserted text, at most ten times
// a second however fast text arrives; nothing of this runs while no assistive technology
// is attached.

#include "base/DisplayCharset.h"
#include "screen/GlyphCells.h"
#include "screen/RepaintThrottle.h"

#include <QColor>
#include <QList>
#include <QWidget>

class ScreenBuffer;

class TerminalView : public QWidget {
    Q_OBJECT

public:
    enum class Lines { Newest, UpToViewIndex };

    explicit TerminalView(const ScreenBuffer& screen, QWidget* parent = nullptr,
                          Lines shown = Lines::Newest);

    void setTerminalFont(const QFont& font);
    void setBackgroundColor(const QColor& color);
    void setTextColor(const QColor& color);
    void setCharset(int windowsCharset);
    QColor backgroundColor() const { return m_background; }
    QColor textColor() const { return m_text; }

    int lineHeight() const;
    // How many whole rows fit; the view shows this many lines.
    int rowCount() const;
    // The texts of the rows as the last paint drew them, bottom row first.
    const QList<QString>& paintedRows() const { return m_painted; }
    // The count lines of the bottom rows decoded as they are painted, bottom row first.
    QList<QString> shownLines(int count);
    // The lines of all rows, oldest first, joined by line feeds.
    QString shownText();

    // Asks for a repaint on the next frame.
    void scheduleRepaint() { m_throttle.request(); }
    bool isRepaintPending() const { return m_throttle.isPending(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    static constexpr int AnnounceMilliseconds = 100;
    static constexpr int FloodFrameMilliseconds = 33;

    void announceCompletedLines();
    // Reads the bytes of count rows into m_lines; returns the bottom row's line's
    // sequence number.
    quint64 fetchLines(int count);
    // The fetched lines decoded, bottom row first.
    QList<QString> decodeFetched(int count);
    void redrawWhole();
    // A frame: brings the picture up to the shown lines with as little drawing as can be.
    void refresh();
    // Takes every row's text from the screen buffer.
    void takeAllRows(int rows);
    bool scrollRows(qint64 lines);
    QRect rowRect(int row) const;
    void drawRow(QPainter& painter, int row, const QString& text);

    const ScreenBuffer& m_screen;
    const Lines m_shown;
    DisplayCharset m_charset;
    RepaintThrottle m_throttle{RepaintThrottle::FrameMilliseconds, FloodFrameMilliseconds};
    RepaintThrottle m_announceThrottle{AnnounceMilliseconds};
    quint64 m_announcedLines = 0; // sequence number of the first line not yet announced
    QColor m_background = Qt::white;
    QColor m_text = Qt::black;
    QList<QByteArray> m_lines;
    QList<QString> m_painted;
    GlyphCells m_cells;

    // The text of each row as the window shows it once pending paints are done, top row
    // first; empty when unknown (hidden, or the look changed), which a paint of the
    // whole view puts right.
    QList<QString> m_shownRows;
    quint64 m_shownBottomLine = 0; // sequence number of the bottom row's line
};
