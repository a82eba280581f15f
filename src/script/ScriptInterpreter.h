#pragma once

// Runs one script file from its first line to its last: "node", "send", "until", "wait"
// and "rem", one command a line, lower case. Each line is shown before it runs; the
// first failing command is reported in the script window and stops the script, which
// then leaves the window open. After each successful command the script pauses (500 ms
// unless set otherwise), so the node's answers show before the next command.
//
// The file is read as the settings files are: valid UTF-8 as UTF-8, anything else in the
// terminal's character set. Only a plain file is read: a pipe or a device is refused as a
// file that cannot be opened.
//
// "until" looks at the last completed line and the line being built as they are when it
// starts, and at every line completed since the previous command began: an answer that
// came during the pause after "send" is not missed. The run keeps that screen position
// from command to command.
//
// Threading: Execute runs on the script thread and reaches the program only through the
// host. abort() may be called from any thread; it is seen at once, in "until", in "wait"
// and in the pause after a command.

#include "screen/ScreenBuffer.h"

#include <QDeadlineTimer>
#include <QMutex>
#include <QStringList>
#include <QWaitCondition>

#include <atomic>
#include <chrono>
#include <optional>

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
    // The terminal's character set (a Windows charset number), for reading the file and
    // for comparing with the node's bytes. Set before Execute.
    void setCharset(int windowsCharset) { m_charset = windowsCharset; }

    // Tests and fuzzing only: no "wait" lasts longer than this, and an "until" whose text
    // has not come by then ends the run as an abort does.
    void setLongestWait(std::chrono::milliseconds longest) { m_longestWait = longest; }

    // False when the file could not be opened or a command failed (the error flag).
    bool Execute(const QString& path);
    // Runs a script file's contents.
    bool Run(QByteArrayView file);

    void abort();

private:
    using Handler = bool (ScriptInterpreter::*)(const QStringList& fields, const QString& line);

    void runLines(QByteArrayView file);
    bool dispatch(const QString& line);
    bool fail(QLatin1StringView message, const QString& line);
    bool runNode(const QStringList& fields, const QString& line);
    bool runSend(const QStringList& fields, const QString& line);
    bool runUntil(const QStringList& fields, const QString& line);
    bool runRem(const QStringList& fields, const QString& line);
    bool runWait(const QStringList& fields, const QString& line);
    void waitForText(const QByteArray& pattern);
    void sleep(std::chrono::milliseconds duration);
    bool isAborted() const { return m_aborted.load(); }

    ScriptHost& m_host;
    const ScreenBuffer& m_screen;
    ScriptRunningFlag& m_running;
    std::chrono::milliseconds m_commandPause = DefaultCommandPause;
    std::optional<std::chrono::milliseconds> m_longestWait;
    int m_charset = 0;
    bool m_error = false;
    ScreenCursor m_cursor; // where "until" starts reading the node's lines

    std::atomic<bool> m_aborted{false};
    QMutex m_sleepLock;
    QWaitCondition m_wakeSleeper;
};
