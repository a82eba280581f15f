#include "net/GuardedSender.h"

#include "net/NetTexts.h"
#include "net/SocketSendQueue.h"
#include "screen/ScreenBuffer.h"

#include <QAbstractSocket>
#include <QIODevice>
#include <QMutexLocker>
#include <QThread>

GuardedSender::GuardedSender(ScreenBuffer& screen, QObject* parent)
    : QObject(parent)
    , m_screen(screen) {}

void GuardedSender::setSocket(QIODevice* socket) {
    disconnect(m_bytesWritten);
    disconnect(m_stateChanged);
    m_socket = socket;
    if (socket)
        m_bytesWritten =
            connect(socket, &QIODevice::bytesWritten, this, &GuardedSender::noteUnsent);
    if (auto* tcp = qobject_cast<QAbstractSocket*>(socket))
        m_stateChanged =
            connect(tcp, &QAbstractSocket::stateChanged, this, &GuardedSender::noteDescriptor);
    noteDescriptor();
    noteUnsent();
}

qint64 GuardedSender::pendingBytes() const {
    return m_queued.load() + m_unsent.load() + SocketSendQueue::bytes(m_descriptor.load());
}

// The system's queue is read by descriptor from any thread; only a connected socket's.
void GuardedSender::noteDescriptor() {
    const auto* tcp = qobject_cast<const QAbstractSocket*>(m_socket.data());
    m_descriptor = tcp && tcp->state() == QAbstractSocket::ConnectedState ? tcp->socketDescriptor()
                                                                          : qintptr(-1);
}

void GuardedSender::GuardedSend(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return;
    if (QThread::currentThread() == thread()) {
        sendNow(bytes);
        return;
    }
    m_queued += bytes.size();
    QMetaObject::invokeMethod(
        this,
        [this, copy = bytes.toByteArray()] {
            m_queued -= copy.size();
            sendNow(copy);
        },
        Qt::QueuedConnection);
}

void GuardedSender::AnswerTelnet(QByteArrayView answer) {
    noteUnsent(); // a closed socket drops its backlog without telling
    if (pendingBytes() <= AnswerBacklogLimit)
        sendNow(answer);
}

void GuardedSender::sendNow(QByteArrayView bytes) {
    QMutexLocker locker(&m_screen.screenLock());
    const bool sent =
        m_socket && m_socket->isWritable() && m_socket->write(bytes.data(), bytes.size()) >= 0;
    noteUnsent();
    if (!sent)
        m_screen.PutString(NetTexts::SocketSendError);
}

void GuardedSender::noteUnsent() {
    m_unsent = m_socket ? m_socket->bytesToWrite() : 0;
}
