#include "serial/SerialOutbox.h"

#include <QMutexLocker>

void SerialOutbox::setWake(std::function<void()> wake) {
    QMutexLocker locker(&m_lock);
    m_wake = std::move(wake);
    if (m_wake && !m_waiting.isEmpty())
        m_wake();
}

void SerialOutbox::setHold(std::function<void(bool)> hold) {
    QMutexLocker locker(&m_lock);
    m_hold = std::move(hold);
}

void SerialOutbox::put(QByteArrayView bytes) {
    QMutexLocker locker(&m_lock);
    if (m_closed || bytes.isEmpty())
        return;
    const bool wasEmpty = m_waiting.isEmpty();
    m_waiting.append(bytes);
    holdOrRelease();
    if (wasEmpty && m_wake)
        m_wake();
}

QByteArray SerialOutbox::takeAll() {
    QMutexLocker locker(&m_lock);
    m_inPort += m_waiting.size();
    return std::exchange(m_waiting, QByteArray());
}

void SerialOutbox::setBytesInPort(qint64 bytes) {
    QMutexLocker locker(&m_lock);
    m_inPort = bytes;
    holdOrRelease();
}

qint64 SerialOutbox::dropWaiting(qint64 inPort) {
    QMutexLocker locker(&m_lock);
    const qint64 dropped = m_waiting.size() + inPort;
    m_waiting.clear();
    m_inPort = 0;
    holdOrRelease();
    return dropped;
}

QByteArray SerialOutbox::close() {
    QMutexLocker locker(&m_lock);
    m_closed = true;
    m_wake = nullptr;
    m_hold = nullptr;
    m_inPort = 0;
    return std::exchange(m_waiting, QByteArray());
}

qint64 SerialOutbox::waitingBytes() const {
    QMutexLocker locker(&m_lock);
    return m_waiting.size() + m_inPort;
}

bool SerialOutbox::isHolding() const {
    QMutexLocker locker(&m_lock);
    return m_holding;
}

void SerialOutbox::holdOrRelease() {
    const qint64 waiting = m_waiting.size() + m_inPort;
    const bool holding = m_holding ? waiting >= ReleaseBytes : waiting >= HoldBytes;
    if (holding == m_holding)
        return;
    m_holding = holding;
    if (m_hold)
        m_hold(holding);
}
