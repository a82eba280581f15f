#pragma once

// The connection to the node (ClientSocket1) and the values of the node it was started
// for. It owns the socket, the receive path into the screen and the guarded send, and
// tells the window what the socket does.
//
// A node that closes the connection, or resets it, is reported as a disconnect only:
// Qt reports that as RemoteHostClosedError just before disconnected(), and it is not a
// socket error. Every other error is reported by socketError(); when it ends an
// established connection, disconnected() follows.
//
// GUI thread only, except GuardedSend (see GuardedSender).

#include "base/NodeEntry.h"
#include "net/GuardedSender.h"
#include "net/NodeReceiver.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>

class ScreenBuffer;

class NodeConnection : public QObject {
    Q_OBJECT

public:
    // Result codes of StartConnection.
    enum StartCode {
        Started = 0,
        AlreadyConnected = -1,
        NoAddress = -2,
        NoPort = -3,
        PortNotNumeric = -4,
        SocketRefused = -5,
    };

    explicit NodeConnection(ScreenBuffer& screen, QObject* parent = nullptr);

    // Starts looking up and calling the node and, only then, takes its values over as
    // current(). Returns and keeps the result code; never shows anything itself.
    int StartConnection(const NodeEntry& selected);
    int resultCode() const { return m_resultCode; }
    void setResultCode(int code) { m_resultCode = code; }

    // The text for a result code.
    static QString ConErrStr(int code);
    // The port as a number, or 0 when the text is not a whole number from 1 to 65535.
    static quint16 portNumber(const QString& port);

    bool isConnected() const;
    // Closes the connection; disconnected() follows when it was established.
    void close();

    // The values of the node the connection was last started for.
    const NodeEntry& current() const { return m_current; }

    QTcpSocket& socket() { return m_socket; }
    GuardedSender& sender() { return m_sender; }
    NodeReceiver& receiver() { return m_receiver; }

signals:
    void lookingUp();
    void connecting();
    void connected();
    void socketError(QAbstractSocket::SocketError error);
    void disconnected();

private:
    void onStateChanged(QAbstractSocket::SocketState state);
    void onError(QAbstractSocket::SocketError error);

    QTcpSocket m_socket;
    GuardedSender m_sender;
    NodeReceiver m_receiver;
    NodeEntry m_current;
    int m_resultCode = Started;
};
