#include "FileSizeLimit.h"
#include "SettingsWriterGroups.h"
#include "settings/SettingsFile.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every number and switch the program reads, by "SECTION/KEY"; a switch is 0 or 1.
QMap<QByteArray, int> loadedValues(const SettingsFile& s) {
    const FontSettings font = s.LoadFont();
    const Rs232cSettings rs232c = s.LoadRs232c();
    const NodeTable nodes = s.LoadNodes();
    return {
        {"TIME/LINK_CHECK", s.LoadLinkCheck()},
        {"ENV/RECONNECT_SEC", s.LoadReconnectSec()},
        {"WINDOW/COL_BYTES", s.LoadColBytes()},
        {"WINDOW/HISTORY_LINES", s.LoadHistoryLines()},
        {"COLOR/BACK_GROUND", s.LoadBackground()},
        {"RS232C/BAUD_RATE", rs232c.baudRate},
        {"RS232C/BIT_LEN", rs232c.bitLen},
        {"RS232C/STOP_LEN", rs232c.stopLen},
        {"RS232C/PARITY", rs232c.parity},
        {"RS232C/FLOW", rs232c.flow},
        {"RS232C/LINK_CRLF", rs232c.linkCrLf},
        {"FONT/SIZE", font.size},
        {"NODES/LINK_COM1", nodes[0].comPort},
        {"NODES/LINK_COM12", nodes[11].comPort},
        {"NODES/LINK_ACTIVE3", nodes[2].linkActive},
    };
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void missingFileGivesDefaults();
    void everyGroupRoundTrips();
    void readsKeys_data();
    void readsKeys();
    void trueIsSavedAsOne();
    void handWrittenWindowsFileSurvives();
    void failedSaveKeepsOldFile();
    void lockOfCrashedCopyIsTakenOver();
    void copiesSavingAtOnceKeepEveryKey();
    void defaultPathFollowsXdgConfigHome();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void SettingsFileTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Kestrel.ini"));
}

void SettingsFileTest::missingFileGivesDefaults() {
    const SettingsFile settings(m_path);
    const NodeTable nodes = settings.LoadNodes();
    QCOMPARE(nodes[0].port, QStringLiteral("41112"));
    for (const size_t i : {1, 6, 7, 8, 9, 10, 11})
        QCOMPARE(nodes[i].port, QStringLiteral("23"));
    QVERIFY(!nodes[4].localEcho);
    for (const NodeEntry& node : nodes)
        QVERIFY(node.sendCrLf && !node.linkActive);
    QCOMPARE(settings.LoadRs232c(), (Rs232cSettings{3, 1, 0, 0, 0, true}));
    QCOMPARE(settings.LoadHistoryLines(), 5000);
    QCOMPARE(settings.LoadColBytes(), 84);
    QCOMPARE(settings.LoadLinkCheck(), 0);
    QCOMPARE(settings.LoadReconnectSec(), 60);
    QCOMPARE(settings.LoadBackground(), 16777215);
    const FontSettings font{128, 0, -14, QStringLiteral("Terminal"), 0, 14, false, false};
    QCOMPARE(settings.LoadFont(), font);
    QVERIFY(!QFile::exists(m_path)); // loading writes nothing
}

