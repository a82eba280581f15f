#include "screen/RepaintThrottle.h"

#include <algorithm>

RepaintThrottle::RepaintThrottle(int intervalMilliseconds, QObject* parent)
    : QObject(parent)
    , m_interval(intervalMilliseconds)
    , m_floodInterval(intervalMilliseconds) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RepaintThrottle::fire);
}

RepaintThrottle::RepaintThrottle(int intervalMilliseconds, int floodIntervalMilliseconds)
    : RepaintThrottle(intervalMilliseconds) {
    m_floodInterval = std::max(intervalMilliseconds, floodIntervalMilliseconds);
}

void RepaintThrottle::request() {
    if (m_timer.isActive())
        return;
    const qint64 sinceLast =
        m_sinceLastFrame.isValid() ? m_sinceLastFrame.elapsed() : qint64(m_interval);
    const int interval = sinceLast < m_interval ? m_floodInterval : m_interval;
    m_timer.start(int(std::max<qint64>(0, interval - sinceLast)));
}

void RepaintThrottle::fire() {
    m_sinceLastFrame.start();
    emit due();
}
