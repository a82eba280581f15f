#pragma once

// The one way bytes go to the node: telnet answers, typed lines, reports, the link
// check, uploads, script lines and the serial relay all call GuardedSend.
//
// Threading: GuardedSend may be called from any thread. On the GUI thread it writes at
// once, under the screen lock, so a send never interleaves with another send or with a
// change of the screen lines. From another thread it copies the bytes and queues them to
// the GUI thread without blocking and without taking the screen lock; sends from one
// thread keep their order. A failed write puts "** socket send error **" on the screen
// (on the GUI thread) and the caller goes on as if the bytes had been sent.
//
// pendingBytes() counts what waits to go out: bytes queued from other threads, bytes the
// socket has not yet handed to the system, and bytes the system holds that the node has
// not yet taken. It may be read from any thread, so the upload and the serial relay
// pace themselves to what the node really takes, and the telnet answers stop while a
// node that never reads lets it grow.

#include <QByteArrayView>
#include <QObject>
#include <QPointer>

#include <atomic>

class QIODevice;
class ScreenBuffer;

class GuardedSender : public QObject {
    Q_OBJECT

public:
    // Above this backlog, option answers are dropped (see AnswerTelnet).
    static constexpr qint64 AnswerBacklogLimit = 1024 * 1024;

    explicit GuardedSender(ScreenBuffer& screen, QObject* parent = nullptr);

    // The node connection; lives on the GUI thread. Null or closed: every send fails.
    void setSocket(QIODevice* socket);

    void GuardedSend(QByteArrayView bytes);

    // Sends a telnet option answer unless more than AnswerBacklogLimit bytes wait: a
    // node that floods requests without reading our answers cannot grow our buffers
    // without bound. GUI thread only.
    void AnswerTelnet(QByteArrayView answer);

    qint64 pendingBytes() const;

private:
    void sendNow(QByteArrayView bytes);
    void noteUnsent();
    void noteDescriptor();

    ScreenBuffer& m_screen;
    QPointer<QIODevice> m_socket;
    QMetaObject::Connection m_bytesWritten;
    QMetaObject::Connection m_stateChanged;
    std::atomic<qint64> m_queued{0};
    std::atomic<qint64> m_unsent{0};
    std::atomic<qintptr> m_descriptor{-1}; // of the connected socket, else -1
};
