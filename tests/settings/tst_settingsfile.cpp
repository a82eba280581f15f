#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "base/NodeEntry.h"
#include "base/StoredText.h"
#include "desktop/WindowPlacement.h"
#include "environ/EnvironmentSettings.h"
#include "files/FileFolders.h"
#include "screen/FontSettings.h"
#include "settings/SettingsFile.h"
#include "watch/WatchSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>
#include <sys/stat.h>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// The pass that saved a value "pass <n>", -1 for none.
int passOf(const QString& value) {
    return value.isEmpty() ? -1 : value.section(u' ', 1).toInt();
}

// The other copy of the program: "<test> --writer <file> log|upload <passes>".
int saveRepeatedly(const QStringList& args) {
    SettingsFile settings(args[2]);
    for (int pass = 0; pass < args[4].toInt(); ++pass) {
        const QString value = u"pass %1"_s.arg(pass);
        if (!(args[3] == u"log" ? settings.save(LogFolder{value})
                                : settings.save(UploadFolder{value})))
            return 1;
    }
    return 0;
}

// One key written alone, as a save of a group that holds just it.
bool saveKey(SettingsFile& settings, const SettingsKey& key, int value) {
    return settings.saveKeys([&](const SettingsKeySaver& save) { save(key, value); });
}

// A group as a new feature would add it: keys of every type, one of them numbered, and a
// field whose key it does not visit.
namespace ProbeKeys {
constexpr SettingsKey Level = SettingsKeys::intKey(u"PROBE", u"LEVEL", 7, 1, 9);
constexpr SettingsKey Name = SettingsKeys::textKey(u"PROBE", u"NAME", u"probe");
constexpr SettingsKey Enabled = SettingsKeys::boolKey(u"PROBE", u"ENABLED", true).numbered(3);
} // namespace ProbeKeys

struct ProbeSettings {
    int level = ProbeKeys::Level.defaultNumber;
    QString name = ProbeKeys::Name.defaultText.toString();
    std::array<bool, 3> enabled{true, true, true};
    int unsaved = 0;
};

