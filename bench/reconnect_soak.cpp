// kestrel_reconnect_soak: the client left logged in while its node goes down again and
// again. The main window runs here (off screen unless a display is set) with "Reconnect"
// ticked and a login script on F1; the node is a kestrel-testnode process, killed with
// SIGKILL at a random point of each cycle and started again 0 to 3 s later:
//   before it has sent "login: ", while the script waits in "until" for the prompt, after
//   the login, or after F5's script has asked for more spots.
// Every cycle must end logged in again, with no script window left open; it prints each
// cycle, the logins the nodes saw, and the resident memory as the cycles go.
//   kestrel_reconnect_soak [cycles, default 30] [milliseconds a countdown second lasts,
//                           default 1000]

#include "app/TForm1.h"
#include "desktop/SoundEffectOutput.h"
#include "script/ScriptFiles.h"
#include "script/TfScript.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

const QByteArray LoginScript = "node 1\nuntil login: \nsend XX1AA\nuntil >\nsend sh/dx\n";
const QByteArray MoreSpotsScript = "send sh/dx 20\nuntil >\n";
constexpr quint16 Port = 7391;

enum class KillPoint { BeforePrompt, DuringUntil, AfterLogin, AfterOtherScript };
const char* const KillPointNames[] = {"before login:", "in until", "after login",
                                      "after F5's script"};

// The node as a process, and what it reports on its standard error.
class NodeProcess : public QObject {
public:
    int connects = 0;
    int logins = 0;
    QList<QByteArray> commands;

    void start(bool holdAfterFirstByte) {
        QStringList arguments{QStringLiteral("--port"), QString::number(Port)};
        if (holdAfterFirstByte) // nothing more for 10 s: the prompt never comes in time
            arguments << QStringLiteral("--split") << QStringLiteral("1")
                      << QStringLiteral("--split-delay") << QStringLiteral("10000");
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        connect(m_process.get(), &QProcess::readyRead, this, &NodeProcess::read);
        m_process->start(QStringLiteral(KESTREL_TESTNODE), arguments);
        m_process->waitForStarted();
        m_process->waitForReadyRead(5000); // "listening on ..."
    }
    void kill() {
        if (!m_process)
            return;
        m_process->kill();
        m_process->waitForFinished(5000);
        m_process.reset();
    }

private:
    void read() {
        while (m_process->canReadLine()) {
            const QByteArray line = m_process->readLine().trimmed();
            if (line.endsWith(" connected"))
                ++connects;
            else if (line.contains(" logged in as "))
                ++logins;
            else if (const qsizetype sent = line.indexOf(" sent "); sent >= 0)
                commands.append(line.mid(sent + 6));
        }
    }

    std::unique_ptr<QProcess> m_process;
};

qint64 residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    return QTest::qWaitFor(condition, milliseconds);
}

void writeSettings(int reconnectSeconds) {
    SettingsFile settings;
    NodeTable nodes = settings.load<NodeTable>();
    nodes[0].address = QStringLiteral("127.0.0.1");
    nodes[0].port = QString::number(Port);
    nodes[0].remarks = QStringLiteral("soak");
    settings.save(nodes);
    EnvironmentSettings environment = settings.load<EnvironmentSettings>();
    environment.reconnectSec = reconnectSeconds;
    settings.save(environment);
    QDir().mkpath(scriptFolder());
    for (const auto& [index, text] : {std::pair{0, LoginScript}, std::pair{4, MoreSpotsScript}}) {
        QFile script(ScriptPath(index));
        if (script.open(QIODevice::WriteOnly))
            script.write(text);
    }
}

void pressKey(TForm1& form, Qt::Key key) {
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        QTextStream(stdout) << "the main window did not become active" << Qt::endl;
    QTest::keyClick(form.windowHandle(), key);
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int cycles = arguments.value(1, QStringLiteral("30")).toInt();
    const int secondMs = arguments.value(2, QStringLiteral("1000")).toInt();
    constexpr int ReconnectSeconds = 10;
    writeSettings(ReconnectSeconds);
    QTextStream out(stdout);

    NodeProcess node;
    node.start(false);
    TForm1 form(std::make_unique<SoundEffectOutput>());
    form.show();
    form.core().reconnect().setMillisecondsPerSecond(secondMs);
    const TfScript& scriptWindow = *form.findChild<TfScript*>();
    form.findChild<QCheckBox*>(QStringLiteral("chkReconnect"))->click();
    const auto loggedIn = [&node] { return node.commands.contains("sh/dx"); };
    const int loginWait = 3 * ReconnectSeconds * secondMs + 30000;
    pressKey(form, Qt::Key_F1);
    if (!waitFor(loggedIn, loginWait)) {
        out << "F1 did not log in; the script window shows: " << scriptWindow.DisplayText()
            << Qt::endl;
        return 1;
    }
    const qint64 firstKb = residentKilobytes();
    qint64 peakKb = firstKb;
    int failures = 0;
    QElapsedTimer soak;
    soak.start();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const auto point = KillPoint(QRandomGenerator::global()->bounded(4));
        const auto restartDelay = [] { QTest::qWait(QRandomGenerator::global()->bounded(3000)); };
        if (point == KillPoint::AfterOtherScript) {
            waitFor([&scriptWindow] { return !scriptWindow.isRunActive(); }, 10000);
            pressKey(form, Qt::Key_F5);
            waitFor([&node] { return node.commands.contains("sh/dx 20"); }, 10000);
        }
        node.kill();
        if (point == KillPoint::BeforePrompt || point == KillPoint::DuringUntil) {
            restartDelay();
            const int connects = node.connects, logins = node.logins;
            node.commands.clear();
            node.start(point == KillPoint::BeforePrompt);
            waitFor(point == KillPoint::BeforePrompt
                        ? std::function<bool()>([&] { return node.connects > connects; })
                        : std::function<bool()>([&] { return node.logins > logins; }),
                    loginWait);
            node.kill();
        }
        QElapsedTimer back;
        back.start();
        restartDelay();
        node.commands.clear();
        node.start(false);
        const bool again = waitFor(loggedIn, loginWait);
        const bool windowGone = waitFor(
            [&scriptWindow] { return !scriptWindow.isVisible() && !scriptWindow.isRunActive(); },
            5000);
        const qint64 kb = residentKilobytes();
        peakKb = std::max(peakKb, kb);
        failures += again && windowGone ? 0 : 1;
        out << QStringLiteral("cycle %1: killed %2, %3 after %4 s, script window %5, %6 kB")
                   .arg(cycle, 2)
                   .arg(QLatin1StringView(KillPointNames[int(point)]))
                   .arg(again ? QStringLiteral("logged in again") : QStringLiteral("NOT logged in"))
                   .arg(double(back.elapsed()) / 1000, 0, 'f', 1)
                   .arg(windowGone ? QStringLiteral("closed") : QStringLiteral("LEFT OPEN"))
                   .arg(kb)
            << Qt::endl;
    }
    node.kill();
    out << QStringLiteral("%1 cycles in %2 s, %3 failed; the nodes saw %4 logins; resident "
                          "memory %5 kB after the first login, %6 kB at the end, %7 kB at most")
               .arg(cycles)
               .arg(soak.elapsed() / 1000)
               .arg(failures)
               .arg(node.logins)
               .arg(firstKb)
               .arg(residentKilobytes())
               .arg(peakKb)
        << Qt::endl;
    return failures == 0 ? 0 : 1;
}
