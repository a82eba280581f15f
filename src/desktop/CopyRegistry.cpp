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

// Copies on another display of the same user (a local desktop and a VNC session share
// the runtime folder) register apart, so arranging windows never reaches them.
QString CopyRegistry::displayName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("none");
    for (QChar& c : display) { // one plain file name, whatever the variable holds
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-')
            c = u'_';
    }
    return display;
}

QString CopyRegistry::folder() {
    return RuntimeLock::pathOf(QStringLiteral("kestrel-copies/") + displayName());
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

// A local process that is not a copy gets no more than a copy would need: a few peers
// at once, lines of bounded length, and answers it must read to get more.
void CopyRegistry::accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (m_peers >= CopyProtocol::MaxPeers) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_peers;
        socket->setReadBufferSize(4 * CopyProtocol::MaxLineLength);
        connect(socket, &QObject::destroyed, this, [this] { --m_peers; });
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
        if (socket->bytesToWrite() > CopyProtocol::MaxUnreadAnswers)
            return drop(socket); // asks and never reads the answers
    }
    if (socket->bytesAvailable() >= CopyProtocol::MaxLineLength)
        drop(socket); // a line no copy would send
}

void CopyRegistry::drop(QLocalSocket* socket) {
    socket->abort();
    socket->deleteLater();
}
