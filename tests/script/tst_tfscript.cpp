// The script window and its thread, the menus that start scripts, the editing of script
// files and the help windows. Logging in to the test node through F1 is the main
// window's test.

#include "TestFiles.h"
#include "screen/ScreenBuffer.h"
#include "script/HelpPanel.h"
#include "script/ScriptFiles.h"
#include "script/ScriptPanel.h"
#include "script/TfScript.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The main window's part: notes the lines the script sends.
struct NodeHost : ScriptNodeHost {
    QStringList sent;
    int connectToNode(int) override { return 0; }
    void sendLine(const QString& text) override { sent.append(text); }
    void recordLastScript(int) override {}
};
} // namespace

class TfScriptTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        qputenv("PATH", m_config.path().toLocal8Bit() + ':' + qgetenv("PATH"));
    }
    void init() {
        m_host = std::make_unique<NodeHost>();
        m_window = std::make_unique<TfScript>(*m_host, m_screen);
        m_window->setCommandPause(std::chrono::milliseconds(5));
    }
    void cleanup() { m_window.reset(); }

    void exitJoinsThread_data() {
        QTest::addColumn<bool>("inWait");
        QTest::newRow("during wait 10000") << true;
        QTest::newRow("while it hands a line over") << false; // the GUI thread never looks
    }
    void exitJoinsThread() {
        runScript(0, "wait 10000\n");
        QFETCH(bool, inWait);
        if (inWait)
            QTRY_COMPARE(memo()->toPlainText(), QStringLiteral("wait 10000"));
        QVERIFY(m_window->shutDown());
        QVERIFY(!m_window->runningFlag().IsRunning());
    }

    // A second run waits for the first; Abort ends the first without its next line.
    void runRequestWhileRunningStartsNothing() {
        writeScript(1, "send x\n");
        runScript(0, "until never comes\nsend y\n");
        QTRY_COMPARE(memo()->toPlainText(), QStringLiteral("until never comes"));
        m_window->close(); // only hides: the script goes on
        m_window->runScript(1);
        QVERIFY(m_window->isVisible());
        QCOMPARE(memo()->toPlainText(), QStringLiteral("until never comes"));
        m_window->findChild<QPushButton*>(QStringLiteral("bAbort"))->click();
        QVERIFY(!m_window->isVisible());
        QTRY_VERIFY(!m_window->runningFlag().IsRunning());
        QVERIFY(m_host->sent.isEmpty());
        m_window->showAgain(); // the same file, now run
        QTRY_COMPARE(m_host->sent, QStringList{QStringLiteral("x")});
    }

    // The keys themselves are typed into the main window in its own test.
    void menuRunsScripts_data() {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("runs");
        QTest::newRow("F-4") << u"F41"_s << u"script4.txt"_s;
        QTest::newRow("F-12") << u"F121"_s << u"script12.txt"_s;
    }
    void menuRunsScripts() {
        ScriptPanel panel(*m_window);
        QMenuBar menuBar;
        panel.addScriptMenu(&menuBar);
        QFETCH(QString, menuItem);
        menuBar.findChild<QAction*>(menuItem)->trigger();
        QVERIFY(m_window->isVisible());
        QTEST(QFileInfo(m_window->ScriptFileName()).fileName(), "runs");
        QTRY_VERIFY(memo()->toPlainText().startsWith(QStringLiteral("Can't open script file ")));
    }

    void editCreatesMissingScriptAndOpensIt() {
        const QString opened = m_config.filePath(QStringLiteral("opened"));
        QFile editor(m_config.filePath(QStringLiteral("xdg-open")));
        QVERIFY(writeFile(editor.fileName(),
                          "#!/bin/sh\nprintf '%s' \"$1\" > \"" + opened.toLocal8Bit() + "\"\n"));
        editor.setPermissions(editor.permissions() | QFileDevice::ExeOwner);
        ScriptPanel panel(*m_window);
        QMenu fileMenu;
        panel.addEditMenu(&fileMenu);
        fileMenu.findChild<QAction*>(QStringLiteral("EditF31"))->trigger();
        QTRY_COMPARE(QString::fromLocal8Bit(readFile(opened)), ScriptPath(2));
        const QFileInfo created(ScriptPath(2));
        QVERIFY(created.exists() && created.size() == 0);
    }

    void scriptFolderChoice_data() {
        QTest::addColumn<QString>("file"); // in the program's folder
        QTest::addColumn<bool>("beside");
        QTest::newRow("beside a script") << "script12.txt" << true;
        QTest::newRow("no script there") << "script13.txt" << false;
    }
    void scriptFolderChoice() {
        QTemporaryDir program;
        QFETCH(QString, file);
        QFile(program.filePath(file)).open(QIODevice::WriteOnly);
        QFETCH(bool, beside);
        QCOMPARE(scriptFolderFor(program.path()),
                 beside ? program.path() : m_config.filePath(QStringLiteral("kestrel")));
    }

    void helpNamesScriptFolder() {
        QWidget window;
        HelpPanel panel(&window);
        QMenuBar menuBar;
        panel.addHelpMenu(&menuBar);
        menuBar.findChild<QAction*>(QStringLiteral("ScriotHelp1"))->trigger();
        QVERIFY(panel.scriptHelp().isVisible());
        panel.button()->click();
        QVERIFY(panel.help().isVisible());
        for (QDialog* help : std::initializer_list<QDialog*>{&panel.help(), &panel.scriptHelp()})
            QVERIFY(help->findChild<QPlainTextEdit*>()->toPlainText().contains(scriptFolder()));
    }

private:
    QPlainTextEdit* memo() const {
        return m_window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    }
    void writeScript(int index, const QByteArray& text) {
        QVERIFY(QDir().mkpath(scriptFolder()) && writeFile(ScriptPath(index), text));
    }
    void runScript(int index, const QByteArray& text) {
        writeScript(index, text);
        m_window->runScript(index);
    }

    QTemporaryDir m_config;
    ScreenBuffer m_screen;
    std::unique_ptr<NodeHost> m_host;
    std::unique_ptr<TfScript> m_window;
};

QTEST_MAIN(TfScriptTest)
#include "tst_tfscript.moc"
