#pragma once

// Finishes a line the operator sends and puts it on the wire: the text in the terminal
// font's character set, then the line end the node wants, in one guarded send. With
// local echo the same bytes go on the screen too, even when the send failed, so the
// operator sees what was meant to go out below the error text.
//
// GUI thread only (the echo puts text on the screen).

#include "base/SendCharset.h"

#include <QString>
#include <QtGlobal>

class GuardedSender;
class ScreenBuffer;

class LineSender {
public:
    LineSender(GuardedSender& sender, ScreenBuffer& screen);
    Q_DISABLE_COPY_MOVE(LineSender)

    // As the connected node's entry says; until set, echo and CR LF are on, as for a
    // new node.
    void setConnection(bool localEcho, bool sendCrLf);
    bool localEcho() const { return m_localEcho; }
    bool sendCrLf() const { return m_sendCrLf; }

    void setCharset(int windowsCharset);
    int charset() const { return m_charset.charset(); }

    void SendLine(const QString& text);

private:
    GuardedSender& m_sender;
    ScreenBuffer& m_screen;
    SendCharset m_charset;
    bool m_localEcho = true;
    bool m_sendCrLf = true;
};
