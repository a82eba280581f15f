#include "script/ScriptInterpreter.h"

#include "base/SendCharset.h"
#include "base/StoredText.h"
#include "net/NodeConnection.h"
#include "screen/ScreenBuffer.h"
#include "script/ScriptHost.h"
#include "script/ScriptRunningFlag.h"
#include "script/ScriptTexts.h"

#include <algorithm>

namespace {

// Blanks and control characters go, so line ends and indentation vanish.
QString trimmedLine(const QString& text) {
    const auto isBlank = [](QChar c) { return c.unicode() <= 0x20 || c.unicode() == 0x7f; };
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text.at(start)))
        ++start;
    while (end > start && isBlank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

// The line after its keyword, runs of inner spaces kept.
QString restOf(const QStringList& fields) {
    return trimmedLine(fields.mid(1).join(QLatin1Char(' ')));
}

} // namespace

ScriptInterpreter::ScriptInterpreter(ScriptHost& host, const ScreenBuffer& screen,
                                     ScriptRunningFlag& running)
    : m_host(host)
    , m_screen(screen)
    , m_running(running) {}

bool ScriptInterpreter::Execute(const QString& path) {
    const StoredFile file = readStoredFile(path);
    if (file.state != StoredFileState::Read) {
        m_error = true;
        m_host.showLine(ScriptTexts::CantOpen + path);
        return false;
    }
    return Run(file.bytes);
}

bool ScriptInterpreter::Run(QByteArrayView file) {
    m_error = false;
    m_running.SetRunning(true);
    m_cursor = m_screen.cursorAtEnd();
    runLines(file);
    if (!m_error)
        m_host.closeWindow();
    m_running.SetRunning(false);
    return !m_error;
}

// Line by line as a stream reads it: a line longer than MaxLineLength bytes is taken in
// pieces of that many, each piece a line of its own.
void ScriptInterpreter::runLines(QByteArrayView file) {
    const StoredTextCodec codec = StoredTextCodec::of(file, m_charset);
    const QByteArrayView text = withoutByteOrderMark(file);
    qsizetype start = 0;
    while (!isAborted() && start < text.size()) {
        const QByteArrayView rest = text.sliced(start);
        const qsizetype lineEnd = rest.first(std::min(rest.size(), MaxLineLength)).indexOf('\n');
        const QByteArrayView piece =
            rest.first(lineEnd >= 0 ? lineEnd + 1 : std::min(rest.size(), MaxLineLength));
        start += piece.size();
        const QString line = trimmedLine(codec.decode(piece));
        if (line.isEmpty())
            continue;
        m_host.showLine(line);
        if (!dispatch(line)) {
            m_error = true;
            return;
        }
        sleep(m_commandPause);
    }
}

bool ScriptInterpreter::dispatch(const QString& line) {
    struct Command {
        QLatin1StringView keyword;
        Handler run;
    };
    static const Command commands[] = {
        {ScriptTexts::Node, &ScriptInterpreter::runNode},
        {ScriptTexts::Send, &ScriptInterpreter::runSend},
        {ScriptTexts::Until, &ScriptInterpreter::runUntil},
        {ScriptTexts::Rem, &ScriptInterpreter::runRem},
        {ScriptTexts::Wait, &ScriptInterpreter::runWait},
    };
    const QStringList fields = line.split(QLatin1Char(' '));
    for (const Command& command : commands) {
        if (!line.startsWith(command.keyword))
            continue;
        // "nodes 1" or "wait1000" begin with a keyword but are not that command.
        if (fields.constFirst() != command.keyword)
            break;
        // What "until" waits for is an answer to the commands since the last "until".
        if (command.run != &ScriptInterpreter::runUntil &&
            command.run != &ScriptInterpreter::runRem)
            m_cursor = m_screen.cursorAtEnd();
        return (this->*command.run)(fields, line);
    }
    return fail(ScriptTexts::ScriptError, line);
}

bool ScriptInterpreter::fail(QLatin1StringView message, const QString& line) {
    m_host.showLine(message + line);
    return false;
}

