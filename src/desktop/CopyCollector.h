#pragma once

// Asks every other running copy in the registry who it is, without blocking: all are
// asked at once, and the answers are in when each has answered, refused or the time is
// up. A socket nobody listens on any more belongs to a copy that died: it is skipped at
// once and its file removed. A copy that is slow to answer is left out this time.
// The connections stay open so the answered copies can be told where to move.

#include "desktop/CopyProtocol.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <map>

class QLocalSocket;

class CopyCollector : public QObject {
    Q_OBJECT

public:
    // ownServer is left out of the asking.
    CopyCollector(const QString& ownServer, std::chrono::milliseconds timeout,
                  QObject* parent = nullptr);

    void start();
    QList<CopyAnswer> answers() const { return m_answers; }
    // Tells one of the copies that answered where its frame goes.
    void sendMove(const QString& server, const QRect& frame);

signals:
    void finished();

private:
    void ask(const QString& server);
    void readAnswer(const QString& server);
    void drop(const QString& server, bool dead);
    void finishIfDone();

    QString m_ownServer;
    QTimer m_timeout;
    std::map<QString, QLocalSocket*> m_waiting;
    std::map<QString, QLocalSocket*> m_answered;
    QList<CopyAnswer> m_answers;
    bool m_asking = true; // a refusal may come before all are asked
    bool m_finished = false;
};
