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

    QString chooseLogFile(const QString& shownFolder, const QString& proposedName) override {
        asked.append(QStringLiteral("save ") + shownFolder + QLatin1Char(' ') + proposedName);
        return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + proposedName;
    }
    ExistingLogChoice askExistingLog(const QString& fileName) override {
        asked.append(QStringLiteral("exists ") + fileName);
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
        m_path = m_dir.filePath(LogToggle::proposedName());
        QFile::remove(m_path);
    }
    void cleanup() { m_toggle.reset(); }

    void logsLinesAsTheTerminalShowsThem_data() {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("logged");
        QTest::newRow("trailing blanks dropped")
            << QByteArray("CQ M0TST   \r\n") << QByteArray("CQ M0TST\n");
        QTest::newRow("empty line kept")
            << QByteArray("one\n\ntwo\n") << QByteArray("one\n\ntwo\n");
        QTest::newRow("long line split at the width")
            << QByteArray(45, 'x') + '\n'
            << QByteArray(20, 'x') + '\n' + QByteArray(20, 'x') + '\n' + QByteArray(5, 'x') + '\n';
        QTest::newRow("partial line not flushed")
            << QByteArray("done\npart") << QByteArray("done\n");
    }
    void logsLinesAsTheTerminalShowsThem() {
        QFETCH(QByteArray, received);
        m_screen.setLineWidth(20);
        QVERIFY(m_toggle->start(m_path, SessionLog::Mode::Overwrite));
        m_screen.PutString(received);
        m_toggle->stop();
        m_screen.PutString("after stop\n");
        QFETCH(QByteArray, logged);
        QCOMPARE(readFile(m_path), logged);
    }

    // The second start of the day proposes the same file, which is now there.
    void secondStartOfTheDay_data() {
        QTest::addColumn<ExistingLogChoice>("choice");
        QTest::addColumn<bool>("logging");
        QTest::addColumn<QByteArray>("logged");
        QTest::newRow("Add") << ExistingLogChoice::Add << true << QByteArray("first\nsecond\n");
        QTest::newRow("OverWrite")
            << ExistingLogChoice::OverWrite << true << QByteArray("second\n");
        QTest::newRow("Cancel") << ExistingLogChoice::Cancel << false << QByteArray("first\n");
    }
    void secondStartOfTheDay() {
        QFETCH(ExistingLogChoice, choice);
        ScriptedOperator op;
        op.folder = m_dir.path();
        m_toggle->toggle(op);
        m_screen.PutString("first\n");
        m_toggle->toggle(op);
        op.existing = choice;
        op.asked.clear();
        m_toggle->toggle(op);
        m_screen.PutString("second\n");
        QFETCH(bool, logging);
        QCOMPARE(m_toggle->isLogging(), logging);
        m_toggle->stop();
        const QString proposed =
            QDate::currentDate().toString(u"yyyyMMdd") + QStringLiteral(".log");
        QCOMPARE(op.asked,
                 QStringList({QStringLiteral("save ") + m_dir.path() + QLatin1Char(' ') + proposed,
                              QStringLiteral("exists ") + proposed}));
        QFETCH(QByteArray, logged);
        QCOMPARE(readFile(m_path), logged);
    }

    void startAndStop_data() {
        QTest::addColumn<QString>("folder"); // under the settings' LOG DIR; empty: cancelled
        QTest::addColumn<bool>("stopAnswer");
        QTest::addColumn<bool>("logging");
        QTest::addColumn<QString>("menu");
        const QString logStart(FilesTexts::LogStartButton);
        QTest::newRow("save dialog cancelled")
            << QString() << true << false << QString(FilesTexts::LogStartMenuItem);
        QTest::newRow("no folder: Can't create")
            << QStringLiteral("missing") << true << false << QString(FilesTexts::LogStartMenuItem);
        QTest::newRow("No to Stop logging")
            << QStringLiteral(".") << false << true << QString(FilesTexts::LogEndButton);
        QTest::newRow("Yes to Stop logging") << QStringLiteral(".") << true << false << logStart;
    }
    void startAndStop() {
        QFETCH(QString, folder);
        ScriptedOperator op;
        QFETCH(bool, stopAnswer);
        op.stopAnswer = stopAnswer;
        op.folder = folder.isEmpty() ? QString() : QDir(m_dir.path()).absoluteFilePath(folder);
        const QString chosen =
            QDir::cleanPath(op.folder + QLatin1Char('/') + LogToggle::proposedName());
        m_toggle->toggle(op);
        if (m_toggle->isLogging())
            m_toggle->toggle(op);
        QFETCH(bool, logging);
        QCOMPARE(m_toggle->isLogging(), logging);
        QCOMPARE(m_toggle->buttonCaption(),
                 logging ? FilesTexts::LogEndButton : FilesTexts::LogStartButton);
        QFETCH(QString, menu);
        QCOMPARE(m_toggle->menuCaption(), menu);
        QCOMPARE(m_toggle->statusText(), logging ? chosen : QString());
        QCOMPARE(op.asked.contains(FilesTexts::CantCreate + chosen),
                 folder == QStringLiteral("missing"));
    }

    void storesTheFolderOfTheChosenFile() {
        ScriptedOperator op;
        op.folder = m_dir.filePath(QStringLiteral("logs"));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("logs")));
        m_toggle->toggle(op);
        QCOMPARE(m_settings.LoadLogDir(), op.folder);
    }

private:
    QTemporaryDir m_dir;
    ScreenBuffer m_screen;
    LinePipeline m_pipeline;
    SettingsFile m_settings{m_dir.filePath(QStringLiteral("Kestrel.ini"))};
    std::unique_ptr<LogToggle> m_toggle;
    QString m_path;
};

QTEST_GUILESS_MAIN(SessionLogTest)
#include "tst_sessionlog.moc"
