#pragma once

// The RS-232C relay as the session sees it: the hook that opens the serial port when a
// linked node's connection comes up, sends the socket-error and disconnect notices and
// stops the relay, and the tap that hands every byte the terminal is given to the port.
// The port itself lives on its own thread (TRec232c); the session is never slowed or
// blocked by it. What the operator must read ("Unable to open Rs232c  ...") is posted
// to the session's messages.
//
// The line settings and LINK_CRLF are read when the port is opened, as the environment
// dialog has them then; COM n is the device of RS232C DEVICE<n>, else the system's own.
//
// Threading: GUI thread. Destroying it waits a bounded time for ports still closing.

#include "net/SessionHooks.h"
#include "screen/LinePipeline.h"
#include "serial/SerialLink.h"

#include <QMutex>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class GuardedSender;
class OperatorMessages;
class Session;
class SerialOutbox;
class SettingsFile;
class TRec232c;

class SerialRelay : public QObject, public SerialRelayHook, public ByteTap {
    Q_OBJECT

public:
    using SettingsSource = std::function<Rs232cSettings()>;
    SerialRelay(GuardedSender& sender, OperatorMessages& messages, SettingsSource rs232c,
                const SettingsFile& settings, QObject* parent = nullptr);
    ~SerialRelay() override;

    void open(const NodeEntry& node) override;
    void sendNotice(QLatin1StringView notice) override;
    void stop() override;
    void tapBytes(QByteArrayView bytes) override;

private:
    GuardedSender& m_sender;
    OperatorMessages& m_messages;
    SettingsSource m_rs232c;
    const SettingsFile& m_settings;
    std::shared_ptr<SerialOutbox> m_outbox; // null while no port is relayed
    const std::shared_ptr<QMutex> m_portTurn = std::make_shared<QMutex>();
    QPointer<TRec232c> m_thread;
};

// Builds the relay, owned by the session, and installs it as the session's hook and the
// pipeline's tap. The pipeline must outlive the session.
SerialRelay& installSerialRelay(Session& session, LinePipeline& pipeline,
                                SerialRelay::SettingsSource rs232c, const SettingsFile& settings);
