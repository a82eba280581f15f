#pragma once

// The terminal image ("Image1" of the TTY sheet): the newest lines of the screen
// buffer, the line under construction on the bottom row and older lines above it, one
// row per line and no scroll bar of its own. It pulls its lines when it paints and
// repaints through a throttle, so a flood of text costs at most one paint per frame,
// and nothing while the view is hidden.
//
// Screen readers read it as a terminal named "TTY" (AccessibleTerminalView) and hear
// completed lines as inserted text, at most ten times a second however fast text
// arrives; nothing of this runs while no assistive technology is attached.

#include "screen/DisplayCharset.h"
#include "screen/RepaintThrottle.h"

#include <QColor>
#include <QList>
#include <QWidget>

class ScreenBuffer;

class TerminalView : public QWidget {
    Q_OBJECT

public:
    explicit TerminalView(const ScreenBuffer& screen, QWidget* parent = nullptr);

    void setTerminalFont(const QFont& font);
    void setBackgroundColor(const QColor& color);
    void setTextColor(const QColor& color);
    void setCharset(int windowsCharset);

    int lineHeight() const;
    // How many whole rows fit; the view shows this many lines.
    int rowCount() const;
    // The texts of the rows as the last paint drew them, bottom row first.
    const QList<QString>& paintedRows() const { return m_painted; }
    // The newest count lines decoded as they are painted, bottom row (the line under
    // construction) first.
    QList<QString> shownLines(int count);
    // The lines of all rows, oldest first, joined by line feeds.
    QString shownText();

    // Asks for a repaint on the next frame.
    void scheduleRepaint() { m_throttle.request(); }
    bool isRepaintPending() const { return m_throttle.isPending(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int AnnounceMilliseconds = 100;

    void announceCompletedLines();

    const ScreenBuffer& m_screen;
    DisplayCharset m_charset;
    RepaintThrottle m_throttle;
    RepaintThrottle m_announceThrottle{AnnounceMilliseconds};
    quint64 m_announcedLines = 0; // sequence number of the first line not yet announced
    QColor m_background = Qt::white;
    QColor m_text = Qt::black;
    QList<QByteArray> m_lines;
    QList<QString> m_painted;
};
