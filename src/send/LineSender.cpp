#include "send/LineSender.h"

#include "net/GuardedSender.h"
#include "screen/ScreenBuffer.h"
#include "send/LineComposer.h"

LineSender::LineSender(GuardedSender& sender, ScreenBuffer& screen)
    : m_sender(sender)
    , m_screen(screen) {}

void LineSender::setConnection(bool localEcho, bool sendCrLf) {
    m_localEcho = localEcho;
    m_sendCrLf = sendCrLf;
}

void LineSender::setCharset(int windowsCharset) {
    m_charset.setCharset(windowsCharset);
}

// Text and line end go out in one send, so no other send can come between them.
void LineSender::SendLine(const QString& text) {
    QByteArray bytes = m_charset.encode(text);
    bytes += LineComposer::lineEnd(m_sendCrLf);
    m_sender.GuardedSend(bytes);
    if (m_localEcho)
        m_screen.PutString(bytes);
}
