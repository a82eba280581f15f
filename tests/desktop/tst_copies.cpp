// Real copies of the program side by side on an X server: which copy is a clone, the
// dialog guard between copies, how the "&Window" commands line them up, and a copy told
// to end by the system. The test process takes part as one more copy, a real main
// window, where it has to be the one the operator works in. Other copies are driven as
// an operator would, through xdotool.

#include "RecordedSounds.h"
#include "TestFiles.h"
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

#include <algorithm>
#include <deque>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Every registered copy, this process's windows too, oldest first.
QList<CopyAnswer> runningCopies() {
    CopyCollector collector(QString(), std::chrono::seconds(2));
    QSignalSpy finished(&collector, &CopyCollector::finished);
    collector.start();
    if (finished.isEmpty())
        finished.wait();
    QList<CopyAnswer> copies = collector.answers();
    std::ranges::sort(copies, {}, [](const CopyAnswer& copy) { return copy.identity.started; });
    return copies;
}

// The first line xdotool prints.
QString xdotool(const QString& command) {
    QProcess xdotool;
    xdotool.startCommand(u"xdotool "_s + command);
    xdotool.waitForFinished();
    return QString::fromLatin1(xdotool.readAllStandardOutput()).section(u'\n', 0, 0);
}

// A shown window of the copy whose caption matches, once there is one: by default its
// main window.
QString window(const QProcess& copy, const QString& caption = u"^KESTREL <->"_s) {
    return xdotool(
        u"search --sync --all --onlyvisible --pid %1 --name \"%2\""_s.arg(copy.processId())
            .arg(caption));
}

// Clicks the button where it sits in a main window of the size the settings give.
void press(const QProcess& copy, const char* button) {
    QPoint at;
    {
        TForm1 sameLayout(
            std::make_unique<RecordedSounds>()); // gone before the click, so it cannot take it
        sameLayout.show();
        const auto* control = sameLayout.findChild<QPushButton*>(QLatin1String(button));
        at = control->mapTo(&sameLayout, control->rect().center());
    }
    xdotool(u"windowraise %1 mousemove --window %1 %2 %3 click 1"_s.arg(
        window(copy), QString::number(at.x()), QString::number(at.y())));
}

} // namespace

class CopiesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server for real window positions: install xvfb (xvfb-run)");
        if (QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
            QSKIP("needs xdotool to act as the operator on another copy");
    }

    // Each test's copies share settings and runtime folders of their own.
    void init() {
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", m_home->path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_home->filePath(u"config"_s).toLocal8Bit());
        QVERIFY(SettingsFile().save(WindowGeometry{300, 200, 560, 300, true}));
    }

    void cleanup() {
        for (QProcess& copy : m_copies)
            copy.kill(), copy.waitForFinished();
        m_copies.clear();
    }

    void copiesAreClonesAndLineUp() {
        // A copy killed inside the environment dialog leaves neither the marker nor the
        // dialog guard behind: the next copy, alone, is a first copy again.
        QVERIFY(startCopy());
        press(m_copies.back(), "bEnv");
        QTRY_VERIFY(!ExclusiveDialogGuard().acquired());
        m_copies.back().kill();
        QVERIFY(m_copies.back().waitForFinished());
        QVERIFY(ExclusiveDialogGuard().acquired());
        QVERIFY(startCopy());
        QVERIFY(startCopy());
        const QList<CopyAnswer> copies = runningCopies();
        QCOMPARE(copies.size(), 2);
        const QRect first = copies.at(0).identity.frame;
        const QRect clone = copies.at(1).identity.frame;
        QCOMPARE(first.topLeft(), QPoint(300, 200));
        QVERIFY(clone.topLeft() != first.topLeft()); // the clone does not take LEFT and TOP
        QCOMPARE(clone.size(), first.size());        // but does take WIDTH and HEIGHT

        // While this process is inside a guarded dialog, the copies' buttons say no in a
        // box captioned "KESTREL" (its text is checked in-process by tst_mainwindow).
        const ExclusiveDialogGuard insideDialog;
        QVERIFY(insideDialog.acquired());
        press(m_copies.at(1), "bConnect");
        press(m_copies.at(2), "bEnv");
        QVERIFY(!window(m_copies.at(1), u"^KESTREL$"_s).isEmpty());
        QVERIFY(!window(m_copies.at(2), u"^KESTREL$"_s).isEmpty());

        // "Virtical align" from this process: its window on top, then the copies by start;
        // a dead copy's entry is skipped, a hidden window left where it is.
        QVERIFY(startCopy()); // killed, it leaves its entry behind
        const QString deadEntry = runningCopies().back().server;
        m_copies.back().kill();
        QVERIFY(m_copies.back().waitForFinished());
        TForm1 caller(std::make_unique<RecordedSounds>());
        caller.show();
        TForm1 hidden(std::make_unique<RecordedSounds>());
        hidden.show();
        hidden.hide();
        const QRect hiddenFrame = hidden.frameGeometry();
        caller.findChild<QAction*>(u"Virticalalign1"_s)->trigger();
        QTRY_COMPARE(caller.frameGeometry().top(), 1);
        QVERIFY(!QFile::exists(deadEntry));
        const QRect area = caller.QWidget::screen()->availableGeometry();
        const int band = area.height() / 3;
        QTRY_COMPARE(runningCopies().at(1).identity.frame.top(), 2 * band + 1);
        QCOMPARE(runningCopies().at(0).identity.frame, QRect(1, band + 1, area.width(), band));
        QCOMPARE(hidden.frameGeometry(), hiddenFrame);
    }

    void sigtermEndsConnectedCopyAsExitDoes() {
        TestNode node;
        QVERIFY(node.listen());
        SettingsFile settings;
        NodeTable nodes = settings.load<NodeTable>();
        nodes[0].address = u"127.0.0.1"_s;
        nodes[0].port = QString::number(node.port());
        QVERIFY(settings.save(nodes));
        const QDir folder = QFileInfo(SettingsFile::defaultPath()).dir();
        QVERIFY(
            writeFile(folder.filePath(u"script1.txt"_s), "node 1\nuntil login:\nsend N0CALL\n"));
        QSignalSpy loggedIn(&node, &TestNode::clientLoggedIn);
        QVERIFY(startCopy());
        xdotool(u"windowfocus --sync %1 key F1"_s.arg(window(m_copies.back())));
        QVERIFY(loggedIn.wait());

        QSignalSpy closed(&node, &TestNode::clientDisconnected);
        m_copies.back().terminate(); // SIGTERM
        QVERIFY(closed.wait());
        QVERIFY(m_copies.back().waitForFinished());
        QCOMPARE(m_copies.back().exitStatus(), QProcess::NormalExit);
        QCOMPARE(readFile(folder.filePath(u"KestrelKey.txt"_s)).trimmed(), QByteArray("N0CALL"));
        QVERIFY(QDir(CopyRegistry::folder()).isEmpty()); // its entry went with it
    }

private:
    // True once the copy's main window is shown, and so carries the marker.
    bool startCopy() {
        m_copies.emplace_back().start(QStringLiteral(KESTREL_PROGRAM), {});
        return !window(m_copies.back()).isEmpty();
    }

    std::unique_ptr<QTemporaryDir> m_home;
    std::deque<QProcess> m_copies;
};

QTEST_MAIN(CopiesTest)
#include "tst_copies.moc"
