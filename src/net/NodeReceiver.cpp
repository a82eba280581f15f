#include "net/NodeReceiver.h"

#include "net/GuardedSender.h"
#include "net/NetTexts.h"
#include "screen/ScreenBuffer.h"

#include <QIODevice>

#include <algorithm>

NodeReceiver::NodeReceiver(ScreenBuffer& screen, GuardedSender& sender, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
    , m_sender(sender) {}

void NodeReceiver::attach(QIODevice* socket) {
    disconnect(m_readyRead);
    m_socket = socket;
    m_decoder.reset();
    if (socket)
        m_readyRead = connect(socket, &QIODevice::readyRead, this, &NodeReceiver::readPending);
}

void NodeReceiver::readPending() {
    m_passScheduled = false;
    if (!m_socket)
        return;
    const qint64 available = std::min(m_socket->bytesAvailable(), SliceBytes);
    if (available <= 0)
        return;
    m_slice.resize(available);
    const qint64 count = m_socket->read(m_slice.data(), available);
    if (count < 0) {
        // The socket's own error event decides what becomes of the connection.
        m_screen.PutString(NetTexts::SocketReadError);
    } else {
        m_decoder.Kaiseki(QByteArrayView(m_slice.constData(), count));
        if (m_socket && m_socket->bytesAvailable() > 0)
            scheduleNextPass();
    }
    emit received();
}

void NodeReceiver::scheduleNextPass() {
    if (m_passScheduled)
        return;
    m_passScheduled = true;
    QMetaObject::invokeMethod(this, &NodeReceiver::readPending, Qt::QueuedConnection);
}

void NodeReceiver::telnetText(QByteArrayView run) {
    m_screen.PutString(run);
}

void NodeReceiver::telnetAnswer(QByteArrayView answer) {
    m_sender.AnswerTelnet(answer);
}

void NodeReceiver::telnetBell() {
    if (!m_bell || (m_sinceBell.isValid() && m_sinceBell.elapsed() < m_bellInterval.count()))
        return;
    m_sinceBell.start();
    m_bell();
}
