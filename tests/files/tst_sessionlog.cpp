#include "files/FilesTexts.h"
#include "files/LogToggle.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The operator: picks the proposed name in `folder` (none: cancels), answers the other
// questions as set, and notes what was asked.
class ScriptedOperator : public LogDialogs {
public:
    QString folder;
    ExistingLogChoice existing = ExistingLogChoice::Add;
    bool stopAnswer = true;
    QStringList asked;

    QString chooseLogFile(const QString&, const QString& proposedName) override {
        asked.append(QStringLiteral("save"));
        return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + proposedName;
    }
    ExistingLogChoice askExistingLog(const QString&) override {
        asked.append(QStringLiteral("exists"));
        return existing;
    }
    bool confirmStop() override {
        asked.append(QStringLiteral("stop"));
        return stopAnswer;
    }
    void tell(const QString& message) override { asked.append(message); }
};

} // namespace

class SessionLogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_screen.setPipeline(&m_pipeline);
        m_settings.SaveLogDir(m_dir.path());
        m_toggle = std::make_unique<LogToggle>(m_pipeline, m_settings);
        m_logs = m_dir.filePath(QStringLiteral("logs"));
        QVERIFY(QDir().mkpath(m_logs));
        m_path = m_logs + QLatin1Char('/') + LogToggle::proposedName();
    }
    void cleanup() { m_toggle.reset(); }

    void logsLinesAsTheTerminalShowsThem_data() {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("logged");
        QTest::newRow("trailing blanks dropped, empty line kept")
            << QByteArray("CQ M0TST   \r\n\ntwo\n") << QByteArray("CQ M0TST\n\ntwo\n");
        QTest::newRow("long line split at the width")
            << QByteArray(45, 'x') + '\n'
            << QByteArray(20, 'x') + '\n' + QByteArray(20, 'x') + '\n' + QByteArray(5, 'x') + '\n';
        QTest::newRow("partial line not flushed")
            << QByteArray("done\npart") << QByteArray("done\n");
    }
    void logsLinesAsTheTerminalShowsThem() {
        QFETCH(QByteArray, received);
        QFETCH(QByteArray, logged);
        m_screen.setLineWidth(20);
        QVERIFY(m_toggle->start(m_path, SessionLog::Mode::Overwrite));
        m_screen.PutString(received);
        m_toggle->stop();
        m_screen.PutString("after stop\n");
        QCOMPARE(readFile(m_path), logged);
    }

    // The log button pressed twice with "line" shown between; today's file already holds
    // an earlier session's "earlier".
    void startAndStop_data() {
        QTest::addColumn<QString>("folder"); // under the temporary folder; empty: cancelled
        QTest::addColumn<ExistingLogChoice>("existing");
        QTest::addColumn<bool>("stopAnswer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QByteArray>("logged"); // empty: still logging
        const QString save(QStringLiteral("save")), exists(QStringLiteral("exists"));
        const QString cantCreate = FilesTexts::CantCreate +
                                   m_dir.filePath(QStringLiteral("missing/")) +
                                   LogToggle::proposedName();
        const auto add = ExistingLogChoice::Add, overWrite = ExistingLogChoice::OverWrite;
        const QStringList addedAndStopped{save, exists, QStringLiteral("stop")};
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
            << QStringLiteral("logs") << ExistingLogChoice::Cancel << true
            << QStringList{save, exists, save, exists} << QByteArray("earlier\n");
        QTest::newRow("No to Stop logging keeps logging")
            << QStringLiteral("logs") << overWrite << false << addedAndStopped << QByteArray();
    }
    void startAndStop() {
        QFile earlier(m_path);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier\n") == 8);
        earlier.close();
        QFETCH(QString, folder);
        ScriptedOperator op;
        op.folder = folder.isEmpty() ? QString() : m_dir.filePath(folder);
        QFETCH(ExistingLogChoice, existing);
        op.existing = existing;
        QFETCH(bool, stopAnswer);
        op.stopAnswer = stopAnswer;

        m_toggle->toggle(op);
        m_screen.PutString("line\n");
        m_toggle->toggle(op);
        m_screen.PutString("after\n");

        QFETCH(QStringList, asked);
        QCOMPARE(op.asked, asked);
        QFETCH(QByteArray, logged);
        QCOMPARE(m_toggle->isLogging(), logged.isEmpty());
        QCOMPARE(m_settings.LoadLogDir(),
                 asked.contains(QStringLiteral("stop")) ? m_logs : m_dir.path());
        m_toggle->stop();
        QCOMPARE(readFile(m_path), logged.isEmpty() ? QByteArray("line\nafter\n") : logged);
    }

private:
    QTemporaryDir m_dir;
    ScreenBuffer m_screen;
    LinePipeline m_pipeline;
    SettingsFile m_settings{m_dir.filePath(QStringLiteral("Kestrel.ini"))};
    std::unique_ptr<LogToggle> m_toggle;
    QString m_logs;
    QString m_path;
};

QTEST_GUILESS_MAIN(SessionLogTest)
#include "tst_sessionlog.moc"
