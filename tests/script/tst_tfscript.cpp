// The script window and its thread, the menus that start scripts, the editing of script
// files and the help windows. Logging in to the test node through F1 is the main
// window's test.

#include "TestFiles.h"
#include "screen/ScreenBuffer.h"
#include "script/HelpControls.h"
#include "script/ScriptControls.h"
#include "script/ScriptFiles.h"
#include "script/TfScript.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
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
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit()); }
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

    // A run asked for while one goes starts nothing; Abort ends that one without its next
    // line. A script asked for at once after Abort runs once the old run has ended, in a
    // window the old run leaves alone. Shown again after that run (restored, say), the window
    // shows what it showed: no run starts.
    void runRequestWhileRunningAfterAbortAndOnRestore() {
        writeScript(1, "send x\nbogus\n");
        runScript(0, "until never comes\nsend y\n");
        QTRY_COMPARE(memo()->toPlainText(), u"until never comes"_s);
        m_window->close(); // only hides: the script goes on
        m_window->runScript(1);
        QVERIFY(m_window->isVisible());
        QCOMPARE(memo()->toPlainText(), u"until never comes"_s);
        m_window->findChild<QPushButton*>(u"bAbort"_s)->click();
        QVERIFY(!m_window->isVisible());
        m_window->runScript(1);
        QTRY_COMPARE(m_host->sent, QStringList{u"x"_s});
        QTRY_VERIFY(!m_window->isRunActive());
        QVERIFY(m_window->isVisible());
        const QString shown = memo()->toPlainText();
        QCOMPARE(shown, u"send x\nbogus\nscript error in > bogus"_s);
        m_window->showMinimized();
        m_window->showNormal();
        m_window->hide();
        m_window->show();
        QVERIFY(!m_window->isRunActive());
        QCOMPARE(memo()->toPlainText(), shown);
        QCOMPARE(m_host->sent, QStringList{u"x"_s});
    }

    // Control characters show as their pictures: a screen reader reads the line whole.
    void controlCharactersShownAsPictures() {
        runScript(0, QByteArray("rem a\0b\n", 8));
        QTRY_COMPARE(memo()->toPlainText(), u"rem a\u2400b"_s);
    }

    // The keys themselves are typed into the main window in its own test.
    void menuRunsScripts_data() {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("runs");
        QTest::newRow("F-4") << u"F41"_s << u"script4.txt"_s;
        QTest::newRow("F-12") << u"F121"_s << u"script12.txt"_s;
    }
    void menuRunsScripts() {
        ScriptControls panel(*m_window);
        QMenuBar menuBar;
        panel.addScriptMenu(&menuBar);
        QFETCH(QString, menuItem);
        menuBar.findChild<QAction*>(menuItem)->trigger();
        QVERIFY(m_window->isVisible());
        QTEST(QFileInfo(m_window->ScriptFileName()).fileName(), "runs");
        QTRY_VERIFY(memo()->toPlainText().startsWith(QStringLiteral("Can't open script file ")));
    }

    // xdg-open gets the script, created empty when missing. When it cannot open an editor,
    // the operator is told which file to edit, and an empty file made for it goes again.
    void editOpensScriptOrTellsWhy_data() {
        QTest::addColumn<QByteArray>("editor"); // xdg-open's script; empty: there is none
        QTest::addColumn<QByteArray>("script"); // the script beforehand; null: none
        QTest::addColumn<bool>("told");
        QTest::addColumn<bool>("kept");
        // Run with nothing else on PATH: the script names where it writes.
        const QByteArray opens = "#!/bin/sh\nprintf '%s' \"$1\" > \"$OPENED\"\n";
        const QByteArray fails = "#!/bin/sh\necho \"xdg-open: no method available\" >&2\nexit 3\n";
        QTest::newRow("editor opens") << opens << QByteArray() << false << true;
        QTest::newRow("no method available") << fails << QByteArray() << true << false;
        QTest::newRow("script kept") << fails << QByteArray("send x\n") << true << true;
        QTest::newRow("no xdg-open") << QByteArray() << QByteArray() << true << false;
    }
    void editOpensScriptOrTellsWhy() {
        QFETCH(QByteArray, editor);
        QFETCH(QByteArray, script);
        QTemporaryDir bin;
        if (!editor.isEmpty()) {
            QFile xdgOpen(bin.filePath(u"xdg-open"_s));
            QVERIFY(writeFile(xdgOpen.fileName(), editor));
            xdgOpen.setPermissions(xdgOpen.permissions() | QFileDevice::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        qputenv("OPENED", bin.filePath(u"opened"_s).toLocal8Bit());
        QFile::remove(ScriptPath(2));
        if (!script.isNull())
            writeScript(2, script);
        ScriptEditor scriptEditor;
        QSignalSpy spy(&scriptEditor, &ScriptEditor::failed);
        scriptEditor.EditScript(2);
        qputenv("PATH", path);
        QFETCH(bool, told);
        if (told) {
            QVERIFY(spy.wait(10000));
            QCOMPARE(spy.takeFirst().at(0).toString(), ScriptPath(2));
        } else {
            QTRY_COMPARE(QString::fromLocal8Bit(readFile(bin.filePath(u"opened"_s))),
                         ScriptPath(2));
            QCOMPARE(QFileInfo(ScriptPath(2)).size(), 0);
            QVERIFY(spy.isEmpty());
        }
        QTEST(QFileInfo::exists(ScriptPath(2)), "kept");
    }

    // Scripts go beside the program when one of script1.txt to script12.txt is there.
    void scriptFolderBesideAScriptElseSettingsFolder() {
        QTemporaryDir program;
        const QString settings = m_config.filePath(u"kestrel"_s);
        QFile(program.filePath(u"script13.txt"_s)).open(QIODevice::WriteOnly);
        QCOMPARE(scriptFolderFor(program.path()), settings);
        QFile(program.filePath(u"script12.txt"_s)).open(QIODevice::WriteOnly);
        QCOMPARE(scriptFolderFor(program.path()), program.path());
    }

    void helpNamesScriptFolder() {
        QWidget window;
        HelpControls panel(&window);
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
