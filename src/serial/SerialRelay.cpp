#include "serial/SerialRelay.h"

#include "base/OperatorMessages.h"
#include "net/GuardedSender.h"
#include "serial/SerialOutbox.h"
#include "serial/SerialTexts.h"
#include "serial/TRec232c.h"
#include "settings/SettingsFile.h"

SerialRelay::SerialRelay(GuardedSender& sender, OperatorMessages& messages, SettingsSource rs232c,
                         const SettingsFile& settings, HoldNode holdNode, QObject* parent)
    : QObject(parent)
    , m_sender(sender)
    , m_messages(messages)
    , m_rs232c(std::move(rs232c))
    , m_settings(settings)
    , m_holdNode(std::move(holdNode)) {}

// A port that stays held past the wait is left to end with the process: its thread
// touches nothing but its own port and outbox by then.
SerialRelay::~SerialRelay() {
    stop();
    for (TRec232c* closing : findChildren<TRec232c*>(Qt::FindDirectChildrenOnly)) {
        if (!closing->wait(SerialLink::FinishMilliseconds))
            closing->setParent(nullptr);
    }
}

void SerialRelay::open(const NodeEntry& node) {
    stop();
    const Rs232cSettings rs232c = m_rs232c();
    const QString device = m_settings.load<SerialDevices>().of(node.comPort);
    m_crToCrLf->store(rs232c.linkCrLf);
    SerialLinkSetup setup{SerialPort::PortName(node.comPort, device), SerialPort::lineFor(rs232c),
                          m_crToCrLf};
    m_outbox = std::make_shared<SerialOutbox>();
    // Called under the outbox's lock, from either thread: only posts.
    m_outbox->setHold([this, outbox = std::weak_ptr<SerialOutbox>(m_outbox)](bool holding) {
        QMetaObject::invokeMethod(
            this, [this, outbox, holding] { hold(outbox.lock(), holding); }, Qt::QueuedConnection);
    });
    if (m_lostBytes != 0) {
        m_lostBytes = 0;
        emit statusChanged(status());
    }
    m_thread = new TRec232c(std::move(setup), m_outbox, m_portTurn, m_sender, this);
    connect(m_thread, &TRec232c::openFailed, &m_messages, &OperatorMessages::post);
    connect(m_thread, &TRec232c::portStalled, this, &SerialRelay::noteLost);
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    m_thread->start();
}

void SerialRelay::sendNotice(QLatin1StringView notice) {
    tapBytes(QByteArrayView(notice.data(), notice.size()));
}

// The port writes what it was given so far, then closes; nobody waits for it here.
void SerialRelay::stop() {
    if (m_thread)
        m_thread->finish();
    m_thread = nullptr;
    m_outbox.reset();
    hold(nullptr, false);
}

void SerialRelay::setLinkCrLf(bool on) {
    m_crToCrLf->store(on);
}

// Only the outbox of the port relayed now holds the node; a late call from an earlier
// one is let go.
void SerialRelay::hold(const std::shared_ptr<SerialOutbox>& outbox, bool holding) {
    if (outbox != m_outbox || holding == m_holding)
        return;
    m_holding = holding;
    if (m_holdNode)
        m_holdNode(holding);
    emit statusChanged(status());
}

void SerialRelay::noteLost(qint64 bytes) {
    if (sender() != m_thread.data() || bytes <= 0)
        return;
    m_lostBytes += bytes;
    emit statusChanged(status());
}

QString SerialRelay::status() const {
    if (m_lostBytes > 0)
        return SerialTexts::BytesLost.arg(m_lostBytes);
    return m_holding ? QString(SerialTexts::HoldingNode) : QString();
}

qint64 SerialRelay::waitingBytes() const {
    return m_outbox ? m_outbox->waitingBytes() : 0;
}

// The node is held back at once, before its socket's next read, not when the posted
// call comes round.
void SerialRelay::tapBytes(QByteArrayView bytes) {
    if (!m_outbox)
        return;
    m_outbox->put(bytes);
    if (!m_holding && m_outbox->isHolding())
        hold(m_outbox, true);
}
