#pragma once

// The send-and-echo step of an upload: each line goes to the node in one guarded send,
// exactly as read, and, when the node wants local echo, onto the terminal right after.
// The first send that fails (not connected) puts the one "** socket send error **" on
// the screen; every line after it is dropped, so a large file cannot push the terminal
// history out with one error line per file line.
//
// Threading: lives on the GUI thread, which does every send and echo. post() may be
// called from any thread; lines from one thread keep their order. unsentBytes() and
// hasFailed() may be read from any thread.

#include <QByteArray>
#include <QObject>

#include <atomic>
#include <functional>

class GuardedSender;
class ScreenBuffer;

class UploadLink : public QObject {
    Q_OBJECT

public:
    using Flag = std::function<bool()>;

    // canSend tells whether the connection takes bytes now; localEcho whether the
    // connected node wants them echoed. Both are asked on the GUI thread.
    UploadLink(GuardedSender& sender, ScreenBuffer& screen, Flag canSend, Flag localEcho,
               QObject* parent = nullptr);

    // Starts a new upload: sends go out again.
    void reset() { m_failed = false; }

    // Hands the line over for sending; false once a send has failed.
    bool post(const QByteArray& line);

    // Lines posted but not yet sent, plus what the sender holds.
    qint64 unsentBytes() const;
    bool hasFailed() const { return m_failed; }

signals:
    // The first send that failed: the upload must end, even if it waits at a marker.
    void sendFailed();

private:
    void sendAndEcho(const QByteArray& line);

    GuardedSender& m_sender;
    ScreenBuffer& m_screen;
    Flag m_canSend;
    Flag m_localEcho;
    std::atomic<qint64> m_posted{0};
    std::atomic<bool> m_failed{false};
};
