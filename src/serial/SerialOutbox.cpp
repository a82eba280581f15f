#include "serial/SerialOutbox.h"

#include <QMutexLocker>

void SerialOutbox::setWake(std::function<void()> wake) {
    QMutexLocker locker(&m_lock);
    m_wake = std::move(wake);
    if (m_wake && !m_waiting.isEmpty())
        m_wake();
}

void SerialOutbox::put(QByteArrayView bytes) {
    QMutexLocker locker(&m_lock);
    if (m_closed || bytes.isEmpty())
        return;
    if (m_waiting.size() + m_inPort > Limit) {
        m_dropped += bytes.size();
        return;
    }
    const bool wasEmpty = m_waiting.isEmpty();
    m_waiting.append(bytes);
    if (wasEmpty && m_wake)
        m_wake();
}

QByteArray SerialOutbox::takeAll() {
    QMutexLocker locker(&m_lock);
    return std::exchange(m_waiting, QByteArray());
}

void SerialOutbox::setBytesInPort(qint64 bytes) {
    QMutexLocker locker(&m_lock);
    m_inPort = bytes;
}

QByteArray SerialOutbox::close() {
    QMutexLocker locker(&m_lock);
    m_closed = true;
    m_wake = nullptr;
    return std::exchange(m_waiting, QByteArray());
}

qint64 SerialOutbox::droppedBytes() const {
    QMutexLocker locker(&m_lock);
    return m_dropped;
}
