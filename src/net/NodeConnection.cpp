#include "net/NodeConnection.h"

#include "net/NetTexts.h"

#include <algorithm>

NodeConnection::NodeConnection(ScreenBuffer& screen, QObject* parent)
    : QObject(parent)
    , m_sender(screen)
    , m_receiver(screen, m_sender) {
    m_sender.setSocket(&m_socket);
    m_receiver.attach(&m_socket);
    connect(&m_socket, &QAbstractSocket::stateChanged, this, &NodeConnection::onStateChanged);
    connect(&m_socket, &QAbstractSocket::connected, this, &NodeConnection::connected);
    connect(&m_socket, &QAbstractSocket::errorOccurred, this, &NodeConnection::onError);
    connect(&m_socket, &QAbstractSocket::disconnected, this, &NodeConnection::disconnected);
}

quint16 NodeConnection::portNumber(const QString& port) {
    const QString digits = port.trimmed();
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }))
        return 0;
    bool ok = false;
    const uint number = digits.toUInt(&ok);
    return ok && number >= 1 && number <= 65535 ? quint16(number) : 0;
}

// The node is judged as chosen and taken over only when the start succeeds: a start
// that fails, whatever its code, leaves the session's node (caption, echo, line end,
// reconnect) as it was.
int NodeConnection::StartConnection(const NodeEntry& selected) {
    if (isConnected())
        return m_resultCode = AlreadyConnected;
    if (selected.address.isEmpty())
        return m_resultCode = NoAddress;
    if (selected.port.isEmpty())
        return m_resultCode = NoPort;
    const quint16 port = portNumber(selected.port);
    if (port == 0)
        return m_resultCode = PortNotNumeric;
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        return m_resultCode = SocketRefused; // still looking up or calling
    m_current = selected;
    m_receiver.decoder().reset();
    m_socket.connectToHost(m_current.address, port);
    return m_resultCode = Started;
}

QString NodeConnection::ConErrStr(int code) {
    switch (code) {
    case AlreadyConnected:
        return QString(NetTexts::AlreadyConnected);
    case NoAddress:
        return QString(NetTexts::NoAddress);
    case NoPort:
        return QString(NetTexts::NoPort);
    case PortNotNumeric:
        return QString(NetTexts::PortNotNumeric);
    case SocketRefused:
        return QString(NetTexts::ConnectionError);
    default:
        return QString(NetTexts::UnknownCode);
    }
}

bool NodeConnection::isConnected() const {
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

void NodeConnection::close() {
    m_socket.disconnectFromHost();
}

void NodeConnection::onStateChanged(QAbstractSocket::SocketState state) {
    if (state == QAbstractSocket::HostLookupState)
        emit lookingUp();
    else if (state == QAbstractSocket::ConnectingState)
        emit connecting();
}

void NodeConnection::onError(QAbstractSocket::SocketError error) {
    if (error == QAbstractSocket::RemoteHostClosedError)
        return; // the node closed or reset the connection: disconnected() follows
    emit socketError(error);
}
