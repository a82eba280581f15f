#pragma once

// The link check: after a set number of minutes in which no line was completed on the
// terminal, one empty line goes to the node, so that a link that died without a word is
// noticed by the socket. Every completed line restarts the count (it is the last stage
// of the line fan-out); so does the empty line itself when the node's local echo puts it
// on the screen. The line goes as a typed line does (sendEmptyLine), so it ends as the
// node wants (CR LF, or CR alone) and is echoed as any other line. Nothing is sent while not
// connected, but the timer stays armed: a silent, healthy connection gets one line per period.
//
// GUI thread only. takeLine runs inside the screen lock, once per line of a flood: it
// only notes the time, and the timer, when it runs out, waits out what is left of the
// period since the last line.

#include "screen/LinePipeline.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class NodeConnection;

class LinkCheck : public QObject, public LineSink {
    Q_OBJECT

public:
    static constexpr int MillisecondsPerMinute = 60000;

    LinkCheck(NodeConnection& connection, std::function<void()> sendEmptyLine,
              QObject* parent = nullptr);

    // LINK_CHECK: minutes of silence before the empty line, 0 for none. Arms the timer
    // afresh; called at start-up and whenever the settings change.
    void apply(int minutes);
    bool isArmed() const { return m_linkCheckTimer.isActive(); }

    // Tests shorten the minute.
    void setMillisecondsPerMinute(int milliseconds);

    // A completed line: the count starts again.
    void takeLine(QByteArrayView line) override;

private:
    int interval() const { return m_minutes * m_millisecondsPerMinute; }
    void rearm();
    void LinkCheckTimerTimer();

    NodeConnection& m_connection;
    std::function<void()> m_sendEmptyLine;
    QTimer m_linkCheckTimer{this};
    QElapsedTimer m_sinceLastLine;
    int m_minutes = 0;
    int m_millisecondsPerMinute = MillisecondsPerMinute;
};
