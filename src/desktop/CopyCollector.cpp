#include "desktop/CopyCollector.h"

#include "desktop/CopyRegistry.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>

CopyCollector::CopyCollector(const QString& ownServer, std::chrono::milliseconds timeout,
                             QObject* parent)
    : QObject(parent)
    , m_ownServer(ownServer) {
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(timeout);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        while (!m_waiting.empty())
            drop(m_waiting.begin()->first, false);
    });
}

void CopyCollector::start() {
    const QDir folder(CopyRegistry::folder());
    for (const QFileInfo& entry : folder.entryInfoList(QDir::System | QDir::Files)) {
        if (entry.absoluteFilePath() != m_ownServer)
            ask(entry.absoluteFilePath());
    }
    m_asking = false;
    m_timeout.start();
    finishIfDone();
}

void CopyCollector::ask(const QString& server) {
    auto* socket = new QLocalSocket(this);
    m_waiting[server] = socket;
    connect(socket, &QLocalSocket::connected, socket,
            [socket] { socket->write(QByteArray(CopyProtocol::WhoRequest) + '\n'); });
    connect(socket, &QLocalSocket::readyRead, this, [this, server] { readAnswer(server); });
    connect(socket, &QLocalSocket::errorOccurred, this,
            [this, server](QLocalSocket::LocalSocketError error) {
                drop(server, error == QLocalSocket::ConnectionRefusedError);
            });
    socket->connectToServer(server);
}

void CopyCollector::readAnswer(const QString& server) {
    const auto waiting = m_waiting.find(server);
    if (waiting == m_waiting.end())
        return;
    QLocalSocket* socket = waiting->second;
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > CopyProtocol::MaxLineLength)
            drop(server, false);
        return;
    }
    QByteArray line = socket->readLine(CopyProtocol::MaxLineLength);
    line.chop(line.endsWith('\n') ? 1 : 0);
    if (const auto identity = CopyProtocol::parseIdentity(line)) {
        m_answers.append({server, *identity});
        m_answered[server] = socket;
        m_waiting.erase(waiting);
        finishIfDone();
    } else {
        drop(server, false);
    }
}

// A dead copy's socket file refuses connections; a live copy's never does.
void CopyCollector::drop(const QString& server, bool dead) {
    const auto waiting = m_waiting.find(server);
    if (waiting == m_waiting.end())
        return;
    waiting->second->disconnect(this);
    waiting->second->abort();
    waiting->second->deleteLater();
    m_waiting.erase(waiting);
    if (dead)
        QFile::remove(server);
    finishIfDone();
}

void CopyCollector::finishIfDone() {
    if (m_asking || m_finished || !m_waiting.empty())
        return;
    m_finished = true;
    m_timeout.stop();
    emit finished();
}

void CopyCollector::sendMove(const QString& server, const QRect& frame) {
    const auto answered = m_answered.find(server);
    if (answered == m_answered.end())
        return;
    answered->second->write(CopyProtocol::formatMove(frame) + '\n');
    answered->second->disconnectFromServer(); // after what is written has gone
}
