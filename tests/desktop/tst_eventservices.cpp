#include "../scope/SpotLines.h"
#include "desktop/ScreenSaverCheck.h"
#include "desktop/SoundEffectOutput.h"
#include "desktop/SoundTriggers.h"
#include "scope/SpotParser.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
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
    SoundTriggers triggers{sounds, [] { return 128; }, player}; // Shift-JIS
};

} // namespace

// The screen-saver service of a desktop, as far as the check uses it.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    bool active = false;
    int queries = 0;

public slots:
    bool GetActive() { return ++queries, active; }
    void SimulateUserActivity() { active = false; }
    // A sender's calls are handled in order: once this one is answered, so are the earlier.
    void Barrier() {}
};

class EventServicesTest : public QObject {
    Q_OBJECT

private slots:
    void triggers_data();
    void triggers();
    void everySpotLinePlaysFile1();
    void playsThroughTheSoundServer();
    void screenSaver_data();
    void screenSaver();

private:
    bool barrierPassed();

    FakeScreenSaver m_saver;
};

void EventServicesTest::triggers_data() {
    QTest::addColumn<QByteArrayList>("strings");
    QTest::addColumn<QByteArrayList>("lines"); // all within one pass of the event loop
    QTest::addColumn<QStringList>("played");
    QTest::newRow("empty triggers never play")
        << QByteArrayList{"", "", "XX0XX"} << QByteArrayList{spot} << QStringList();
    QTest::newRow("lower case misses upper case")
        << QByteArrayList{"dx de"} << QByteArrayList{spot} << QStringList();
    QTest::newRow("last trigger of a line is heard")
        << QByteArrayList{"DX de", "CQ", "0655Z"} << QByteArrayList{spot}
        << QStringList{u"file3"_s};
    QTest::newRow("a flood starts one sound, the last")
        << QByteArrayList{"DX de", "CQ CQ"} << (QByteArrayList(999, spot) << "CQ CQ de XX9ZZ")
        << QStringList{u"file2"_s};
    QTest::newRow("text in the terminal's character set")
        << QByteArrayList{"東京"} << QByteArrayList{"JA1AA \x93\x8c\x8b\x9e"}
        << QStringList{u"file1"_s};
}

void EventServicesTest::triggers() {
    QFETCH(QByteArrayList, strings);
    QFETCH(QByteArrayList, lines);
    QTEST(Triggered(strings).after(lines), "played");
}

void EventServicesTest::everySpotLinePlaysFile1() {
    Triggered sound({"DX de"});
    int spots = 0;
    for (const QByteArray& line : SpotLines::realLines("real_spots.txt")) {
        if (SpotParser::IsDxDeLine(line) && ++spots)
            QCOMPARE(sound.after({LinePipeline::trimmedForLog(line).toByteArray()}),
                     QStringList{u"file1"_s});
    }
    QVERIFY(spots > 500);
}

void EventServicesTest::playsThroughTheSoundServer() {
    QTemporaryDir dir;
    const QString socket = dir.filePath(u"native"_s);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, dir.path());
    environment.insert(u"XDG_RUNTIME_DIR"_s, dir.path());
    environment.insert(u"PULSE_SERVER"_s, u"unix:"_s + socket);
    QProcess server;
    server.setProcessEnvironment(environment);
    server.start(u"pulseaudio"_s,
                 {u"--daemonize=no"_s, u"-n"_s, u"--exit-idle-time=-1"_s, u"--use-pid-file=no"_s,
                  u"--load=module-null-sink"_s,
                  u"--load=module-native-protocol-unix auth-anonymous=1 socket="_s + socket});
    const auto stop = qScopeGuard([&] { server.kill(), server.waitForFinished(); });
    if (!QTest::qWaitFor(
            [&] { return QFile::exists(socket) || server.state() == QProcess::NotRunning; },
            10000) ||
        !QFile::exists(socket))
        QSKIP("no PulseAudio server could be started (package pulseaudio)");
    qputenv("PULSE_SERVER", environment.value(u"PULSE_SERVER"_s).toLocal8Bit());
    const auto streams = [&] {
        QProcess pactl;
        pactl.setProcessEnvironment(environment);
        pactl.start(u"pactl"_s, {u"list"_s, u"short"_s, u"sink-inputs"_s});
        return pactl.waitForFinished() ? pactl.readAllStandardOutput().count('\n') : -1;
    };

    SoundSettings sounds; // a garbled and a missing file first: neither is heard nor harms
    sounds.files = {u""_s, dir.filePath(u"garbled.wav"_s), dir.filePath(u"missing.wav"_s),
                    dir.filePath(u"sound.wav"_s), u""_s};
    QFile garbled(sounds.files[1]), sound(sounds.files[3]);
    QVERIFY(garbled.open(QIODevice::WriteOnly) && garbled.write("RIFF\x10garbage"));
    QVERIFY(sound.open(QIODevice::WriteOnly) && // two seconds of 8 kHz 8-bit mono silence
            sound.write(QByteArray::fromHex("52494646a43e000057415645666d74201000000001000100"
                                            "401f0000401f00000100080064617461803e0000") +
                        QByteArray(16000, '\x80')));
    garbled.close(), sound.close();
    SoundEffectOutput output;
    SoundPlayer player(sounds, output);
    for (int index = 0; index < 5; ++index) {
        player.PlaySound(index);
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE(streams(), 1);
}

bool EventServicesTest::barrierPassed() {
    const QDBusPendingCall call =
        QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
            u"org.freedesktop.ScreenSaver"_s, u"/org/freedesktop/ScreenSaver"_s,
            u"org.freedesktop.ScreenSaver"_s, u"Barrier"_s));
    return QTest::qWaitFor([&] { return call.isFinished(); }) && !call.isError();
}

void EventServicesTest::screenSaver_data() {
    QTest::addColumn<bool>("saverOff");
    QTest::addColumn<int>("lines");
    QTest::newRow("option off leaves the saver alone") << false << 1;
    QTest::newRow("a line with the option on ends the saver") << true << 1;
    QTest::newRow("a flood asks once at a time") << true << 1000;
}

void EventServicesTest::screenSaver() {
    QDBusConnection service =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"saver"_s);
    if (!service.registerService(u"org.freedesktop.ScreenSaver"_s))
        QSKIP("no session bus of the test's own: ctest runs it under dbus-run-session");
    service.registerObject(u"/org/freedesktop/ScreenSaver"_s, &m_saver,
                           QDBusConnection::ExportAllSlots);
    QFETCH(bool, saverOff);
    QFETCH(int, lines);
    m_saver.active = true;
    m_saver.queries = 0;
    ScreenSaverCheck check(saverOff);
    for (int line = 0; line < lines; ++line)
        check.takeLine(spot);
    QTRY_COMPARE(m_saver.active, !saverOff);
    QVERIFY(barrierPassed());
    QCOMPARE(m_saver.queries, int(saverOff));
    check.takeLine(spot); // once answered, the next line asks again
    QVERIFY(barrierPassed());
    QCOMPARE(m_saver.queries, 2 * int(saverOff));
}

QTEST_GUILESS_MAIN(EventServicesTest)
#include "tst_eventservices.moc"
