#pragma once

// Folds many repaint requests into one: fires at most once per pass of the event loop
// and no more often than the eye can follow (every 16 ms for scrolling text, less
// often for what is read rather than watched), however fast text arrives. A request is
// never lost: one arriving while a frame is pending is served by it.
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
};
