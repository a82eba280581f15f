// The program's command line, on the real program: answers that need no display, Qt's own
// options passed on to Qt.

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// The program as a new user's shell starts it, with no display to open.
void startWithoutDisplay(QProcess& program, const QStringList& arguments,
                         const QTemporaryDir& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(u"XDG_CONFIG_HOME"_s, folder.path());
    environment.insert(u"XDG_RUNTIME_DIR"_s, folder.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KESTREL_PROGRAM), arguments);
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void answersWithoutDisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString version = u"kestrel " KESTREL_VERSION "\n"_s;
        const QString usage = u"Usage: kestrel [options]"_s;
        QTest::newRow("--version") << QStringList{u"--version"_s} << 0 << version << QString();
        QTest::newRow("-v") << QStringList{u"-v"_s} << 0 << version << QString();
        QTest::newRow("after Qt's options")
            << QStringList{u"-platform"_s, u"offscreen"_s, u"-style=Fusion"_s, u"-reverse"_s,
                           u"--version"_s}
            << 0 << version << QString();
        QTest::newRow("--help") << QStringList{u"--help"_s} << 0 << usage << QString();
        QTest::newRow("unknown option")
            << QStringList{u"--bogus"_s} << 2 << QString() << u"Unknown option 'bogus'."_s;
        QTest::newRow("argument") << QStringList{u"node.example.org"_s} << 2 << QString()
                                  << u"Unexpected argument 'node.example.org'."_s;
    }
    void answersWithoutDisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir config;
        QProcess program;
        startWithoutDisplay(program, arguments, config);
        QVERIFY(program.waitForFinished(20000));
        const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString complained = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.startsWith(out), qPrintable(printed));
        if (!err.isEmpty()) { // what is wrong, then the help
            QVERIFY2(complained.startsWith(err), qPrintable(complained));
            QVERIFY(complained.contains(u"Usage: kestrel [options]"_s));
        }
        // Qt's own options are Qt's business, not listed one by one as the program's.
        QVERIFY(!(printed + complained).contains(u"platformpluginpath"_s));
    }

    // Qt's options reach Qt: without a display the program runs on the one named, and ends
    // with status 0 when asked to.
    void qtOptionsReachQt() {
        QTemporaryDir config;
        QProcess program;
        startWithoutDisplay(program, {u"-platform"_s, u"offscreen"_s}, config);
        QVERIFY(program.waitForStarted());
        // Its window is up once it announces itself to other copies.
        const QString announced =
            config.filePath(u"kestrel-copies/none/kestrel-%1-0"_s.arg(program.processId()));
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo::exists(announced) || program.state() == QProcess::NotRunning, 20000);
        QCOMPARE(program.state(), QProcess::Running);
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
