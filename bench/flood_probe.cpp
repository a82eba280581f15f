// The client under a flood of spots, with a probe: starts exactly as kestrel does,
// connects to the node on 127.0.0.1:<port>, logs in as M0TST and then watches how long
// its event loop is ever kept from running and how many spot lines reach the screen.
// Run by kestrel_flood, which sets XDG_CONFIG_HOME to a folder of its own.
//
//   kestrel_flood_probe <port> [--view terminal|all|band] [--log <file>]
//     --view: what is in front once logged in: the terminal (default), the scope's "All"
//     list or its 20 m list; --log: a session log open on <file> throughout
//
// Prints "ready" once logged in. Lines on stdin: "count" answers
// "count <spots seen> <bytes waiting in the client's socket>"; "report" (or SIGTERM, or
// the end of stdin) prints
// "report max-block-ms <ms> spots <seen> missed <of them missed> over16 <blocks>"
// (with a log: " log-lines <lines in it> log-match <1 when it holds exactly the lines the
// screen completed, in order, else 0>") and quits.

#include "app/TForm1.h"
#include "files/LogPanel.h"
#include "scope/ScopeSheet.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <glib.h>
#include <optional>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

const QByteArray LoginCall = QByteArrayLiteral("M0TST");
const QByteArray SpotPrefix = QByteArrayLiteral("DX de ");
constexpr qint64 NsPerMs = 1'000'000;
constexpr qint64 FrameNs = 16 * NsPerMs;
// What connecting, logging in and bringing a sheet to the front cost is not the flood's.
constexpr int SettleMs = 250;

// The longest time the event loop did not look at its inputs: the time from one return
// of glib's poll to its next call is one pass of the loop, however many events it ran.
// The poll function is wrapped, so the watch itself wakes the loop no more often than
// the client does (a ticking timer would, and would cost as much as a quiet client).
class LoopWatch {
public:
    LoopWatch() {
        s_watch = this;
        GMainContext* context = g_main_context_default();
        s_poll = g_main_context_get_poll_func(context);
        g_main_context_set_poll_func(context, &LoopWatch::poll);
    }
    ~LoopWatch() {
        g_main_context_set_poll_func(g_main_context_default(), s_poll);
        s_watch = nullptr;
    }
    LoopWatch(const LoopWatch&) = delete;
    LoopWatch& operator=(const LoopWatch&) = delete;

    void start() {
        m_clock.start();
        m_lastReturn = 0;
    }

    double maxBlockMs() const { return double(m_maxPassNs) / double(NsPerMs); }
    int blocksOverFrame() const { return m_overFrame; }

private:
    static gint poll(GPollFD* fds, guint count, gint timeout) {
        if (s_watch)
            s_watch->passEnded();
        const gint ready = s_poll(fds, count, timeout);
        if (s_watch && s_watch->m_clock.isValid())
            s_watch->m_lastReturn = s_watch->m_clock.nsecsElapsed();
        return ready;
    }

    void passEnded() {
        if (!m_clock.isValid())
            return;
        const qint64 pass = m_clock.nsecsElapsed() - m_lastReturn;
        m_maxPassNs = std::max(m_maxPassNs, pass);
        if (pass > FrameNs)
            ++m_overFrame;
    }

    static inline LoopWatch* s_watch = nullptr;
    static inline GPollFunc s_poll = nullptr;
    QElapsedTimer m_clock;
    qint64 m_lastReturn = 0;
    qint64 m_maxPassNs = 0;
    int m_overFrame = 0;
};

// Commands on stdin and SIGTERM, both turned into events of the loop.
class Commands {
public:
    explicit Commands(std::function<void(const QByteArray&)> run)
        : m_run(std::move(run))
        , m_stdin(STDIN_FILENO, QSocketNotifier::Read) {
        QObject::connect(&m_stdin, &QSocketNotifier::activated, &m_stdin, [this] { readStdin(); });
        sigset_t term;
        sigemptyset(&term);
        sigaddset(&term, SIGTERM);
        m_signalFd = signalfd(-1, &term, SFD_CLOEXEC);
        if (m_signalFd >= 0) {
            m_signal.emplace(m_signalFd, QSocketNotifier::Read);
            QObject::connect(&*m_signal, &QSocketNotifier::activated, &*m_signal,
                             [this] { m_run("report"); });
        }
    }
    ~Commands() {
        m_signal.reset();
        if (m_signalFd >= 0)
            close(m_signalFd);
    }
    Commands(const Commands&) = delete;
    Commands& operator=(const Commands&) = delete;

    // Before any thread starts, so that SIGTERM reaches the signalfd and no thread dies.
    static void blockTerm() {
        sigset_t term;
        sigemptyset(&term);
        sigaddset(&term, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &term, nullptr);
    }

private:
    void readStdin() {
        char chunk[256];
        const ssize_t count = read(STDIN_FILENO, chunk, sizeof chunk);
        if (count <= 0) { // the caller has gone
            m_stdin.setEnabled(false);
            m_run("report");
            return;
        }
        m_pending.append(chunk, count);
        qsizetype newline;
        while ((newline = m_pending.indexOf('\n')) >= 0) {
            const QByteArray line = m_pending.first(newline).trimmed();
            m_pending.remove(0, newline + 1);
            m_run(line);
        }
    }

    std::function<void(const QByteArray&)> m_run;
    QSocketNotifier m_stdin;
    int m_signalFd = -1;
    std::optional<QSocketNotifier> m_signal;
    QByteArray m_pending;
};

