#pragma once

// The RS-232C relay as the session sees it: the hook that opens the serial port when a
// linked node's connection comes up, sends the socket-error and disconnect notices and
// stops the relay, and the tap that hands every byte the terminal is given to the port.
// The port itself lives on its own thread (TRec232c); the session is never slowed or
// blocked by it. What the operator must read ("Unable to open Rs232c  ...") is posted
// to the session's messages.
//
// The line settings are read when the port is opened, as the environment dialog has them
// then; LINK_CRLF acts at once (setLinkCrLf). COM n is the device of RS232C DEVICE<n>,
// else the system's own.
//
// No byte is lost while the port takes data: a port slower than the node holds the node
// back (its socket is not read) while SerialOutbox::HoldBytes wait, and says so in
// status(). Only a port that takes nothing for SerialLink::StallMilliseconds loses what
// waits for it; status() then says how many bytes were lost, until the next port opens.
//
// Threading: GUI thread. Destroying it waits a bounded time for ports still closing.

#include "base/SessionHooks.h"
#include "screen/LinePipeline.h"
#include "serial/SerialLink.h"

#include <QMutex>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

class GuardedSender;
class OperatorMessages;
class SerialOutbox;
class SettingsFile;
class TRec232c;

class SerialRelay : public QObject, public SerialRelayHook, public ByteTap {
    Q_OBJECT

public:
    using SettingsSource = std::function<Rs232cSettings()>;
    // Holds the node back (true) or lets it go on (false).
    using HoldNode = std::function<void(bool hold)>;
    SerialRelay(GuardedSender& sender, OperatorMessages& messages, SettingsSource rs232c,
                const SettingsFile& settings, HoldNode holdNode, QObject* parent = nullptr);
    ~SerialRelay() override;

    void open(const NodeEntry& node) override;
    void sendNotice(QLatin1StringView notice) override;
    void stop() override;
    void tapBytes(QByteArrayView bytes) override;

    void setLinkCrLf(bool on);
    // What the status bar says of the relay; empty when all is well.
    QString status() const;
    // The node's bytes waiting for the port.
    qint64 waitingBytes() const;

signals:
    void statusChanged(const QString& status);

private:
    void hold(const std::shared_ptr<SerialOutbox>& outbox, bool holding);
    void noteLost(qint64 bytes);

    GuardedSender& m_sender;
    OperatorMessages& m_messages;
    SettingsSource m_rs232c;
    const SettingsFile& m_settings;
    HoldNode m_holdNode;
    const std::shared_ptr<std::atomic<bool>> m_crToCrLf = std::make_shared<std::atomic<bool>>(true);
    std::shared_ptr<SerialOutbox> m_outbox; // null while no port is relayed
    bool m_holding = false;
    qint64 m_lostBytes = 0;
    const std::shared_ptr<QMutex> m_portTurn = std::make_shared<QMutex>();
    QPointer<TRec232c> m_thread;
};
