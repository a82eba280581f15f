#include "desktop/CopyRegistry.h"

#include "desktop/RuntimeLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

// Several main windows in one process (tests) each get their own entry.
QString nextServerName() {
    static int windowsInProcess = 0;
    return CopyRegistry::folder() + QStringLiteral("/kestrel-%1-%2")
                                        .arg(QCoreApplication::applicationPid())
                                        .arg(windowsInProcess++);
}

} // namespace

QString CopyRegistry::folder() {
    return RuntimeLock::pathOf(QStringLiteral("kestrel-copies"));
}

CopyRegistry::CopyRegistry(Describe describe, Move move, QObject* parent)
    : QObject(parent)
    , m_describe(std::move(describe))
    , m_move(std::move(move))
    , m_started(QDateTime::currentMSecsSinceEpoch())
    , m_server(new QLocalServer(this)) {
    QDir().mkpath(folder());
    const QString name = nextServerName();
    // A socket file left under this name by a dead process that had our id.
    QLocalServer::removeServer(name);
    m_server->listen(name);
    connect(m_server, &QLocalServer::newConnection, this, &CopyRegistry::accept);
}

QString CopyRegistry::serverName() const {
    return m_server->fullServerName();
}

CopyIdentity CopyRegistry::identity() const {
    CopyIdentity identity = m_describe();
    identity.started = m_started;
    return identity;
}

void CopyRegistry::accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequests(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void CopyRegistry::readRequests(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(CopyProtocol::MaxLineLength).trimmed();
        if (line == CopyProtocol::WhoRequest)
            socket->write(CopyProtocol::formatIdentity(identity()) + '\n');
        else if (const auto frame = CopyProtocol::parseMove(line))
            m_move(*frame);
    }
    if (socket->bytesAvailable() > CopyProtocol::MaxLineLength)
        socket->abort();
}
