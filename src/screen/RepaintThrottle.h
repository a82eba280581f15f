#pragma once

// Folds many repaint requests into one: fires at most once per pass of the event loop
// and no more often than the eye can follow (every 16 ms for scrolling text, less
// often for what is read rather than watched), however fast text arrives. A request is
// never lost: one arriving while a frame is pending is served by it. A request that
// comes sooner than an interval after the last frame (a flood) may wait for a longer
// flood interval instead, so a steady stream of text is painted less often while a
// single line still shows at once.
//
// Lives on the GUI thread.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class RepaintThrottle : public QObject {
    Q_OBJECT

public:
    static constexpr int FrameMilliseconds = 16;

    explicit RepaintThrottle(int intervalMilliseconds = FrameMilliseconds,
                             QObject* parent = nullptr);
    RepaintThrottle(int intervalMilliseconds, int floodIntervalMilliseconds);
    int interval() const { return m_interval; }

    void request();
    bool isPending() const { return m_timer.isActive(); }

signals:
    void due();

private:
    void fire();

    QTimer m_timer;
    QElapsedTimer m_sinceLastFrame;
    int m_interval;
    int m_floodInterval;
};
