// Real copies of the program side by side on an X server: which copy is a clone, how
// the "&Window" commands line them up, the dialog guard between copies, and a copy told
// to end by the system. The test process takes part as one more copy, a real main
// window, where it has to be the one the operator works in. Other copies are driven as
// an operator would, through xdotool.

#include "TestNode.h"
#include "app/TForm1.h"
#include "desktop/CopyCollector.h"
#include "desktop/CopyRegistry.h"
#include "desktop/ExclusiveDialogGuard.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <csignal>
#include <memory>
#include <vector>

using namespace std::chrono_literals;

class CopiesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void copiesAreClonesAndLineUp();
    void dialogRefusedWhileAnotherCopyIsInside_data();
    void dialogRefusedWhileAnotherCopyIsInside();
    void sigtermEndsConnectedCopyAsExitDoes();

private:
    bool startCopy();
    QProcess& newestCopy() { return *m_copies.back(); }
    QList<CopyAnswer> runningCopies();
    QString settingsFile(const QString& name) const;
    // The first line xdotool prints; window searches take %1 for the newest copy's id.
    QString xdotool(const QString& command);

    std::unique_ptr<QTemporaryDir> m_home;
    std::vector<std::unique_ptr<QProcess>> m_copies;
};

void CopiesTest::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server for real window positions: install xvfb (xvfb-run)");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("needs xdotool to act as the operator on another copy");
}

// Each test's copies share settings and runtime folders of their own.
void CopiesTest::init() {
    m_home = std::make_unique<QTemporaryDir>();
    const QString runtime = m_home->filePath(QStringLiteral("run"));
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_home->filePath(QStringLiteral("config")).toLocal8Bit());
    QVERIFY(SettingsFile().SaveWindowGeometry({300, 200, 560, 300, true}));
}

void CopiesTest::cleanup() {
    for (const auto& copy : m_copies) {
        copy->kill();
        copy->waitForFinished();
    }
    m_copies.clear();
}

// True once the copy's window is shown and answers in the registry.
bool CopiesTest::startCopy() {
    const qsizetype before = runningCopies().size();
    m_copies.push_back(std::make_unique<QProcess>());
    newestCopy().start(QStringLiteral(KESTREL_PROGRAM), {});
    return QTest::qWaitFor(
        [&] {
            const QList<CopyAnswer> copies = runningCopies();
            return copies.size() > before && copies.back().identity.marker != 0;
        },
        20000);
}

// Every registered copy, this process's windows too, oldest first.
QList<CopyAnswer> CopiesTest::runningCopies() {
    CopyCollector collector(QString(), 2s);
    QSignalSpy finished(&collector, &CopyCollector::finished);
    collector.start();
    if (finished.isEmpty())
        finished.wait();
    QList<CopyAnswer> copies = collector.answers();
    std::sort(copies.begin(), copies.end(), [](const CopyAnswer& a, const CopyAnswer& b) {
        return a.identity.started < b.identity.started;
    });
    return copies;
}

QString CopiesTest::settingsFile(const QString& name) const {
    return QFileInfo(SettingsFile::defaultPath()).dir().filePath(name);
}

QString CopiesTest::xdotool(const QString& command) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  QProcess::splitCommand(command.arg(newestCopy().processId())));
    xdotool.waitForFinished();
    return QString::fromLatin1(xdotool.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0);
}

namespace {
const QString MainWindow =
    QStringLiteral("search --all --onlyvisible --pid %1 --name \"^KESTREL <->\"");
}

