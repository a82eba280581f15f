#include "files/UploadLink.h"

#include "net/GuardedSender.h"
#include "screen/ScreenBuffer.h"

#include <QThread>

UploadLink::UploadLink(GuardedSender& sender, ScreenBuffer& screen, Flag canSend, Flag localEcho,
                       QObject* parent)
    : QObject(parent)
    , m_sender(sender)
    , m_screen(screen)
    , m_canSend(std::move(canSend))
    , m_localEcho(std::move(localEcho)) {}

bool UploadLink::post(const QByteArray& line) {
    if (QThread::currentThread() == thread()) {
        sendAndEcho(line);
        return !m_failed;
    }
    if (m_failed)
        return false;
    m_posted += line.size();
    QMetaObject::invokeMethod(
        this,
        [this, line] {
            m_posted -= line.size();
            sendAndEcho(line);
        },
        Qt::QueuedConnection);
    return true;
}

qint64 UploadLink::unsentBytes() const {
    return m_posted + m_sender.pendingBytes();
}

// The failing send itself reports the error; the line is still echoed, as typed lines
// are, so the operator sees what did not go out.
void UploadLink::sendAndEcho(const QByteArray& line) {
    if (m_failed)
        return;
    const bool failing = !m_canSend();
    m_failed = failing;
    m_sender.GuardedSend(line);
    if (m_localEcho())
        m_screen.PutString(line);
    if (failing)
        emit sendFailed();
}