void SettingsFileTest::everyGroupRoundTrips() {
    NodeTable nodes = defaultNodeTable();
    for (size_t i = 0; i < nodes.size(); ++i) {
        NodeEntry& node = nodes[i];
        node.address = QStringLiteral("node%1.example.net").arg(i);
        node.port = QStringLiteral("70%1").arg(i, 2, 10, QLatin1Char('0'));
        node.remarks = QStringLiteral("Remarks %1, with = and \\").arg(i);
        node.localEcho = !node.localEcho;
        node.sendCrLf = false;
        node.linkActive = true;
        node.comPort = 2 + int(i % 7);
    }
    const FontSettings font{0, 0x123456, -20, QStringLiteral("Courier New"), 1, 10, true, true};
    const WindowGeometry geometry{-10, 20, 800, 600};
    const Rs232cSettings rs232c{6, 0, 2, 2, 2, false};
    SoundSettings sounds;
    sounds.files = {QStringLiteral("C:\\a.wav"), QStringLiteral("/b.wav"), QStringLiteral("c"),
                    QStringLiteral("d"), QStringLiteral("e")};
    sounds.strings = {QStringLiteral("DX de JA1"), QStringLiteral("UP 5"), QStringLiteral("QRT")};

    SettingsFile settings(m_path);
    const auto saveAll = [&] {
        return settings.SaveNodes(nodes) && settings.SaveFont(font) &&
               settings.SaveBackground(0x00FF00) && settings.SaveWindowGeometry(geometry) &&
               settings.SaveRs232c(rs232c) && settings.SaveSaverOff(true) &&
               settings.SaveHistoryLines(1000) && settings.SaveSounds(sounds) &&
               settings.SaveColBytes(100) && settings.SaveScrollFileSelect(2) &&
               settings.SaveLinkCheck(15) && settings.SaveReconnectSec(120) &&
               settings.SaveLogDir(QStringLiteral("/home/op/log dir")) &&
               settings.SaveUploadDir(QStringLiteral("/home/op/up"));
    };
    QVERIFY2(saveAll(), qPrintable(settings.lastError()));

    const SettingsFile reread(m_path);
    QCOMPARE(reread.LoadNodes(), nodes);
    QCOMPARE(reread.LoadFont(), font);
    QCOMPARE(reread.LoadBackground(), 0x00FF00);
    QCOMPARE(reread.LoadWindowGeometry(), geometry);
    QCOMPARE(reread.LoadRs232c(), rs232c);
    QVERIFY(reread.LoadSaverOff());
    QCOMPARE(reread.LoadHistoryLines(), 1000);
    QCOMPARE(reread.LoadSounds(), sounds);
    QCOMPARE(reread.LoadColBytes(), 100);
    QCOMPARE(reread.LoadScrollFileSelect(), 2);
    QCOMPARE(reread.LoadLinkCheck(), 15);
    QCOMPARE(reread.LoadReconnectSec(), 120);
    QCOMPARE(reread.LoadLogDir(), QStringLiteral("/home/op/log dir"));
    QCOMPARE(reread.LoadUploadDir(), QStringLiteral("/home/op/up"));

    // Saving the same values again changes nothing: every key was found in its place.
    const QByteArray once = readAll(m_path);
    QVERIFY(saveAll());
    QCOMPARE(readAll(m_path), once);
}

// A file holding one key: integers are brought into range, anything but a plain decimal
// gives the default.
void SettingsFileTest::readsKeys_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("loaded");
    const auto row = [](const char* name, const char* key, const char* text, int loaded) {
        QTest::newRow(name) << QByteArray(key) << QByteArray(text) << loaded;
    };
    row("LINK_CHECK 10", "TIME/LINK_CHECK", "10", 10);
    row("LINK_CHECK 75", "TIME/LINK_CHECK", "75", 60);
    row("LINK_CHECK -5", "TIME/LINK_CHECK", "-5", 0);
    row("COL_BYTES 5", "WINDOW/COL_BYTES", "5", 20);
    row("COL_BYTES 500, blanks around", "WINDOW/COL_BYTES", " \t500 ", 100);
    row("RECONNECT_SEC 0", "ENV/RECONNECT_SEC", "0", 10);
    row("RECONNECT_SEC 999", "ENV/RECONNECT_SEC", "999", 180);
    row("HISTORY_LINES 50", "WINDOW/HISTORY_LINES", "50", 100);
    row("HISTORY_LINES 9999", "WINDOW/HISTORY_LINES", "9999", 5000);
    row("LINK_COM 256 is byte 0", "NODES/LINK_COM1", "256", 1);
    row("LINK_COM -1 is byte 255", "NODES/LINK_COM12", "-1", 8);
    row("BAUD_RATE 9", "RS232C/BAUD_RATE", "9", 6);
    row("BIT_LEN 2", "RS232C/BIT_LEN", "2", 1);
    row("STOP_LEN 3", "RS232C/STOP_LEN", "3", 2);
    row("PARITY -1", "RS232C/PARITY", "-1", 0);
    row("FLOW 7", "RS232C/FLOW", "7", 2);
    row("SIZE 200", "FONT/SIZE", "200", -56);
    row("LINK_CRLF 0", "RS232C/LINK_CRLF", "0", false);
    row("LINK_ACTIVE3 2", "NODES/LINK_ACTIVE3", "2", true);
    row("word", "WINDOW/COL_BYTES", "wide", 84);
    row("number and text", "ENV/RECONNECT_SEC", "12x", 60);
    row("hexadecimal", "COLOR/BACK_GROUND", "0xFF", 16777215);
    row("switch as a word", "RS232C/LINK_CRLF", "no", true);
}

