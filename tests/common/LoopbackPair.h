#pragma once

// A connected pair of real sockets on 127.0.0.1: the client side for the code under
// test, the peer playing the node and keeping everything it receives.

#include <QTcpServer>
#include <QTcpSocket>

struct LoopbackPair {
    QTcpServer server;
    QTcpSocket client;
    QTcpSocket* peer = nullptr;
    QByteArray peerReceived;

    bool open() {
        if (!server.listen(QHostAddress::LocalHost))
            return false;
        client.connectToHost(QHostAddress::LocalHost, server.serverPort());
        if (!client.waitForConnected(5000) || !server.waitForNewConnection(5000))
            return false;
        peer = server.nextPendingConnection();
        if (!peer)
            return false;
        QObject::connect(peer, &QTcpSocket::readyRead, peer,
                         [this] { peerReceived.append(peer->readAll()); });
        return true;
    }
};
