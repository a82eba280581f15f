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

#include <QByteArrayView>
#include <QObject>
#include <QPointer>

class QIODevice;
class ScreenBuffer;

class GuardedSender : public QObject {
    Q_OBJECT

public:
    explicit GuardedSender(ScreenBuffer& screen, QObject* parent = nullptr);

    // The node connection; lives on the GUI thread. Null or closed: every send fails.
    void setSocket(QIODevice* socket);

    void GuardedSend(QByteArrayView bytes);

private:
    void sendNow(QByteArrayView bytes);

    ScreenBuffer& m_screen;
    QPointer<QIODevice> m_socket;
};
