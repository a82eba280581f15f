#pragma once

// Paces a flood of spots. Each tick works out from the elapsed time how many spots
// should have gone by now and asks for the difference, so a slow tick is made up by a
// bigger batch and the rate never drifts. Thousands a second cost a few ticks each
// batch, not one timer per spot.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace testnode {

class NodeFloodTimer : public QObject {
    Q_OBJECT
public:
    explicit NodeFloodTimer(QObject* parent = nullptr);

    // Starts over, dropping any flood still running.
    void start(int perSecond, int count);
    void stop();
    bool isActive() const { return m_timer.isActive(); }

signals:
    void due(int count);
    void finished();

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_perSecond = 1;
    int m_total = 0;
    int m_sent = 0;
};

} // namespace testnode
