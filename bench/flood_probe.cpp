// The client under a flood of spots, with a probe: starts exactly as kestrel does,
// connects to the node on 127.0.0.1:<port>, logs in as M0TST and then watches how long
// its event loop is ever kept from running and how many spot lines reach the screen.
// Run by kestrel_flood, which sets XDG_CONFIG_HOME to a folder of its own.
//
//   kestrel_flood_probe <port> [--view terminal|all|band|map] [--log <file>]
//     --view: what is in front once logged in: the terminal (default), the scope's "All"
//     list, its 20 m list or the band map (of 20 m); --log: a session log open on <file>
//     throughout
//
// Prints "ready" once logged in. Lines on stdin: "count" answers
// "count <spots seen> <bytes waiting in the client's socket>"; "report" (or SIGTERM, or
// the end of stdin) prints
// "report spots <seen> missed <of them missed> max-block-ms <ms> over16 <blocks>"
// (with a log: " log-lines <lines in it> log-match <1 when it holds exactly the lines the
// screen completed, in order, else 0>") and quits.

#include "app/TForm1.h"
#include "country/WorkedLogLoader.h"
#include "desktop/SoundEffectOutput.h"
#include "probe_loop.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace {

using probe::say;

const QByteArray LoginCall = QByteArrayLiteral("M0TST");
const QByteArray SpotPrefix = QByteArrayLiteral("DX de ");
// What connecting, logging in and bringing a sheet to the front cost is not the flood's.
constexpr int SettleMs = 250;

class FloodProbe {
public:
    FloodProbe(TForm1& form, QString list)
        : m_form(form)
        , m_list(std::move(list))
        , m_commands([this](const QByteArray& line) { command(line); }) {
        QObject::connect(&form.core().connection().receiver(), &NodeReceiver::received, &m_context,
                         [this] { readScreen(); });
        // The flood measures spots, not the start: with a log, ready waits for it to be read.
        m_logRead = form.core().logLoader().path().isEmpty();
        QObject::connect(&form.core().logLoader(), &WorkedLogLoader::loaded, &m_context, [this] {
            m_logRead = true;
            if (m_loggedIn && !m_ready)
                becomeReady();
        });
    }

    // From before connecting on, so that the log and the screen see the same lines.
    bool openLog(const QString& path) {
        m_logPath = path;
        return m_form.core().log().start(path, SessionLog::Mode::Overwrite);
    }

    int connectTo(const QString& port) {
        NodeEntry node;
        node.address = QStringLiteral("127.0.0.1");
        node.port = port;
        node.localEcho = false;
        m_cursor = m_form.core().screen().cursorAtEnd();
        return m_form.core().connection().StartConnection(node);
    }

private:
    void readScreen() {
        const ScreenNews news = m_form.core().screen().ReadSince(m_cursor);
        m_missed += news.missed;
        m_spots += news.missed; // only spots arrive fast enough to leave the ring unread
        for (const QByteArray& line : news.lines) {
            m_shownLines.addData(LinePipeline::trimmedForLog(line));
            m_shownLines.addData("\n");
            if (line.startsWith(SpotPrefix))
                ++m_spots;
            else if (m_loginSent && !m_loggedIn && line.startsWith(LoginCall + " de ")) {
                m_loggedIn = true;
                if (m_logRead)
                    becomeReady();
            }
        }
        if (!m_loginSent && m_form.core().screen().GetCurrentLine() == "login: ") {
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

    // Connecting brought the TTY sheet to the front; the operator turns to the view: every
    // sheet that holds it comes to the front.
    void showList() {
        for (QWidget* page = m_form.findChild<QWidget*>(m_list); page;
             page = page->parentWidget()) {
            QWidget* stack = page->parentWidget();
            auto* sheets = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
            if (sheets && sheets->indexOf(page) >= 0)
                sheets->setCurrentWidget(page);
        }
    }

    void command(const QByteArray& line) {
        if (line == "count") {
            say("count " + QByteArray::number(m_spots) + ' ' +
                QByteArray::number(m_form.core().connection().socket().bytesAvailable()));
        } else if (line == "report" && !m_reported) {
            m_reported = true;
            say("report spots " + QByteArray::number(m_spots) + " missed " +
                QByteArray::number(m_missed) + m_watch.report() + logReport());
            QCoreApplication::exit(0);
        }
    }

    QByteArray logReport() {
        if (m_logPath.isEmpty())
            return {};
        m_form.core().log().stop();
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

    TForm1& m_form;
    QString m_list; // object name of the view in front; empty: the terminal
    probe::LoopWatch m_watch;
    probe::Commands m_commands;
    ScreenCursor m_cursor;
    quint64 m_spots = 0;
    quint64 m_missed = 0;
    bool m_loginSent = false;
    bool m_loggedIn = false;
    bool m_logRead = false;
    bool m_ready = false;
    bool m_reported = false;
    QString m_logPath;
    QCryptographicHash m_shownLines{QCryptographicHash::Sha256};
    QObject m_context; // last, so that its connections go first
};

} // namespace

int main(int argc, char* argv[]) {
    probe::Commands::blockTerm();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fputs(
            "usage: kestrel_flood_probe <port> [--view terminal|all|band|map] [--log <file>]\n",
            stderr);
        return 2;
    }
    TForm1 form(std::make_unique<SoundEffectOutput>());
    form.show();
    const qsizetype viewOption = args.indexOf(QStringLiteral("--view"));
    const QString view = viewOption > 0 ? args.value(viewOption + 1) : QString();
    const QString list = view == QLatin1String("all")    ? QStringLiteral("lstScope")
                         : view == QLatin1String("band") ? QStringLiteral("lstScope20")
                         : view == QLatin1String("map")  ? QStringLiteral("BandMap")
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
