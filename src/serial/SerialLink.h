#pragma once

// The relay's work on the serial port's own thread. It opens the port, writes the
// node's bytes as they come to the outbox (one write for all that waits), and sends
// what arrives from the serial side to the node, every CR followed by LF when asked
// (NUL bytes included; the setting is read for every chunk, so a change acts at once).
// When the node's sends back up, it stops reading the port until they drain. A port
// that takes nothing for StallMilliseconds while bytes wait for it loses them: they are
// dropped and counted to portStalled, and the relay goes on with what comes next.
// finish() writes what is left, waiting at most DrainMilliseconds for a port that flow
// control holds, and closes the port.
//
// Threading: created, used and destroyed on one thread, which runs an event loop between
// open() and finish(). The outbox, the sender and the CR setting are shared with the GUI
// thread.

#include "serial/SerialPort.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

class GuardedSender;
class SerialOutbox;

struct SerialLinkSetup {
    QString portName;
    SerialLine line;
    std::shared_ptr<const std::atomic<bool>> crToCrLf; // LINK_CRLF, as it is now
};

// A chunk from the serial side as the node gets it.
QByteArray serialToNode(QByteArrayView chunk, bool crToCrLf);

class SerialLink {
public:
    static constexpr int DrainMilliseconds = 2000;
    static constexpr int StallMilliseconds = 2000;
    // The longest finish() takes, closing included.
    static constexpr int FinishMilliseconds = DrainMilliseconds + 1000;
    static constexpr qint64 ChunkBytes = 4096;
    // Serial input is read only while the node's sends hold less than this.
    static constexpr qint64 InputBacklogBytes = 64 * 1024;

    SerialLink(SerialOutbox& outbox, GuardedSender& sender);

    // portLost runs when the device goes away (unplugged, pseudo-terminal closed);
    // portStalled with the bytes lost when the port took nothing for StallMilliseconds.
    bool open(const SerialLinkSetup& setup, std::function<void()> portLost,
              std::function<void(qint64 lostBytes)> portStalled);
    QString lastError() const { return m_port.lastError(); }
    void finish();

private:
    void writeWaiting();
    void noteWritten();
    void dropStalled();
    void relayInput();
    void noteError(QSerialPort::SerialPortError error);

    SerialOutbox& m_outbox;
    GuardedSender& m_sender;
    SerialPort m_port;
    QTimer m_backlogRetry;
    QTimer m_stall; // runs while bytes wait for the port and it takes none
    std::function<void()> m_portLost;
    std::function<void(qint64)> m_portStalled;
    std::shared_ptr<const std::atomic<bool>> m_crToCrLf;
    bool m_lost = false;
};
