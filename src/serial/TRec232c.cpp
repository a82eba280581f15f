#include "serial/TRec232c.h"

#include "serial/SerialOutbox.h"

#include <QScopeGuard>

TRec232c::TRec232c(SerialLinkSetup setup, std::shared_ptr<SerialOutbox> outbox,
                   std::shared_ptr<QMutex> portTurn, GuardedSender& sender, QObject* parent)
    : QThread(parent)
    , m_setup(std::move(setup))
    , m_outbox(std::move(outbox))
    , m_portTurn(std::move(portTurn))
    , m_sender(sender) {}

// A quit() before exec() has started makes exec() return at once.
void TRec232c::finish() {
    requestInterruption();
    quit();
}

void TRec232c::run() {
    setPriority(LowPriority);
    // Past the wait, the last thread has given up its port for good.
    const bool turnTaken = m_portTurn->tryLock(SerialLink::FinishMilliseconds);
    const auto giveTurnBack = qScopeGuard([&] {
        if (turnTaken)
            m_portTurn->unlock();
    });
    SerialLink link(*m_outbox, m_sender);
    if (!link.open(
            m_setup, [this] { quit(); }, [this](qint64 lost) { emit portStalled(lost); }))
        emit openFailed(link.lastError());
    else if (!isInterruptionRequested())
        exec();
    link.finish();
}
