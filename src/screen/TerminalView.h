#pragma once

// The terminal image ("Image1" of the TTY sheet): the newest lines of the screen
// buffer, the line under construction on the bottom row and older lines above it, one
// row per line and no scroll bar of its own. It pulls its lines when it paints and
// repaints through a throttle, so a flood of text costs at most one paint per frame,
// and nothing while the view is hidden.

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

    // Asks for a repaint on the next frame.
    void scheduleRepaint() { m_throttle.request(); }
    bool isRepaintPending() const { return m_throttle.isPending(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ScreenBuffer& m_screen;
    DisplayCharset m_charset;
    RepaintThrottle m_throttle;
    QColor m_background = Qt::white;
    QColor m_text = Qt::black;
    QList<QByteArray> m_lines;
    QList<QString> m_painted;
};
