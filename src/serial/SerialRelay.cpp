#include "serial/SerialRelay.h"

#include "net/NodeConnection.h"
#include "net/OperatorMessages.h"
#include "net/Session.h"
#include "serial/SerialOutbox.h"
#include "serial/TRec232c.h"
#include "settings/SettingsFile.h"

SerialRelay::SerialRelay(GuardedSender& sender, OperatorMessages& messages, SettingsSource rs232c,
                         const SettingsFile& settings, QObject* parent)
    : QObject(parent)
    , m_sender(sender)
    , m_messages(messages)
    , m_rs232c(std::move(rs232c))
    , m_settings(settings) {}

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
    const QString device = m_settings.LoadRs232cDevice(node.comPort);
    SerialLinkSetup setup{SerialPort::PortName(node.comPort, device), SerialPort::lineFor(rs232c),
                          rs232c.linkCrLf};
    m_outbox = std::make_shared<SerialOutbox>();
    m_thread = new TRec232c(std::move(setup), m_outbox, m_portTurn, m_sender, this);
    connect(m_thread, &TRec232c::openFailed, &m_messages, &OperatorMessages::post);
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
}

void SerialRelay::tapBytes(QByteArrayView bytes) {
    if (m_outbox)
        m_outbox->put(bytes);
}

SerialRelay& installSerialRelay(Session& session, LinePipeline& pipeline,
                                SerialRelay::SettingsSource rs232c, const SettingsFile& settings) {
    auto* relay = new SerialRelay(session.connection().sender(), session.messages(),
                                  std::move(rs232c), settings, &session);
    session.setHook(relay);
    pipeline.setRelay(relay);
    QObject::connect(relay, &QObject::destroyed, [&pipeline] { pipeline.setRelay(nullptr); });
    return *relay;
}