void SettingsFileTest::readsKeys() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, text);
    QFETCH(int, loaded);
    const QList<QByteArray> parts = key.split('/');
    QVERIFY(writeAll(m_path, '[' + parts[0] + "]\n" + parts[1] + '=' + text + '\n'));
    QCOMPARE(loadedValues(SettingsFile(m_path)).value(key, -1000), loaded); // -1000: no such key
}

void SettingsFileTest::trueIsSavedAsOne() {
    QVERIFY(writeAll(m_path, "[FONT]\nBOLD=5\nITALIC=0\n"));
    SettingsFile settings(m_path);
    const FontSettings font = settings.LoadFont();
    QVERIFY(font.bold);
    QVERIFY(settings.SaveFont(font));
    QCOMPARE(readAll(m_path), QByteArray("[FONT]\nBOLD=1\nITALIC=0\nCHARSET=128\nCOLOR=0\n"
                                         "HEIGHT=-14\nNAME=Terminal\nPITCH=0\nSIZE=14\n"));
}

// Backslash paths, commas and '=' in values, Latin-1 text and CR LF line ends.
void SettingsFileTest::handWrittenWindowsFileSurvives() {
    const QByteArray windowsFile = "[NODES]\r\n"
                                   "REMARKS1=Tokyo, JA\r\n"
                                   "REMARKS2=M\xfcnchen, DL\r\n"
                                   "\r\n"
                                   "[SOUND_FILE_NAME]\r\n"
                                   "ON_CONNECT=C:\\WINDOWS\\Media\\chimes.wav\r\n"
                                   "STRING3=a=b\r\n";
    QVERIFY(writeAll(m_path, windowsFile));
    SettingsFile settings(m_path);
    const NodeTable nodes = settings.LoadNodes();
    QCOMPARE(nodes[0].remarks, QStringLiteral("Tokyo, JA"));
    QCOMPARE(nodes[1].remarks, QString::fromUtf16(u"M\u00fcnchen, DL"));
    QCOMPARE(nodes[0].port, QStringLiteral("41112")); // keys not in the file keep defaults
    QCOMPARE(settings.LoadSounds().files[0], QStringLiteral("C:\\WINDOWS\\Media\\chimes.wav"));
    QCOMPARE(settings.LoadSounds().strings[2], QStringLiteral("a=b"));

    QVERIFY(settings.SaveWindowGeometry({1, 2, 3, 4}));
    QByteArray expected = windowsFile;
    expected.replace("\r\n", "\n");
    expected += "\n[WINDOW]\nLEFT=1\nTOP=2\nWIDTH=3\nHEIGHT=4\n";
    QCOMPARE(readAll(m_path), expected);
}

