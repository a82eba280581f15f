// What tells an operator away from the keyboard that something happened: the sounds of
// the trigger strings, heard once for real through a sound server, and a running screen
// saver ended when a line arrives.

#include "../scope/SpotLines.h"
#include "FakeScreenSaver.h"
#include "TestFiles.h"
#include "desktop/ScreenSaverCheck.h"
#include "desktop/SoundEffectOutput.h"
#include "desktop/SoundTriggers.h"
#include "scope/SpotParser.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray spot =
    "DX de XX1AA:     14025.0  XX9ZZ        CQ DX up 2                     0655Z";

// The trigger strings (UTF-8) over files named after their sound, played into a list.
struct Triggered : SoundOutput {
    explicit Triggered(const QByteArrayList& strings) {
        sounds.files = {u"connect"_s, u"disconnect"_s, u"file1"_s, u"file2"_s, u"file3"_s};
        for (qsizetype n = 0; n < strings.size(); ++n)
            sounds.strings[n] = QString::fromUtf8(strings[n]);
    }
    void play(const QString& path) override { played << path; }
    // What is heard once the event loop has had one pass after these lines.
    QStringList after(const QByteArrayList& lines) {
        for (const QByteArray& line : lines)
            triggers.takeLine(line);
        QCoreApplication::processEvents();
        return std::exchange(played, {});
    }

    SoundSettings sounds;
    QStringList played;
    SoundPlayer player{sounds, *this};
    SoundTriggers triggers{sounds, [] { return 0; }, player}; // Windows-1252, not the default
};

} // namespace

class EventServicesTest : public QObject {
    Q_OBJECT

private slots:
    void triggers_data() {
        QTest::addColumn<QByteArrayList>("strings");
        QTest::addColumn<QByteArrayList>("lines"); // all within one pass of the event loop
        QTest::addColumn<QStringList>("played");
        QTest::newRow("empty triggers never play")
            << QByteArrayList{"", "", "XX0XX"} << QByteArrayList{spot} << QStringList();
        QTest::newRow("lower case misses upper case")
            << QByteArrayList{"dx de"} << QByteArrayList{spot} << QStringList();
        QTest::newRow("a flood starts one sound, the last")
            << QByteArrayList{"DX de", "", "CQ CQ"}
            << (QByteArrayList(999, spot) << "CQ CQ de XX9ZZ") << QStringList{u"file3"_s};
        QTest::newRow("text in the terminal's character set")
            << QByteArrayList{"", "Café"} << QByteArrayList{"F5AA Caf\xe9"}
            << QStringList{u"file2"_s};
    }

    void triggers() {
        QFETCH(QByteArrayList, strings);
        QFETCH(QByteArrayList, lines);
        QTEST(Triggered(strings).after(lines), "played");
    }

    void everySpotLinePlaysFile1() {
        Triggered sound({"DX de"});
        int spots = 0;
        for (const QByteArray& line : SpotLines::realLines("real_spots.txt")) {
            if (SpotParser::IsDxDeLine(line) && ++spots)
                QCOMPARE(sound.after({line}), QStringList{u"file1"_s});
        }
        QVERIFY(spots > 500);
    }

    void playsThroughTheSoundServer() {
        QTemporaryDir dir;
        const QString socket = dir.filePath(u"native"_s);
        // The server, pactl and this process's sound output meet in the test's own folder.
        qputenv("HOME", dir.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
        qputenv("PULSE_SERVER", "unix:" + socket.toLocal8Bit());
        // Daemonized, it returns once the server is ready; the folder's pid file ends it.
        const int exitCode = QProcess::execute(
            u"pulseaudio"_s,
            {u"--daemonize=yes"_s, u"-n"_s, u"--exit-idle-time=-1"_s, u"--load=module-null-sink"_s,
             u"--load=module-native-protocol-unix auth-anonymous=1 socket="_s + socket});
        const auto stop = qScopeGuard([] { QProcess::execute(u"pulseaudio"_s, {u"--kill"_s}); });
        if (exitCode != 0)
            QSKIP("no PulseAudio server could be started (package pulseaudio)");
        const auto streams = [] {
            QProcess pactl;
            pactl.startCommand(u"pactl list short sink-inputs"_s);
            return pactl.waitForFinished() ? pactl.readAllStandardOutput().count('\n') : -1;
        };

        SoundSettings sounds;
        sounds.files[0] = dir.filePath(u"sound.wav"_s);
        QVERIFY(writeFile(sounds.files[0], // two seconds of 8 kHz 8-bit mono silence
                          QByteArray::fromHex("52494646a43e000057415645666d74201000000001000100"
                                              "401f0000401f00000100080064617461803e0000") +
                              QByteArray(16000, '\x80')));
        sounds.files[1] = dir.filePath(u"garbled.wav"_s);
        QVERIFY(writeFile(sounds.files[1], "RIFF garbled"));
        SoundEffectOutput output;
        SoundPlayer player(sounds, output);
        player.PlaySound(1); // fails to decode, and must not take the next sound with it
        QCoreApplication::processEvents();
        player.PlaySound(0);
        QTRY_COMPARE(streams(), 1);
    }

    void screenSaver_data() {
        QTest::addColumn<bool>("saverOff");
        QTest::addColumn<int>("lines");
        QTest::newRow("option off leaves the saver alone") << false << 1;
        // Each line asks unless an answer is awaited: a flood asks once and ends the saver.
        QTest::newRow("a flood with the option on asks once") << true << 1000;
    }

    void screenSaver() {
        auto service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"saver"_s);
        FakeScreenSaver saver;
        if (!saver.registerOn(service))
            QSKIP("no session bus of the test's own: ctest runs it under dbus-run-session");
        QFETCH(bool, saverOff);
        QFETCH(int, lines);
        ScreenSaverCheck check(saverOff);
        for (int line = 0; line < lines; ++line)
            check.takeLine(spot);
        QTRY_COMPARE(saver.active, !saverOff);
        QVERIFY(FakeScreenSaver::barrierPassed());
        QCOMPARE(saver.queries, int(saverOff));
        check.takeLine(spot); // once answered, the next line asks again
        QVERIFY(FakeScreenSaver::barrierPassed());
        QCOMPARE(saver.queries, 2 * int(saverOff));
    }
};

QTEST_GUILESS_MAIN(EventServicesTest)
#include "tst_eventservices.moc"
