#include "screen/RepaintThrottle.h"

#include <algorithm>

RepaintThrottle::RepaintThrottle(QObject* parent)
    : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RepaintThrottle::fire);
}

void RepaintThrottle::request() {
    if (m_timer.isActive())
        return;
    const qint64 sinceLast =
        m_sinceLastFrame.isValid() ? m_sinceLastFrame.elapsed() : qint64(FrameMilliseconds);
    m_timer.start(int(std::max<qint64>(0, FrameMilliseconds - sinceLast)));
}

void RepaintThrottle::fire() {
    m_sinceLastFrame.start();
    emit due();
}
