#pragma once

// One telnet connection to the node: what the client sent (raw, exactly), the lines
// it typed, who it logged in as, and the writer that carries the node's output.

#include "NodeLineReader.h"

#include <QByteArray>
#include <QObject>

class QTcpSocket;

namespace testnode {

class NodeSplitWriter;

class NodeClient : public QObject {
    Q_OBJECT
public:
    // Raw input kept per client; a client that sends more is still served, but only
    // the start of what it sent stays on record.
    static constexpr qsizetype MaxRecordedBytes = 64 * 1024 * 1024;

    // Takes the socket over as a child.
    NodeClient(int id, QTcpSocket* socket, QObject* parent = nullptr);

    int id() const { return m_id; }
    bool isConnected() const { return m_socket != nullptr; }
    bool isLoggedIn() const { return !m_call.isEmpty(); }
    QByteArray call() const { return m_call; }
    void setCall(const QByteArray& call) { m_call = call; }
    QByteArray received() const { return m_received; }
    NodeSplitWriter& writer() { return *m_writer; }
    const NodeSplitWriter& writer() const { return *m_writer; }

    // Ignored once the connection is closing.
    void send(const QByteArray& bytes);
    // Closes after everything already queued has been written.
    void closeWhenSent();
    // Closes at once, dropping whatever is still queued.
    void drop();
    // A node too busy to read: what the client sends waits in the system meanwhile.
    void setReading(bool reading);

signals:
    void bytesReceived();
    void lineReceived(const QByteArray& line);
    void disconnected();

private:
    void readSocket();
    void record(const QByteArray& chunk);
    void finish();

    int m_id;
    QTcpSocket* m_socket;
    NodeSplitWriter* m_writer;
    NodeLineReader m_reader;
    QByteArray m_received;
    QByteArray m_call;
    bool m_closing = false;
    bool m_reading = true;
};

} // namespace testnode