template <SettingsGroup<ProbeSettings> Probe, typename Visit>
void visitKeys(Probe& probe, const Visit& visit) {
    visit(ProbeKeys::Level, probe.level);
    visit(ProbeKeys::Name, probe.name);
    for (int i = 0; i < 3; ++i)
        visit(ProbeKeys::Enabled, probe.enabled[size_t(i)], i);
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(u"Kestrel.ini"_s);
    }

    void missingFileGivesDefaults() {
        const SettingsFile settings(m_path);
        const NodeTable nodes = settings.load<NodeTable>();
        QCOMPARE(nodes[0].port, u"41112"_s);
        for (const size_t i : {1, 6, 11})
            QCOMPARE(nodes[i].port, u"23"_s);
        QVERIFY(!nodes[4].localEcho);
        for (const NodeEntry& node : nodes)
            QVERIFY(node.sendCrLf && !node.linkActive && node.comPort == 1);
        const auto environment = settings.load<EnvironmentSettings>();
        QCOMPARE(environment.rs232c, (Rs232cSettings{3, 1, 0, 0, 0, true}));
        QCOMPARE(settings.load<WatchSettings>(), (WatchSettings{QString(), QString(), false}));
        const QList<int> numbers{environment.historyLines, environment.colBytes,
                                 environment.linkCheckMinutes, environment.reconnectSec,
                                 settings.load<BackgroundSettings>().color};
        QCOMPARE(numbers, (QList<int>{5000, 84, 0, 60, 0xFFFFFF}));
        QCOMPARE(settings.load<FontSettings>(),
                 (FontSettings{128, 0, -14, u"Terminal"_s, 0, 14, 0, 0}));
        QCOMPARE(storedGeometry(settings), (WindowGeometry{0, 0, 640, 480, false}));
        QVERIFY(!QFile::exists(m_path)); // loading writes nothing
    }

    void everyGroupRoundTrips() {
        NodeTable nodes;
        for (size_t i = 0; i < nodes.size(); ++i) {
            const QString n = QString::number(i);
            nodes[i] = {n, n, u"R, = \\"_s + n, i % 2 == 0, false, true, 2 + int(i % 7)};
        }
        const FontSettings font{0, 0x123456, -20, u"Courier New"_s, 1, 10, true, true};
        const WindowGeometry geometry{-10, 20, 800, 600, true};
        const Rs232cSettings rs232c{6, 0, 2, 2, 2, false};
        const SoundSettings sounds{{u"C:\\a.wav"_s, u"/b.wav"_s, u"c"_s, u"d"_s, u"e"_s},
                                   {u"DX de JA1"_s, u"UP 5"_s, u"QRT"_s}};
        const WatchSettings watch{u"XX9ZZ 3Y0* */MM"_s, u"/w.wav"_s, true};
        const EnvironmentSettings environment{rs232c, true, 1000, sounds, 100, 2, 15, 120};
        const QString path = m_dir->filePath(u"new/folder/Kestrel.ini"_s);
        SettingsFile settings(path);
        const auto saveAll = [&] {
            return settings.save(nodes) && settings.save(font) &&
                   settings.save(BackgroundSettings{0x00FF00}) && settings.save(geometry) &&
                   settings.save(environment) && settings.save(watch) &&
                   settings.save(LogFolder{u"/logs"_s}) && settings.save(UploadFolder{u"/up"_s});
        };
        QVERIFY2(saveAll(), qPrintable(settings.lastError()));

        QCOMPARE(settings.load<NodeTable>(), nodes);
        QCOMPARE(settings.load<FontSettings>(), font);
        QCOMPARE(storedGeometry(settings), geometry);
        QCOMPARE(settings.load<BackgroundSettings>().color, 0x00FF00);
        QCOMPARE(settings.load<EnvironmentSettings>(), environment);
        QCOMPARE(settings.load<WatchSettings>(), watch);
        QCOMPARE(settings.load<LogFolder>().dir + settings.load<UploadFolder>().dir, u"/logs/up"_s);
        // Saving the same values again changes nothing: every key was found in its place.
        const QByteArray once = readFile(path);
        QVERIFY(saveAll());
        QCOMPARE(readFile(path), once);
    }

    // Integers are brought into range; anything but a plain decimal gives the default. The
    // size counts as stored only with WIDTH and HEIGHT: else the main window opens wider.
    void readsKeys() {
        QVERIFY(writeFile(m_path, "[TIME]\nLINK_CHECK=75\n[ENV]\nRECONNECT_SEC=12x\n"
                                  "[WINDOW]\nCOL_BYTES= \t500 \nHISTORY_LINES=50\nLEFT=-99999\n"
                                  "WIDTH=0\nSCROLL_FILE_SELECT=7\n[COLOR]\nBACK_GROUND=0xFF\n"
                                  "[RS232C]\nBAUD_RATE=9\nPARITY=-1\nLINK_CRLF=no\n[FONT]\n"
                                  "SIZE=200\nHEIGHT=-2147483648\n[NODES]\nLINK_COM1=256\n"
                                  "LINK_COM12=-1\nLINK_ACTIVE3=2\nLOCAL_ECHO1=wide\n"));
        const SettingsFile s(m_path);
        const WindowGeometry window = storedGeometry(s);
        const auto env = s.load<EnvironmentSettings>();
        const auto font = s.load<FontSettings>();
        const NodeTable nodes = s.load<NodeTable>(); // LINK_COM is a byte: 256 is 0, -1 is 255
        // In the order of the file's keys.
        const QList<int> loaded({env.linkCheckMinutes, env.reconnectSec, env.colBytes,
                                 env.historyLines, window.left, window.width, window.sizeStored,
                                 env.scrollFileSelect, s.load<BackgroundSettings>().color,
                                 env.rs232c.baudRate, env.rs232c.parity, env.rs232c.linkCrLf,
                                 font.size, font.height, nodes[0].comPort, nodes[11].comPort,
                                 nodes[2].linkActive, nodes[0].localEcho});
        QCOMPARE(loaded, (QList<int>{60, 60, 100, 100, -32768, 100, false, 2, 0xFFFFFF, 6, 0, true,
                                     -56, -512, 1, 8, true, true}));
    }

    // A group of a feature's own: absent keys give its defaults, numbers come back into
    // range, and a save writes only its keys, in its section.
    void newGroupNeedsOnlyItsKeys() {
        SettingsFile settings(m_path);
        QCOMPARE(settings.load<ProbeSettings>().level, 7);
        QCOMPARE(settings.load<ProbeSettings>().name, u"probe"_s);
        QVERIFY(writeFile(m_path, "[PROBE]\nLEVEL=40\nENABLED2=0\n"));
        const ProbeSettings stored = settings.load<ProbeSettings>();
        QCOMPARE(stored.level, 9);
        QCOMPARE(stored.enabled, (std::array<bool, 3>{true, false, true}));

        ProbeSettings changed{3, u"name = x"_s, {false, true, false}, 99};
        QVERIFY(settings.save(changed));
        QCOMPARE(readFile(m_path), QByteArray("[PROBE]\nLEVEL=3\nENABLED2=1\nNAME=name = x\n"
                                              "ENABLED1=0\nENABLED3=0\n"));
        changed.unsaved = 0;
        const ProbeSettings loaded = settings.load<ProbeSettings>();
        QCOMPARE(std::tie(loaded.level, loaded.name, loaded.enabled, loaded.unsaved),
                 std::tie(changed.level, changed.name, changed.enabled, changed.unsaved));
    }

    void windowsFileKeepsItsCharacters_data() {
        QTest::addColumn<QByteArray>("font"); // FONT lines, if any
        QTest::addColumn<QString>("remark");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray windows1252 = "[FONT]\r\nCHARSET=0\r\n";
        QTest::newRow("Shift-JIS, the default charset")
            << QByteArray() << u"東京 JA1 node"_s << QByteArray("\x93\x8c\x8b\x9e JA1 node");
        QTest::newRow("Windows-1252 by FONT CHARSET")
            << windows1252 << u"München"_s << QByteArray("M\xfcnchen");
        QTest::newRow("UTF-8 whatever the charset")
            << windows1252 << u"東京"_s << QByteArray("\xe6\x9d\xb1\xe4\xba\xac");
    }

    // Unchanged lines keep their bytes but for the line ends; a changed value is written in
    // the file's encoding.
    void windowsFileKeepsItsCharacters() {
        QFETCH(QByteArray, font);
        QFETCH(QString, remark);
        QFETCH(QByteArray, bytes);
        const QByteArray file = font + "[NODES]\r\nREMARKS1=" + bytes + "\r\n";
        QVERIFY(writeFile(m_path, file));
        SettingsFile settings(m_path);
        NodeTable nodes = settings.load<NodeTable>();
        QCOMPARE(nodes[0].remarks, remark);
        QCOMPARE(nodes[0].port, u"41112"_s); // keys not in the file keep defaults

        QVERIFY(saveKey(settings, SettingsKeys::ReconnectSec, 30));
        QCOMPARE(readFile(m_path),
                 QByteArray(file).replace('\r', "") + "\n[ENV]\nRECONNECT_SEC=30\n");
        nodes[0].remarks = remark + u'!';
        QVERIFY(settings.save(nodes));
        QVERIFY(readFile(m_path).contains("\nREMARKS1=" + bytes + "!\n"));
        QCOMPARE(settings.load<NodeTable>(), nodes);
    }

    void unreadableFileIsNeverReplaced_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("readable");
        QTest::newRow("at the size limit") << u"file"_s << true;
        QTest::newRow("one byte too large") << u"large file"_s << false;
        QTest::newRow("a folder") << u"folder"_s << false;
        QTest::newRow("a pipe") << u"pipe"_s << false;
    }

    // Replacing it would drop every other key; loads give the defaults.
    void unreadableFileIsNeverReplaced() {
        QFETCH(QString, kind);
        QFETCH(bool, readable);
        QByteArray file = "[TIME]\nLINK_CHECK=30\n";
        file += QByteArray(MaxStoredFileBytes - file.size() + int(kind == u"large file"), ' ');
        if (kind == u"folder")
            QVERIFY(QDir().mkdir(m_path));
        else if (kind == u"pipe")
            QCOMPARE(mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
        else
            QVERIFY(writeFile(m_path, file));

        SettingsFile settings(m_path);
        QCOMPARE(settings.load<EnvironmentSettings>().linkCheckMinutes, readable ? 30 : 0);
        QCOMPARE(saveKey(settings, SettingsKeys::ReconnectSec, 30), readable);
        QCOMPARE(settings.lastError(), readable ? QString() : u"Unable to write "_s + m_path);
        QCOMPARE(QFileInfo(m_path).isFile(), kind.endsWith(u"file"));
        if (kind == u"large file") // never open the pipe: that would wait for a writer
            QCOMPARE(readFile(m_path), file);
    }

    void failedSaveKeepsOldFile() {
        SettingsFile settings(m_path);
        QVERIFY(saveKey(settings, SettingsKeys::LinkCheck, 7));
        const QByteArray before = readFile(m_path);
        bool saved = true;
        {
            // The node table is about 1.5 kB: it would sit in a write buffer until closed.
            const FileSizeLimit fullDisk(512);
            QVERIFY(fullDisk.isSet());
            saved = settings.save(NodeTable());
        }
        QVERIFY(!saved);
        QCOMPARE(settings.lastError(), u"Unable to write "_s + m_path);
        QCOMPARE(readFile(m_path), before);
        QVERIFY(!QFile::exists(m_path + u".lock"_s));
    }

    // Each load while two copies save must see both keys, and each only moving on.
    void copiesSavingAtOnceKeepEveryKey() {
        constexpr int Passes = 150;
        QProcess writers[2];
        const QString keys[2] = {u"log"_s, u"upload"_s};
        for (int i : {0, 1}) {
            writers[i].start(QCoreApplication::applicationFilePath(),
                             {u"--writer"_s, m_path, keys[i], QString::number(Passes)});
            QVERIFY(writers[i].waitForStarted());
        }
        const SettingsFile settings(m_path);
        int lastPasses[2] = {-1, -1};
        while (writers[0].state() != QProcess::NotRunning ||
               writers[1].state() != QProcess::NotRunning) {
            const int passes[2] = {passOf(settings.load<LogFolder>().dir),
                                   passOf(settings.load<UploadFolder>().dir)};
            for (int i : {0, 1}) {
                QVERIFY2(passes[i] >= lastPasses[i], qPrintable(QString::number(passes[i])));
                lastPasses[i] = passes[i];
                writers[i].waitForFinished(1);
            }
        }
        for (const QProcess& writer : writers)
            QVERIFY(writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0);
        const QString last = u"pass %1"_s.arg(Passes - 1);
        QCOMPARE(settings.load<LogFolder>().dir + settings.load<UploadFolder>().dir, last + last);
        // Each key once: two headers, two keys and the blank line between the sections.
        QCOMPARE(readFile(m_path).count('\n'), 5);
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == u"--writer")
        return saveRepeatedly(app.arguments());
    SettingsFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsfile.moc"
