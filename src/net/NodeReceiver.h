#pragma once

// Carries what the node sends from the socket through the telnet decoder onto the
// screen, and the decoder's answers back through the guarded send.
//
// Each pass takes what the socket holds, at most SliceBytes, and then reports
// received() once (the views repaint from the screen buffer's own signal). Whatever is
// left waits for the next pass of the event loop, so a burst of many megabytes never
// blocks the window.
//
// A line that arrives on its own is read at once. While lines follow each other closely
// (a spot stream), the socket is read at most once a frame: the bytes gather in the
// system until the frame is up or a batch has piled up, which spares the window a wake
// for every line when it cannot show them faster anyway.
//
// Held (by a serial port slower than the node), it reads nothing: what the node sends
// waits in the socket's buffer, at most SliceBytes, then in the system, and TCP holds
// the node back until it is let go.
//
// GUI thread only.

#include "net/TelnetDecoder.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <functional>

class GuardedSender;
class QAbstractSocket;
class QIODevice;
class ScreenBuffer;

class NodeReceiver : public QObject, private TelnetSink {
    Q_OBJECT

public:
    static constexpr qint64 SliceBytes = 256 * 1024;
    static constexpr std::chrono::milliseconds DefaultBellInterval{250};
    // Reads closer together than this are a stream.
    static constexpr std::chrono::milliseconds StreamGap{16};
    // While streaming, the socket is read this often, or once this many bytes wait.
    static constexpr std::chrono::milliseconds GatherTime{33};
    static constexpr int GatherBytes = 4096;

    NodeReceiver(ScreenBuffer& screen, GuardedSender& sender, QObject* parent = nullptr);

    // Reads from this device whenever it reports data; null detaches.
    void attach(QIODevice* socket);

    // The system beep, rung for BEL at most once per pass and once per bell interval:
    // nodes that end every spot with a bell must not beep a hundred times a second, nor
    // cost the window a call to the display each time.
    void setBell(std::function<void()> bell) { m_bell = std::move(bell); }
    void setBellInterval(std::chrono::milliseconds interval) { m_bellInterval = interval; }

    TelnetDecoder& decoder() { return m_decoder; }

    // Reads and decodes one slice; schedules another pass while data remains.
    void readPending();
    void setHeld(bool held);
    bool isHeld() const { return m_held; }

signals:
    void received();

private:
    void telnetText(QByteArrayView run) override;
    void telnetAnswer(QByteArrayView answer) override;
    void telnetBell() override;
    void scheduleNextPass();
    void noteStream();
    void gather(bool on);

    ScreenBuffer& m_screen;
    GuardedSender& m_sender;
    TelnetDecoder m_decoder{*this};
    QPointer<QIODevice> m_socket;
    QMetaObject::Connection m_readyRead;
    std::function<void()> m_bell;
    std::chrono::milliseconds m_bellInterval = DefaultBellInterval;
    QElapsedTimer m_sinceBell;
    QByteArray m_slice;
    bool m_passScheduled = false;
    bool m_held = false;
    QPointer<QAbstractSocket> m_gatherSocket; // the socket to gather on, if it is one
    QTimer m_gatherTimer;
    bool m_gathering = false;
    QElapsedTimer m_sinceRead;
    QElapsedTimer m_sinceGathered; // since the last gathering ended
};
