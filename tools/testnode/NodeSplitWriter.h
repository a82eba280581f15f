#pragma once

// Writes one client's outgoing stream, cutting it at chosen byte offsets (counted from
// the start of the connection) so the client has to put lines back together from
// separate reads. At each cut the writer either holds until released, which lets a
// test step through the pieces, or pauses for a short delay.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>

class QTcpSocket;

namespace testnode {

class NodeSplitWriter : public QObject {
    Q_OBJECT
public:
    explicit NodeSplitWriter(QTcpSocket* socket, QObject* parent = nullptr);

    // Offsets at or before what was already written are ignored.
    void setOffsets(const QList<qsizetype>& offsets);
    // Turning holding off lets a held stream go on.
    void setHoldAtOffsets(bool hold);
    void setDelay(std::chrono::milliseconds delay);

    void write(const QByteArray& bytes);
    // Sends the next piece after a hold; does nothing unless the writer is held.
    void release();

    bool isHeld() const { return m_waiting && m_hold; }
    bool isIdle() const { return !m_waiting && m_pending.isEmpty(); }
    qint64 bytesWritten() const { return m_written; }

signals:
    // The stream has been written up to offset; more follows only after release().
    void pieceHeld(qsizetype offset);
    // Everything written so far has gone to the socket.
    void drained();

private:
    void pump();
    qint64 nextCut() const;
    void writeToSocket(qsizetype length);
    void waitAtCut(qint64 offset);

    QPointer<QTcpSocket> m_socket;
    QByteArray m_pending;
    qint64 m_written = 0;
    QList<qsizetype> m_offsets;
    bool m_hold = false;
    bool m_waiting = false;
    QTimer m_delayTimer;
};

} // namespace testnode
