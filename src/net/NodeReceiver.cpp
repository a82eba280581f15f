#include "net/NodeReceiver.h"

#include "net/GuardedSender.h"
#include "net/NetTexts.h"
#include "net/SocketWakeThreshold.h"
#include "screen/ScreenBuffer.h"

#include <QAbstractSocket>

#include <algorithm>

NodeReceiver::NodeReceiver(ScreenBuffer& screen, GuardedSender& sender, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
    , m_sender(sender) {
    m_gatherTimer.setSingleShot(true);
    m_gatherTimer.setInterval(GatherTime);
    connect(&m_gatherTimer, &QTimer::timeout, this, [this] { gather(false); });
}

void NodeReceiver::attach(QIODevice* socket) {
    gather(false);
    disconnect(m_readyRead);
    m_socket = socket;
    m_gatherSocket = qobject_cast<QAbstractSocket*>(socket);
    m_decoder.reset();
    m_sinceRead.invalidate();
    m_sinceGathered.invalidate();
    if (socket)
        m_readyRead = connect(socket, &QIODevice::readyRead, this, &NodeReceiver::readPending);
}

void NodeReceiver::readPending() {
    m_passScheduled = false;
    if (!m_socket || m_held)
        return;
    const qint64 available = std::min(m_socket->bytesAvailable(), SliceBytes);
    if (available <= 0)
        return;
    noteStream();
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

// Data right after a gathering ended means the stream goes on; so does a read soon after
// the last one.
void NodeReceiver::noteStream() {
    const auto recent = [](const QElapsedTimer& since) {
        return since.isValid() && since.elapsed() < StreamGap.count();
    };
    const bool streaming = recent(m_sinceRead) || recent(m_sinceGathered);
    m_sinceRead.start();
    if (streaming)
        gather(true);
}

// Ending a gathering lowers the threshold again: bytes that wait are reported by the
// next poll, and a quiet node's next line comes through at once.
void NodeReceiver::gather(bool on) {
    if (on == m_gathering)
        return;
    m_gathering = on;
    if (on) {
        m_gatherTimer.start();
    } else {
        m_gatherTimer.stop();
        m_sinceGathered.start();
    }
    if (m_gatherSocket && m_gatherSocket->state() == QAbstractSocket::ConnectedState)
        SocketWakeThreshold::set(m_gatherSocket->socketDescriptor(), on ? GatherBytes : 1);
}

void NodeReceiver::setHeld(bool held) {
    if (held == m_held)
        return;
    m_held = held;
    // A full buffer stops the socket reading from the system; 0 is no limit.
    if (auto* socket = qobject_cast<QAbstractSocket*>(m_socket.data()))
        socket->setReadBufferSize(held ? SliceBytes : 0);
    if (!held)
        scheduleNextPass();
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
