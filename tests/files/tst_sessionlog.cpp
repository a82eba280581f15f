// The session log as the operator runs it: the log button and its menu item, the save
// dialog, the question about an existing file and the stop confirmation, and the file
// that results.

#include "ModalDriver.h"
#include "RecordedSounds.h"
#include "TestFiles.h"
#include "app/ClientCore.h"
#include "files/FileFolders.h"
#include "files/FilesTexts.h"
#include "files/LogControls.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class SessionLogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit()); }
    void init() {
        m_core = std::make_unique<ClientCore>(std::make_unique<RecordedSounds>());
        m_core->wire({m_noScript, {}, {}, {}, {}, {}});
        QVERIFY(m_core->settings().save(LogFolder{m_dir.path()}));
        m_controls = std::make_unique<LogControls>(m_core->log(), &m_window);
        m_menu.clear();
        m_controls->addMenuItem(&m_menu);
        m_logs = m_dir.filePath(QStringLiteral("logs"));
        QVERIFY(QDir().mkpath(m_logs));
        m_path = m_logs + QLatin1Char('/') + LogToggle::proposedName();
    }
    void cleanup() {
        m_controls.reset();
        m_core.reset();
    }

    void logsLinesAsTheTerminalShowsThem_data() {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("logged");
        // Control codes and blanks at the end go, bytes above 127 are not among them.
        QTest::newRow("trailing blanks dropped, empty line kept")
            << QByteArray("  CQ M0TST \xa0\xff\a\t \r\n \x01\x1f \ntwo\n")
            << QByteArray("  CQ M0TST \xa0\xff\n\ntwo\n");
        QTest::newRow("long line split at the width")
            << QByteArray(45, 'x') + '\n'
            << QByteArray(20, 'x') + '\n' + QByteArray(20, 'x') + '\n' + QByteArray(5, 'x') + '\n';
        QTest::newRow("partial line not flushed")
            << QByteArray("done\npart") << QByteArray("done\n");
    }
    void logsLinesAsTheTerminalShowsThem() {
        m_core->screen().setLineWidth(20);
        QVERIFY(m_controls->toggle().start(m_path, SessionLog::Mode::Overwrite));
        QFETCH(QByteArray, received);
        m_core->screen().PutString(received);
        m_controls->close();
        m_core->screen().PutString("after stop\n");
        QTEST(readFile(m_path), "logged");
    }

    // The log button, then the menu item, with "line" shown between; today's file
    // already holds an earlier session's "earlier".
    void startAndStop_data() {
        QTest::addColumn<QString>("folder");   // under the temporary folder; empty: cancelled
        QTest::addColumn<QString>("existing"); // the button pressed in TfOverWrite
        QTest::addColumn<bool>("stopAnswer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QByteArray>("logged"); // empty: still logging
        const QString save = FilesTexts::LogDialogTitle;
        const QString exists = LogToggle::proposedName() + FilesTexts::AlreadyExists;
        const QString cantCreate = FilesTexts::CantCreate +
                                   m_dir.filePath(QStringLiteral("missing/")) +
                                   LogToggle::proposedName();
        const QString add(QStringLiteral("bAdd")), overWrite(QStringLiteral("bOverWrite"));
        const QStringList addedAndStopped{save, exists, FilesTexts::StopLogging};
        QTest::newRow("save dialog cancelled")
            << QString() << add << true << QStringList{save, save} << QByteArray("earlier\n");
        QTest::newRow("no folder: Can't create")
            << QStringLiteral("missing") << add << true
            << QStringList{save, cantCreate, save, cantCreate} << QByteArray("earlier\n");
        QTest::newRow("Add keeps the earlier part")
            << QStringLiteral("logs") << add << true << addedAndStopped
            << QByteArray("earlier\nline\n");
        QTest::newRow("OverWrite") << QStringLiteral("logs") << overWrite << true << addedAndStopped
                                   << QByteArray("line\n");
        QTest::newRow("Cancel at the existing file")
            << QStringLiteral("logs") << QStringLiteral("bCancel") << true
            << QStringList{save, exists, save, exists} << QByteArray("earlier\n");
        QTest::newRow("No to Stop logging keeps logging")
            << QStringLiteral("logs") << overWrite << false << addedAndStopped << QByteArray();
    }
    void startAndStop() {
        QVERIFY(writeFile(m_path, "earlier\n"));
        QFETCH(QString, folder);
        QFETCH(QString, existing);
        QFETCH(bool, stopAnswer);
        QStringList seen;
        ModalDriver driver;
        for (int step = 0; step < 4; ++step)
            driver.then(
                [&](QWidget* dialog) { answer(dialog, folder, existing, stopAnswer, seen); });
        auto* logStart1 = m_menu.findChild<QAction*>(QStringLiteral("LogStart1"));
        QCOMPARE(logStart1->text(), FilesTexts::LogStartMenuItem);
        QSignalSpy status(m_controls.get(), &LogControls::statusTextChanged);

        m_controls->button()->click();
        m_core->screen().PutString("line\n");
        logStart1->trigger();
        m_core->screen().PutString("after\n");

        QTRY_VERIFY(driver.unexpected().isEmpty());
        QFETCH(QStringList, asked);
        QCOMPARE(seen, asked);
        QFETCH(QByteArray, logged);
        const bool logging = logged.isEmpty(), started = asked.contains(FilesTexts::StopLogging);
        const QString caption = logging ? FilesTexts::LogEndButton : FilesTexts::LogStartButton;
        QCOMPARE(m_controls->button()->text(), caption);
        QCOMPARE(logStart1->text(), started ? caption : FilesTexts::LogStartMenuItem);
        QCOMPARE(status.isEmpty() ? QString() : status.last().at(0).toString(),
                 logging ? m_path : QString());
        QCOMPARE(m_core->settings().load<LogFolder>().dir, started ? m_logs : m_dir.path());
        m_controls->close();
        QCOMPARE(readFile(m_path), logging ? QByteArray("line\nafter\n") : logged);
    }

private:
    // The operator at whichever dialog came up: notes its title or text and answers it.
    void answer(QWidget* dialog, const QString& folder, const QString& existing, bool stopAnswer,
                QStringList& asked) {
        if (auto* save = qobject_cast<QFileDialog*>(dialog)) {
            asked << save->windowTitle();
            QCOMPARE(save->directory().path(), m_core->settings().load<LogFolder>().dir);
            if (folder.isEmpty())
                return save->reject();
            save->selectFile(m_dir.filePath(folder) + QLatin1Char('/') + LogToggle::proposedName());
            return static_cast<QDialog*>(save)->accept();
        }
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            asked << box->text();
            const bool question = box->text() == FilesTexts::StopLogging;
            return box
                ->button(!question    ? QMessageBox::Ok
                         : stopAnswer ? QMessageBox::Yes
                                      : QMessageBox::No)
                ->click();
        }
        asked << dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        dialog->findChild<QPushButton*>(existing)->click();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ClientCore> m_core;
    ScriptHook m_noScript;
    QWidget m_window;
    QMenu m_menu;
    std::unique_ptr<LogControls> m_controls;
    QString m_logs;
    QString m_path;
};

QTEST_MAIN(SessionLogTest)
#include "tst_sessionlog.moc"