void CopiesTest::copiesAreClonesAndLineUp() {
    // A copy killed outright leaves no marker: the next one, alone, is a first copy again.
    QVERIFY(startCopy());
    newestCopy().kill();
    QVERIFY(newestCopy().waitForFinished());
    QVERIFY(startCopy());
    QVERIFY(startCopy());
    const QList<CopyAnswer> copies = runningCopies();
    QCOMPARE(copies.size(), 2);
    const QRect first = copies.at(0).identity.frame;
    const QRect clone = copies.at(1).identity.frame;
    QCOMPARE(first.topLeft(), QPoint(300, 200));
    QVERIFY(clone.topLeft() != first.topLeft()); // the clone does not take LEFT and TOP
    QCOMPARE(clone.size(), first.size());        // but does take WIDTH and HEIGHT

    QVERIFY(startCopy()); // killed, it leaves its entry behind
    const QString deadEntry = runningCopies().back().server;
    newestCopy().kill();
    QVERIFY(newestCopy().waitForFinished());

    TForm1 caller;
    caller.show();
    TForm1 hidden;
    hidden.show();
    hidden.hide();
    const QRect hiddenFrame = hidden.frameGeometry();
    caller.findChild<QAction*>(QStringLiteral("Virticalalign1"))->trigger();
    QTRY_COMPARE(caller.frameGeometry().top(), 1);
    QVERIFY(!QFile::exists(deadEntry));
    const QRect area = caller.windowHandle()->screen()->availableGeometry();
    const int band = area.height() / 3;
    QTRY_COMPARE(runningCopies().at(1).identity.frame.top(), 2 * band + 1);
    QCOMPARE(runningCopies().at(0).identity.frame, QRect(1, band + 1, area.width(), band));
    QCOMPARE(hidden.frameGeometry(), hiddenFrame);
}

void CopiesTest::dialogRefusedWhileAnotherCopyIsInside_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("connect") << QStringLiteral("bConnect");
    QTest::newRow("environ") << QStringLiteral("bEnv");
}

// The operator presses the button in another copy while this process is inside the
// guard: that copy says no in a box captioned "KESTREL" instead of opening the dialog.
// (Its text cannot be read from outside; tst_mainwindow checks it in-process.)
void CopiesTest::dialogRefusedWhileAnotherCopyIsInside() {
    QFETCH(QString, button);
    const ExclusiveDialogGuard insideDialog;
    QVERIFY(insideDialog.acquired());
    QVERIFY(startCopy());
    QPoint pressAt;
    {
        TForm1 sameLayout; // where the button sits in a window of that size
        sameLayout.show();
        auto* control = sameLayout.findChild<QPushButton*>(button);
        pressAt = control->mapTo(&sameLayout, control->rect().center());
    }
    xdotool(
        QStringLiteral("mousemove --window %1 %2 %3 click 1")
            .arg(xdotool(MainWindow), QString::number(pressAt.x()), QString::number(pressAt.y())));
    QTRY_VERIFY(!xdotool(QStringLiteral("search --all --onlyvisible --pid %1 --name \"^KESTREL$\""))
                     .isEmpty());
}

void CopiesTest::sigtermEndsConnectedCopyAsExitDoes() {
    TestNode node;
    QVERIFY(node.listen());
    SettingsFile settings;
    NodeTable nodes = settings.LoadNodes();
    nodes[0].address = QStringLiteral("127.0.0.1");
    nodes[0].port = QString::number(node.port());
    QVERIFY(settings.SaveNodes(nodes));
    QFile script(settingsFile(QStringLiteral("script1.txt")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("node 1\nuntil login:\nsend N0CALL\n");
    script.close();
    QSignalSpy loggedIn(&node, &TestNode::clientLoggedIn);
    QVERIFY(startCopy());
    xdotool(QStringLiteral("windowfocus --sync ") + xdotool(MainWindow));
    xdotool(QStringLiteral("key F1"));
    QVERIFY(loggedIn.wait());

    QSignalSpy closed(&node, &TestNode::clientDisconnected);
    ::kill(pid_t(newestCopy().processId()), SIGTERM);
    QVERIFY(closed.wait());
    QVERIFY(newestCopy().waitForFinished());
    QCOMPARE(newestCopy().exitStatus(), QProcess::NormalExit);
    QFile keyHistory(settingsFile(QStringLiteral("KestrelKey.txt")));
    QVERIFY(keyHistory.open(QIODevice::ReadOnly));
    QCOMPARE(keyHistory.readLine().trimmed(), QByteArray("N0CALL"));
    QVERIFY(QDir(CopyRegistry::folder()).isEmpty()); // its entry went with it
}

QTEST_MAIN(CopiesTest)
#include "tst_copies.moc"