class FloodProbe {
public:
    FloodProbe(TForm1& form, QString list)
        : m_form(form)
        , m_list(std::move(list))
        , m_commands([this](const QByteArray& line) { command(line); }) {
        QObject::connect(&form.connection().receiver(), &NodeReceiver::received, &m_context,
                         [this] { readScreen(); });
    }

    // From before connecting on, so that the log and the screen see the same lines.
    bool openLog(const QString& path) {
        m_logPath = path;
        auto* log = m_form.findChild<LogPanel*>();
        return log && log->toggle().start(path, SessionLog::Mode::Overwrite);
    }

    int connectTo(const QString& port) {
        NodeEntry node;
        node.address = QStringLiteral("127.0.0.1");
        node.port = port;
        node.localEcho = false;
        m_cursor = m_form.screen().cursorAtEnd();
        return m_form.connection().StartConnection(node);
    }

private:
    void readScreen() {
        const ScreenNews news = m_form.screen().ReadSince(m_cursor);
        m_missed += news.missed;
        m_spots += news.missed; // only spots arrive fast enough to leave the ring unread
        for (const QByteArray& line : news.lines) {
            m_shownLines.addData(LinePipeline::trimmedForLog(line));
            m_shownLines.addData("\n");
            if (line.startsWith(SpotPrefix))
                ++m_spots;
            else if (m_loginSent && !m_ready && line.startsWith(LoginCall + " de "))
                becomeReady();
        }
        if (!m_loginSent && m_form.screen().GetCurrentLine() == "login: ") {
            m_loginSent = true;
            m_form.SendScriptLine(QString::fromLatin1(LoginCall));
        }
    }

    void becomeReady() {
        m_ready = true;
        if (!m_list.isEmpty())
            showList();
        QTimer::singleShot(SettleMs, &m_context, [this] {
            m_watch.start();
            say("ready");
        });
    }

    // Connecting brought the TTY sheet to the front; the operator turns to the scope.
    void showList() {
        auto* pages = m_form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        pages->setCurrentWidget(&m_form.scopeSheet());
        auto* lists = m_form.scopeSheet().findChild<QTabWidget*>(QStringLiteral("PageControl3"));
        QWidget* list = m_form.scopeSheet().findChild<QWidget*>(m_list);
        // The list sits on its sheet: bring the sheet that holds it to the front.
        while (list && lists->indexOf(list) < 0)
            list = list->parentWidget();
        lists->setCurrentWidget(list);
    }

    void command(const QByteArray& line) {
        if (line == "count") {
            say("count " + QByteArray::number(m_spots) + ' ' +
                QByteArray::number(m_form.connection().socket().bytesAvailable()));
        } else if (line == "report" && !m_reported) {
            m_reported = true;
            say("report max-block-ms " + QByteArray::number(m_watch.maxBlockMs(), 'f', 1) +
                " spots " + QByteArray::number(m_spots) + " missed " +
                QByteArray::number(m_missed) + " over16 " +
                QByteArray::number(m_watch.blocksOverFrame()) + logReport());
            QCoreApplication::exit(0);
        }
    }

    QByteArray logReport() {
        if (m_logPath.isEmpty())
            return {};
        m_form.findChild<LogPanel*>()->close();
        QFile file(m_logPath);
        QCryptographicHash logged(QCryptographicHash::Sha256);
        if (!file.open(QIODevice::ReadOnly) || !logged.addData(&file))
            return " log-lines -1 log-match 0";
        file.seek(0);
        qint64 lines = 0;
        for (char chunk[65536]; qint64 count = file.read(chunk, sizeof chunk);)
            lines += QByteArrayView(chunk, count).count('\n');
        const bool match = m_missed == 0 && logged.result() == m_shownLines.result();
        return " log-lines " + QByteArray::number(lines) + " log-match " + (match ? "1" : "0");
    }

    static void say(const QByteArray& line) {
        std::fputs(line.constData(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }

    TForm1& m_form;
    QString m_list; // object name of the scope list in front; empty: the terminal
    LoopWatch m_watch;
    Commands m_commands;
    ScreenCursor m_cursor;
    quint64 m_spots = 0;
    quint64 m_missed = 0;
    bool m_loginSent = false;
    bool m_ready = false;
    bool m_reported = false;
    QString m_logPath;
    QCryptographicHash m_shownLines{QCryptographicHash::Sha256};
    QObject m_context; // last, so that its connections go first
};

} // namespace

int main(int argc, char* argv[]) {
    Commands::blockTerm();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fputs("usage: kestrel_flood_probe <port> [--view terminal|all|band] [--log <file>]\n",
                   stderr);
        return 2;
    }
    TForm1 form;
    form.show();
    const qsizetype viewOption = args.indexOf(QStringLiteral("--view"));
    const QString view = viewOption > 0 ? args.value(viewOption + 1) : QString();
    const QString list = view == QLatin1String("all")    ? QStringLiteral("lstScope")
                         : view == QLatin1String("band") ? QStringLiteral("lstScope20")
                                                         : QString();
    FloodProbe probe(form, list);
    const qsizetype logOption = args.indexOf(QStringLiteral("--log"));
    if (logOption > 0 && !probe.openLog(args.value(logOption + 1))) {
        std::fputs("kestrel_flood_probe: cannot open the log\n", stderr);
        return 2;
    }
    if (probe.connectTo(args.at(1)) != NodeConnection::Started) {
        std::fputs("kestrel_flood_probe: cannot start the connection\n", stderr);
        return 2;
    }
    return QApplication::exec();
}
