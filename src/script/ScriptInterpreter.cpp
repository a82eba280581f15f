#include "script/ScriptInterpreter.h"

#include "net/NodeConnection.h"
#include "screen/ScreenBuffer.h"
#include "script/ScriptHost.h"
#include "script/ScriptRunningFlag.h"
#include "script/ScriptTexts.h"

#include <QFile>

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
    m_error = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_host.showLine(ScriptTexts::CantOpen + path);
        return false;
    }
    m_running.SetRunning(true);
    runLines(file);
    file.close();
    if (!m_error)
        m_host.closeWindow();
    m_running.SetRunning(false);
    return !m_error;
}

void ScriptInterpreter::runLines(QFile& file) {
    while (!isAborted() && !file.atEnd()) {
        const QByteArray piece = file.readLine(MaxLineLength + 1); // the size counts a terminator
        if (piece.isEmpty())
            break; // a read error: nothing more will come
        const QString line = trimmedLine(QString::fromUtf8(piece));
        if (line.isEmpty())
            continue;
        m_host.showLine(line);
        if (!dispatch(line)) {
            m_error = true;
            return;
        }
        sleep(QDeadlineTimer(m_commandPause));
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
    waitForText(restOf(fields).toUtf8());
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
    sleep(QDeadlineTimer(milliseconds));
    return true;
}

// Looks at the last completed line (still the last text until the next character comes),
// then at the line being built and every line completed since, each time the screen
// changes: a prompt without a line end is seen, and no line slips by however fast the
// node sends. The comparison is case-sensitive.
void ScriptInterpreter::waitForText(const QByteArray& pattern) {
    ScreenCursor cursor = m_screen.cursorAtEnd();
    if (m_screen.GetLastText().contains(pattern))
        return;
    const auto holdsPattern = [&pattern](const QByteArray& text) { return text.contains(pattern); };
    while (!isAborted()) {
        const ScreenNews news = m_screen.ReadSince(cursor);
        if (holdsPattern(news.partial) ||
            std::any_of(news.lines.cbegin(), news.lines.cend(), holdsPattern))
            return;
        m_screen.WaitForChange(cursor, QDeadlineTimer::Forever, [this] { return isAborted(); });
    }
}

void ScriptInterpreter::sleep(QDeadlineTimer deadline) {
    QMutexLocker locker(&m_sleepLock);
    while (!m_shutDown.load() && !deadline.hasExpired())
        m_wakeSleeper.wait(&m_sleepLock, deadline);
}

void ScriptInterpreter::abort() {
    m_aborted.store(true);
    m_screen.WakeWaiters();
}

void ScriptInterpreter::shutDown() {
    {
        QMutexLocker locker(&m_sleepLock);
        m_shutDown.store(true);
        m_wakeSleeper.wakeAll();
    }
    abort();
}
