#pragma once

// Hamlib's dummy rig behind a real rigctld on 127.0.0.1, read back with rigctl.

#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// rigctld with the dummy rig on a port that was free a moment ago.
struct Rigctld {
    quint16 port = 0;
    QProcess process;
    QTcpSocket client; // kept: rigctld resets new clients while its last one is leaving

    Rigctld() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
    }
    ~Rigctld() { stop(); }
    QString address() const { return QStringLiteral("127.0.0.1:") + QString::number(port); }

    bool start() {
        process.start(QStringLiteral("rigctld"),
                      {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                       QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(port)});
        return process.waitForStarted() && QTest::qWaitFor([this] {
                   client.abort();
                   client.connectToHost(QHostAddress::LocalHost, port);
                   return client.waitForConnected(100);
               });
    }
    void stop() {
        client.abort();
        process.kill();
        process.waitForFinished();
    }
    // rigctl's answer to the commands, one value a line.
    QByteArray ask(const QString& commands) const {
        QProcess rigctl;
        rigctl.start(QStringLiteral("rigctl"),
                     QStringList{QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                                 address()} +
                         commands.split(u' '));
        rigctl.waitForFinished();
        return rigctl.readAllStandardOutput().trimmed();
    }
};
