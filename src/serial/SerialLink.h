#pragma once

// The relay's work on the serial port's own thread. It opens the port, writes the
// node's bytes as they come to the outbox (one write for all that waits), and sends
// what arrives from the serial side to the node, every CR followed by LF when asked
// (NUL bytes included). When the node's sends back up, it stops reading the port until
// they drain. finish() writes what is left, waiting at most DrainMilliseconds for a port
// that flow control holds, and closes the port.
//
// Threading: created, used and destroyed on one thread, which runs an event loop between
// open() and finish(). The outbox and the sender are shared with the GUI thread.

#include "serial/SerialPort.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <functional>

class GuardedSender;
class SerialOutbox;

struct SerialLinkSetup {
    QString portName;
    SerialLine line;
    bool crToCrLf = true; // LINK_CRLF
};

// A chunk from the serial side as the node gets it.
QByteArray serialToNode(QByteArrayView chunk, bool crToCrLf);

class SerialLink {
public:
    static constexpr int DrainMilliseconds = 2000;
    // The longest finish() takes, closing included.
    static constexpr int FinishMilliseconds = DrainMilliseconds + 1000;
    static constexpr qint64 ChunkBytes = 4096;

    SerialLink(SerialOutbox& outbox, GuardedSender& sender);

    // portLost runs when the device goes away (unplugged, pseudo-terminal closed).
    bool open(const SerialLinkSetup& setup, std::function<void()> portLost);
    QString lastError() const { return m_port.lastError(); }
    void finish();

private:
    void writeWaiting();
    void relayInput();
    void noteError(QSerialPort::SerialPortError error);

    SerialOutbox& m_outbox;
    GuardedSender& m_sender;
    SerialPort m_port;
    QTimer m_backlogRetry;
    std::function<void()> m_portLost;
    bool m_crToCrLf = true;
    bool m_lost = false;
};
