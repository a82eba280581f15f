#pragma once

// This copy's entry in the per-user registry of running copies: a local socket in the
// runtime folder, one folder per display, named after the process, that answers the
// CopyProtocol. Copies find
// each other by listing that folder, never by looking at other programs' windows, and
// each copy moves only its own window, when asked. The socket file goes when the copy
// ends normally; one left by a copy that died no longer answers, and whoever finds it
// so removes it (CopyCollector).

#include "desktop/CopyProtocol.h"

#include <QObject>

#include <functional>

class QLocalServer;
class QLocalSocket;

class CopyRegistry : public QObject {
    Q_OBJECT

public:
    using Describe = std::function<CopyIdentity()>;
    using Move = std::function<void(const QRect& frame)>;

    // describe tells what this copy's window looks like now (started is filled in
    // here); move moves its frame.
    CopyRegistry(Describe describe, Move move, QObject* parent = nullptr);

    // Empty when the folder cannot take the socket; the copy then runs unregistered.
    QString serverName() const;
    CopyIdentity identity() const;

    // The registry of the copies on this copy's display.
    static QString folder();
    // This copy's display, as a file name.
    static QString displayName();

private:
    void accept();
    void readRequests(QLocalSocket* socket);
    void drop(QLocalSocket* socket);

    Describe m_describe;
    Move m_move;
    qint64 m_started;
    QLocalServer* m_server;
    int m_peers = 0;
};
