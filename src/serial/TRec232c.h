#pragma once

// The serial port's thread. run() creates the port here, relays both ways with a
// SerialLink in this thread's event loop until finish() is asked or the port goes
// away, then writes what is left (bounded) and closes the port; so nothing on the GUI
// thread ever waits for the port. The thread ends by itself; a port that cannot be
// opened is reported by openFailed() and ends it at once.
//
// Threads of one relay take turns with the port (portTurn): a new connection's thread
// opens it once the last one has closed it.
//
// Threading: finish() may be called from any thread, at any time after start().

#include "serial/SerialLink.h"

#include <QMutex>
#include <QThread>

#include <memory>

class GuardedSender;
class SerialOutbox;

class TRec232c : public QThread {
    Q_OBJECT

public:
    TRec232c(SerialLinkSetup setup, std::shared_ptr<SerialOutbox> outbox,
             std::shared_ptr<QMutex> portTurn, GuardedSender& sender, QObject* parent = nullptr);

    void finish();

signals:
    void openFailed(const QString& message);
    // The port took nothing for a while: these bytes were dropped.
    void portStalled(qint64 lostBytes);

protected:
    void run() override;

private:
    const SerialLinkSetup m_setup;
    const std::shared_ptr<SerialOutbox> m_outbox;
    const std::shared_ptr<QMutex> m_portTurn;
    GuardedSender& m_sender;
};
