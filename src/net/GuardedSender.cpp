#include "net/GuardedSender.h"

#include "net/NetTexts.h"
#include "screen/ScreenBuffer.h"

#include <QIODevice>
#include <QMutexLocker>
#include <QThread>

GuardedSender::GuardedSender(ScreenBuffer& screen, QObject* parent)
    : QObject(parent)
    , m_screen(screen) {}

void GuardedSender::setSocket(QIODevice* socket) {
    m_socket = socket;
}

void GuardedSender::GuardedSend(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return;
    if (QThread::currentThread() == thread()) {
        sendNow(bytes);
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, copy = bytes.toByteArray()] { sendNow(copy); }, Qt::QueuedConnection);
}

void GuardedSender::sendNow(QByteArrayView bytes) {
    QMutexLocker locker(&m_screen.screenLock());
    const bool sent =
        m_socket && m_socket->isWritable() && m_socket->write(bytes.data(), bytes.size()) >= 0;
    if (!sent)
        m_screen.PutString(NetTexts::SocketSendError);
}
