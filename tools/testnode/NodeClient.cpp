#include "NodeClient.h"

#include "NodeSplitWriter.h"

#include <QTcpSocket>

#include <algorithm>
#include <utility>

namespace testnode {

NodeClient::NodeClient(int id, QTcpSocket* socket, QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_socket(socket)
    , m_writer(new NodeSplitWriter(socket, this)) {
    socket->setParent(this);
    // Pieces of a split write must leave at once, not wait for Nagle to merge them.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, &NodeClient::readSocket);
    connect(socket, &QTcpSocket::disconnected, this, &NodeClient::finish);
    connect(m_writer, &NodeSplitWriter::drained, this, [this] {
        if (m_closing && m_socket)
            m_socket->disconnectFromHost();
    });
}

void NodeClient::send(const QByteArray& bytes) {
    if (!m_closing && m_socket)
        m_writer->write(bytes);
}

void NodeClient::closeWhenSent() {
    if (m_closing || !m_socket)
        return;
    m_closing = true;
    if (m_writer->isIdle())
        m_socket->disconnectFromHost();
}

void NodeClient::drop() {
    m_closing = true;
    if (m_socket)
        m_socket->abort();
    finish();
}

void NodeClient::setReading(bool reading) {
    m_reading = reading;
    if (!m_socket)
        return;
    m_socket->setReadBufferSize(reading ? 0 : 1); // a full buffer stops reading the system
    if (reading)
        readSocket();
}

void NodeClient::readSocket() {
    if (!m_socket || !m_reading)
        return;
    const QByteArray chunk = m_socket->readAll();
    record(chunk);
    emit bytesReceived();
    const QList<QByteArray> lines = m_reader.feed(chunk);
    for (const QByteArray& line : lines) {
        if (m_closing)
            break;
        emit lineReceived(line);
    }
}

void NodeClient::record(const QByteArray& chunk) {
    const qsizetype room = MaxRecordedBytes - m_received.size();
    m_received.append(chunk.first(std::min(room, chunk.size())));
}

void NodeClient::finish() {
    if (!m_socket)
        return;
    m_closing = true;
    std::exchange(m_socket, nullptr)->deleteLater();
    emit disconnected();
}

} // namespace testnode
