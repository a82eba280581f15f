#pragma once

// The node's bytes on their way to the serial port. The GUI thread puts every chunk the
// terminal is given; the port's thread takes all that waits and writes it in one go. A
// port slower than the node (or held by flow control) cannot make memory grow or slow
// the session: once more than Limit bytes wait, here and in the port's own buffer,
// further chunks are dropped and counted. Once closed (the port is gone), every chunk
// is dropped.
//
// Threading: any thread. The wake call runs on the thread that puts, under the outbox's
// lock, so it must only post (a queued call), never wait.

#include <QByteArray>
#include <QMutex>

#include <functional>

class SerialOutbox {
public:
    static constexpr qint64 Limit = 64 * 1024;

    // Called when bytes start to wait; empty for none.
    void setWake(std::function<void()> wake);

    void put(QByteArrayView bytes);
    QByteArray takeAll();
    // What the port still holds, counted against the limit.
    void setBytesInPort(qint64 bytes);
    // From now on every chunk is dropped; returns what was still waiting.
    QByteArray close();

    qint64 droppedBytes() const;

private:
    mutable QMutex m_lock;
    QByteArray m_waiting;
    qint64 m_inPort = 0;
    qint64 m_dropped = 0;
    bool m_closed = false;
    std::function<void()> m_wake;
};
