#include "screen/RepaintThrottle.h"

#include <algorithm>

RepaintThrottle::RepaintThrottle(int intervalMilliseconds, QObject* parent)
    : QObject(parent)
    , m_interval(intervalMilliseconds) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RepaintThrottle::fire);
}

void RepaintThrottle::request() {
    if (m_timer.isActive())
        return;
    const qint64 sinceLast =
        m_sinceLastFrame.isValid() ? m_sinceLastFrame.elapsed() : qint64(m_interval);
    m_timer.start(int(std::max<qint64>(0, m_interval - sinceLast)));
}

void RepaintThrottle::fire() {
    m_sinceLastFrame.start();
    emit due();
}
