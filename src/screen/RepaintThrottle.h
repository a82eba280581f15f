#pragma once

// Folds many repaint requests into one: fires at most once per pass of the event loop
// and no more often than the eye can follow (every 16 ms), however fast text arrives.
// A request is never lost: one arriving while a frame is pending is served by it.
//
// Lives on the GUI thread.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class RepaintThrottle : public QObject {
    Q_OBJECT

public:
    static constexpr int FrameMilliseconds = 16;

    explicit RepaintThrottle(QObject* parent = nullptr);

    void request();
    bool isPending() const { return m_timer.isActive(); }

signals:
    void due();

private:
    void fire();

    QTimer m_timer;
    QElapsedTimer m_sinceLastFrame;
};
