#include "NodeFloodTimer.h"

#include <algorithm>

namespace testnode {

namespace {
constexpr int MinTickMs = 5;
constexpr int MaxTickMs = 50;
} // namespace

NodeFloodTimer::NodeFloodTimer(QObject* parent)
    : QObject(parent) {
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &NodeFloodTimer::tick);
}

void NodeFloodTimer::start(int perSecond, int count) {
    m_perSecond = std::max(1, perSecond);
    m_total = std::max(0, count);
    m_sent = 0;
    m_clock.start();
    m_timer.start(static_cast<int>(std::clamp<qint64>(1000 / m_perSecond, MinTickMs, MaxTickMs)));
}

void NodeFloodTimer::stop() {
    m_timer.stop();
}

void NodeFloodTimer::tick() {
    // The first spot is due at once, the n-th after (n - 1) / rate seconds.
    const qint64 dueByNow = 1 + m_clock.elapsed() * m_perSecond / 1000;
    const int dueTotal = static_cast<int>(std::min<qint64>(m_total, dueByNow));
    const int batch = dueTotal - m_sent;
    m_sent = dueTotal;
    if (m_sent == m_total)
        m_timer.stop();
    if (batch > 0)
        emit due(batch);
    if (m_sent == m_total)
        emit finished();
}

} // namespace testnode