void SettingsFileTest::failedSaveKeepsOldFile() {
    SettingsFile settings(m_path);
    QVERIFY(settings.SaveLinkCheck(7));
    const QByteArray before = readAll(m_path);
    bool saved = true;
    {
        // The node table is about 1.5 kB: it would sit in a write buffer until closed.
        const FileSizeLimit fullDisk(512);
        QVERIFY(fullDisk.isSet());
        saved = settings.SaveNodes(defaultNodeTable());
    }
    QVERIFY(!saved);

    QCOMPARE(settings.lastError(), QStringLiteral("Unable to write ") + m_path);
    QCOMPARE(readAll(m_path), before);
    QVERIFY(!QFile::exists(m_path + QStringLiteral(".lock")));
}

void SettingsFileTest::lockOfCrashedCopyIsTakenOver() {
    QProcess crashed;
    crashed.start(QStringLiteral(KESTREL_SETTINGS_WRITER), {m_path, QStringLiteral("crash")});
    QVERIFY(crashed.waitForFinished());
    QVERIFY(QFile::exists(m_path + QStringLiteral(".lock")));

    // Well within the lock wait: the lock's process is gone, so it is stale at once.
    SettingsFile settings(m_path);
    QVERIFY2(settings.SaveLinkCheck(5), qPrintable(settings.lastError()));
    QCOMPARE(settings.LoadLinkCheck(), 5);
    QVERIFY(!QFile::exists(m_path + QStringLiteral(".lock")));
}

// Each load while the two copies save must see a whole file: a group, once there, stays
// there, and it only moves on to later passes.
void SettingsFileTest::copiesSavingAtOnceKeepEveryKey() {
    constexpr int Passes = 150;
    QProcess fontWriter;
    QProcess nodesWriter;
    const QString passes = QString::number(Passes);
    fontWriter.start(QStringLiteral(KESTREL_SETTINGS_WRITER),
                     {m_path, QStringLiteral("font"), passes});
    nodesWriter.start(QStringLiteral(KESTREL_SETTINGS_WRITER),
                      {m_path, QStringLiteral("nodes"), passes});
    QVERIFY(fontWriter.waitForStarted() && nodesWriter.waitForStarted());

    const SettingsFile settings(m_path);
    int lastFontPass = -1;
    int lastNodesPass = -1;
    while (fontWriter.state() != QProcess::NotRunning ||
           nodesWriter.state() != QProcess::NotRunning) {
        const int fontSeen = fontPass(settings.LoadFont());
        const int nodesSeen = nodesPass(settings.LoadNodes());
        QVERIFY2(fontSeen >= lastFontPass, qPrintable(QString::number(fontSeen)));
        QVERIFY2(nodesSeen >= lastNodesPass, qPrintable(QString::number(nodesSeen)));
        lastFontPass = fontSeen;
        lastNodesPass = nodesSeen;
        for (QProcess* writer : {&fontWriter, &nodesWriter}) {
            if (writer->state() != QProcess::NotRunning)
                writer->waitForFinished(1);
        }
    }
    for (QProcess* writer : {&fontWriter, &nodesWriter})
        QVERIFY2(writer->exitStatus() == QProcess::NormalExit && writer->exitCode() == 0,
                 writer->readAllStandardError().constData());
    QCOMPARE(settings.LoadFont(), writerFont(Passes - 1));
    QCOMPARE(settings.LoadNodes(), writerNodes(Passes - 1));
    // Each key once: the keys, two headers and the blank line between the sections.
    QCOMPARE(readAll(m_path).count('\n'), 8 + 7 * NodeCount + 3);
}

void SettingsFileTest::defaultPathFollowsXdgConfigHome() {
    const QByteArray before = qgetenv("XDG_CONFIG_HOME"); // empty counts as unset
    const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", before); });
    const QString config = m_dir->filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));

    const QString path = config + QStringLiteral("/kestrel/Kestrel.ini");
    QCOMPARE(SettingsFile::defaultPath(), path);
    QVERIFY(SettingsFile().SaveReconnectSec(30));
    QVERIFY(QFile::exists(path)); // the folders were made on the first save
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
