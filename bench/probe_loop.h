#pragma once

// What both flood probes share: a watch on the event loop and the commands of
// kestrel_flood on stdin.

#include <QByteArray>
#include <QElapsedTimer>
#include <QSocketNotifier>

#include <functional>
#include <glib.h>
#include <optional>

namespace probe {

// The longest time the event loop did not look at its inputs: the time from one return
// of glib's poll to its next call is one pass of the loop, however many events it ran.
// The poll function is wrapped, so the watch itself wakes the loop no more often than
// the client does (a ticking timer would, and would cost as much as a quiet client).
class LoopWatch {
public:
    LoopWatch();
    ~LoopWatch();
    LoopWatch(const LoopWatch&) = delete;
    LoopWatch& operator=(const LoopWatch&) = delete;

    void start();

    // " max-block-ms <ms> over16 <blocks>"
    QByteArray report() const;

private:
    static gint poll(GPollFD* fds, guint count, gint timeout);
    void passEnded();

    static inline LoopWatch* s_watch = nullptr;
    static inline GPollFunc s_poll = nullptr;
    QElapsedTimer m_clock;
    qint64 m_lastReturn = 0;
    qint64 m_maxPassNs = 0;
    int m_overFrame = 0;
};

// Commands on stdin and SIGTERM, both turned into events of the loop: a line runs as a
// command, SIGTERM and the end of stdin as "report".
class Commands {
public:
    explicit Commands(std::function<void(const QByteArray&)> run);
    ~Commands();
    Commands(const Commands&) = delete;
    Commands& operator=(const Commands&) = delete;

    // Before any thread starts, so that SIGTERM reaches the signalfd and no thread dies.
    static void blockTerm();

private:
    void readStdin();

    std::function<void(const QByteArray&)> m_run;
    QSocketNotifier m_stdin;
    int m_signalFd = -1;
    std::optional<QSocketNotifier> m_signal;
    QByteArray m_pending;
};

// One line to kestrel_flood.
void say(const QByteArray& line);

} // namespace probe
