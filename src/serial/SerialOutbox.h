#pragma once

// The node's bytes on their way to the serial port. The GUI thread puts every chunk the
// terminal is given; the port's thread takes all that waits and writes it in one go.
//
// Nothing is dropped while the port takes data. A port slower than the node makes bytes
// wait, here and in the port's own buffer; once HoldBytes wait, the relay is asked to
// hold the node back (hold(true): its socket is no longer read, and TCP holds the node),
// until what waits has drained below ReleaseBytes (hold(false)). Memory thus stays
// within HoldBytes and what one read of the node's socket brings. HoldBytes is several
// minutes of a busy evening's spots running a few KB a second ahead of a 9600 baud
// port, so an ordinary session is never held. Only a port that takes nothing for a while
// loses what waits (dropWaiting). Once closed (the port is gone), every chunk is dropped.
//
// Threading: any thread. The wake and hold calls run under the outbox's lock on the
// thread that caused them, so they must only post (a queued call), never wait.

#include <QByteArray>
#include <QMutex>

#include <functional>

class SerialOutbox {
public:
    static constexpr qint64 HoldBytes = 4 * 1024 * 1024;
    static constexpr qint64 ReleaseBytes = 1024 * 1024;

    // Called when bytes start to wait; empty for none.
    void setWake(std::function<void()> wake);
    // Called with true when the node must be held back, with false when it may go on.
    void setHold(std::function<void(bool)> hold);

    void put(QByteArrayView bytes);
    // What waits, now counted as being in the port until setBytesInPort says otherwise.
    QByteArray takeAll();
    // What the port still holds.
    void setBytesInPort(qint64 bytes);
    // The port has taken nothing for a while: what waits here is dropped, and what the
    // port holds (inPort, which the caller discards) is counted with it. The count.
    qint64 dropWaiting(qint64 inPort);
    // From now on every chunk is dropped; returns what was still waiting.
    QByteArray close();

    // Here and in the port.
    qint64 waitingBytes() const;
    bool isHolding() const;

private:
    void holdOrRelease();

    mutable QMutex m_lock;
    QByteArray m_waiting;
    qint64 m_inPort = 0;
    bool m_holding = false;
    bool m_closed = false;
    std::function<void()> m_wake;
    std::function<void(bool)> m_hold;
};