// Only starts the connection: a following "until" waits for the node's prompt. A start
// that fails is reported, and the script goes on.
bool ScriptInterpreter::runNode(const QStringList& fields, const QString& line) {
    if (fields.size() != 2)
        return fail(ScriptTexts::NodeCountError, line);
    bool numeric = false;
    const int number = fields.at(1).toInt(&numeric);
    if (!numeric)
        return fail(ScriptTexts::NodeNotNumeric, line);
    if (number < 1 || number > NodeCount)
        return fail(ScriptTexts::NodeOutOfRange, line);
    const int result = m_host.connectToNode(number);
    if (result < 0)
        m_host.showLine(NodeConnection::ConErrStr(result));
    else // this script made the connection: a reconnect runs it again
        m_host.recordLastScript(number);
    return true;
}

bool ScriptInterpreter::runSend(const QStringList& fields, const QString& line) {
    if (fields.size() < 2)
        return fail(ScriptTexts::SendTooFew, line);
    m_host.sendLine(restOf(fields));
    return true;
}

bool ScriptInterpreter::runUntil(const QStringList& fields, const QString& line) {
    if (fields.size() < 2)
        return fail(ScriptTexts::UntilTooFew, line);
    // The node's bytes as the terminal holds them, in the terminal's character set.
    waitForText(SendCharset(m_charset).encode(restOf(fields)));
    return true;
}

bool ScriptInterpreter::runRem(const QStringList&, const QString&) {
    return true;
}

bool ScriptInterpreter::runWait(const QStringList& fields, const QString& line) {
    if (fields.size() < 2)
        return fail(ScriptTexts::WaitTooFew, line);
    if (fields.size() > 2)
        return fail(ScriptTexts::WaitTooMany, line);
    bool numeric = false;
    const int milliseconds = trimmedLine(fields.at(1)).toInt(&numeric);
    if (!numeric || milliseconds < 0)
        return fail(ScriptTexts::WaitNotNumeric, line);
    sleep(std::chrono::milliseconds(milliseconds));
    return true;
}

// Looks at the last completed line and the line being built, then at every line
// completed since the run's screen position, each time the screen changes: a prompt
// without a line end is seen, and no line slips by however fast the node sends. The
// position moves past the line that matched, so a following "until" reads on from there.
// The comparison is case-sensitive.
void ScriptInterpreter::waitForText(const QByteArray& pattern) {
    if (m_screen.GetLastText().contains(pattern))
        return;
    while (!isAborted()) {
        const quint64 first = m_cursor.nextLine;
        const ScreenNews news = m_screen.ReadSince(m_cursor);
        for (qsizetype i = 0; i < news.lines.size(); ++i) {
            if (news.lines[i].contains(pattern)) {
                m_cursor.nextLine = first + news.missed + quint64(i) + 1;
                return;
            }
        }
        if (news.partial.contains(pattern))
            return;
        const QDeadlineTimer deadline = m_longestWait ? QDeadlineTimer(*m_longestWait)
                                                      : QDeadlineTimer(QDeadlineTimer::Forever);
        if (m_screen.WaitForChange(m_cursor, deadline, [this] { return isAborted(); }) ==
            ScreenBuffer::WaitResult::TimedOut)
            abort();
    }
}

void ScriptInterpreter::sleep(std::chrono::milliseconds duration) {
    const QDeadlineTimer deadline(m_longestWait ? std::min(duration, *m_longestWait) : duration);
    QMutexLocker locker(&m_sleepLock);
    while (!isAborted() && !deadline.hasExpired())
        m_wakeSleeper.wait(&m_sleepLock, deadline);
}

// An aborted run ends at once, also from a long "wait": the next run (an F-key pressed
// after Abort, a reconnect) starts when it has ended.
void ScriptInterpreter::abort() {
    {
        QMutexLocker locker(&m_sleepLock);
        m_aborted.store(true);
        m_wakeSleeper.wakeAll();
    }
    m_screen.WakeWaiters();
}
