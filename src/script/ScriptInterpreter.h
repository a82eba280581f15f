#pragma once

// Runs one script file from its first line to its last: "node", "send", "until", "wait"
// and "rem", one command a line, lower case. Each line is shown before it runs; the
// first failing command is reported in the script window and stops the script, which
// then leaves the window open. After each successful command the script pauses (500 ms
// unless set otherwise), so the node's answers show before the next command.
//
// Threading: Execute runs on the script thread and reaches the program only through the
// host. abort() and shutDown() may be called from any thread. An abort is seen before
// the next line and at once in "until"; a "wait" or the pause after a command finishes
// first. shutDown() (the program is closing) also ends a "wait" or pause at once.

#include <QDeadlineTimer>
#include <QMutex>
#include <QStringList>
#include <QWaitCondition>

#include <atomic>
#include <chrono>

class ScreenBuffer;
class ScriptHost;
class ScriptRunningFlag;

class ScriptInterpreter {
public:
    // Longer lines are read in pieces of this many bytes, each piece a line of its own.
    static constexpr qint64 MaxLineLength = 127;
    static constexpr std::chrono::milliseconds DefaultCommandPause{500};

    ScriptInterpreter(ScriptHost& host, const ScreenBuffer& screen, ScriptRunningFlag& running);
    Q_DISABLE_COPY_MOVE(ScriptInterpreter)

    void setCommandPause(std::chrono::milliseconds pause) { m_commandPause = pause; }

    // False when the file could not be opened or a command failed (the error flag).
    bool Execute(const QString& path);

    void abort();
    void shutDown();

private:
    using Handler = bool (ScriptInterpreter::*)(const QStringList& fields, const QString& line);

    void runLines(class QFile& file);
    bool dispatch(const QString& line);
    bool fail(QLatin1StringView message, const QString& line);
    bool runNode(const QStringList& fields, const QString& line);
    bool runSend(const QStringList& fields, const QString& line);
    bool runUntil(const QStringList& fields, const QString& line);
    bool runRem(const QStringList& fields, const QString& line);
    bool runWait(const QStringList& fields, const QString& line);
    void waitForText(const QByteArray& pattern);
    void sleep(QDeadlineTimer deadline);
    bool isAborted() const { return m_aborted.load(); }

    ScriptHost& m_host;
    const ScreenBuffer& m_screen;
    ScriptRunningFlag& m_running;
    std::chrono::milliseconds m_commandPause = DefaultCommandPause;
    bool m_error = false;

    std::atomic<bool> m_aborted{false};
    std::atomic<bool> m_shutDown{false};
    QMutex m_sleepLock;
    QWaitCondition m_wakeSleeper;
};
