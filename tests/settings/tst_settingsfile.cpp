#include "SettingsWriterGroups.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
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

// A file holding one key, named "SECTION/KEY".
QByteArray fileWithKey(const QString& sectionKey, const QByteArray& value) {
    const QByteArray section = sectionKey.section(u'/', 0, 0).toLatin1();
    const QByteArray key = sectionKey.section(u'/', 1).toLatin1();
    return '[' + section + "]\n" + key + '=' + value + '\n';
}

template <typename T>
using Loaders = QHash<QString, std::function<T(const SettingsFile&)>>;

// The operation the program reads a key with, by "SECTION/KEY".
int loadInt(const SettingsFile& s, const QString& sectionKey) {
    static const Loaders<int> loaders = {
        {QStringLiteral("TIME/LINK_CHECK"), [](auto& f) { return f.LoadLinkCheck(); }},
        {QStringLiteral("ENV/RECONNECT_SEC"), [](auto& f) { return f.LoadReconnectSec(); }},
        {QStringLiteral("WINDOW/COL_BYTES"), [](auto& f) { return f.LoadColBytes(); }},
        {QStringLiteral("WINDOW/HISTORY_LINES"), [](auto& f) { return f.LoadHistoryLines(); }},
        {QStringLiteral("WINDOW/SCROLL_FILE_SELECT"),
         [](auto& f) { return f.LoadScrollFileSelect(); }},
        {QStringLiteral("WINDOW/LEFT"), [](auto& f) { return f.LoadWindowGeometry().left; }},
        {QStringLiteral("COLOR/BACK_GROUND"), [](auto& f) { return f.LoadBackground(); }},
        {QStringLiteral("RS232C/BAUD_RATE"), [](auto& f) { return f.LoadRs232c().baudRate; }},
        {QStringLiteral("RS232C/BIT_LEN"), [](auto& f) { return f.LoadRs232c().bitLen; }},
        {QStringLiteral("RS232C/FLOW"), [](auto& f) { return f.LoadRs232c().flow; }},
        {QStringLiteral("FONT/SIZE"), [](auto& f) { return f.LoadFont().size; }},
        {QStringLiteral("NODES/LINK_COM1"), [](auto& f) { return f.LoadNodes()[0].comPort; }},
        {QStringLiteral("NODES/LINK_COM12"), [](auto& f) { return f.LoadNodes()[11].comPort; }},
    };
    Q_ASSERT(loaders.contains(sectionKey));
    return loaders[sectionKey](s);
}

bool loadBool(const SettingsFile& s, const QString& sectionKey) {
    static const Loaders<bool> loaders = {
        {QStringLiteral("FONT/BOLD"), [](auto& f) { return f.LoadFont().bold; }},
        {QStringLiteral("FONT/ITALIC"), [](auto& f) { return f.LoadFont().italic; }},
        {QStringLiteral("RS232C/LINK_CRLF"), [](auto& f) { return f.LoadRs232c().linkCrLf; }},
        {QStringLiteral("WINDOW/SAVER_OFF"), [](auto& f) { return f.LoadSaverOff(); }},
        {QStringLiteral("NODES/LOCAL_ECHO5"), [](auto& f) { return f.LoadNodes()[4].localEcho; }},
        {QStringLiteral("NODES/SEND_CRLF12"), [](auto& f) { return f.LoadNodes()[11].sendCrLf; }},
        {QStringLiteral("NODES/LINK_ACTIVE3"), [](auto& f) { return f.LoadNodes()[2].linkActive; }},
    };
    Q_ASSERT(loaders.contains(sectionKey));
    return loaders[sectionKey](s);
}

// The key names of one section, in file order.
QStringList keysOf(const QByteArray& file, const QByteArray& section) {
    QStringList keys;
    bool inside = false;
    for (const QByteArray& line : file.split('\n')) {
        if (line.startsWith('['))
            inside = line == '[' + section + ']';
        else if (inside && line.contains('='))
            keys.append(QString::fromLatin1(line.left(line.indexOf('='))));
    }
    return keys;
}

QStringList names(std::initializer_list<const char*> latin1) {
    QStringList list;
    for (const char* name : latin1)
        list.append(QLatin1StringView(name));
    return list;
}

QStringList numberedKeys(const char* stem) {
    QStringList keys;
    for (int i = 1; i <= NodeCount; ++i)
        keys.append(QLatin1StringView(stem) + QString::number(i));
    return keys;
}

// Exactly what the failed save must leave: the message and the untouched files.
void checkFailedSave(SettingsFile& settings, const QString& witness) {
    const QByteArray before = readAll(witness);
    QVERIFY(!settings.SaveFont(writerFont(1)));
    QCOMPARE(settings.lastError(),
             QStringLiteral("Unable to write ") + QFileInfo(settings.path()).absoluteFilePath());
    QCOMPARE(readAll(witness), before);
    QVERIFY(!QFile::exists(settings.path() + QStringLiteral(".lock")));
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void missingFileGivesDefaults();
    void everyGroupRoundTrips();
    void keysAreWrittenInFileOrder();
    void integerKeys_data();
    void integerKeys();
    void boolKeys_data();
    void boolKeys();
    void trueIsSavedAsOne();
    void handWrittenWindowsFileSurvives();
    void saveIntoReadOnlyFolderFails();
    void saveWhereFolderCannotBeMadeFails();
    void saveOverFolderFails();
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
    QCOMPARE(nodes, defaultNodeTable());
    QCOMPARE(nodes[0].port, QStringLiteral("41112"));
    for (int i = 6; i < NodeCount; ++i)
        QCOMPARE(nodes[size_t(i)].port, QStringLiteral("23"));
    QVERIFY(!nodes[4].localEcho);
    for (const NodeEntry& node : nodes) {
        QVERIFY(node.sendCrLf);
        QVERIFY(!node.linkActive);
    }
    const Rs232cSettings rs232c = settings.LoadRs232c();
    QCOMPARE(rs232c.baudRate, 3);
    QCOMPARE(rs232c.bitLen, 1);
    QCOMPARE(rs232c.stopLen + rs232c.parity + rs232c.flow, 0);
    QVERIFY(rs232c.linkCrLf);
    QCOMPARE(settings.LoadHistoryLines(), 5000);
    QCOMPARE(settings.LoadColBytes(), 84);
    QCOMPARE(settings.LoadReconnectSec(), 60);
    QCOMPARE(settings.LoadLinkCheck(), 0);
    QCOMPARE(settings.LoadBackground(), 16777215);
    const FontSettings font = settings.LoadFont();
    QCOMPARE(font.name, QStringLiteral("Terminal"));
    QCOMPARE(font.charset, 128);
    QCOMPARE(font.height, -14);
    QCOMPARE(font.size, 14);
    QVERIFY(!font.bold && !font.italic);
    QCOMPARE(settings.LoadWindowGeometry(), WindowGeometry());
    QCOMPARE(settings.LoadSounds(), SoundSettings());
    QVERIFY(!settings.LoadSaverOff());
    QCOMPARE(settings.LoadScrollFileSelect(), 0);
    QCOMPARE(settings.LoadLogDir(), QString());
    QCOMPARE(settings.LoadUploadDir(), QString());
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
    QCOMPARE(settings.lastError(), QString());

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

void SettingsFileTest::keysAreWrittenInFileOrder() {
    SettingsFile settings(m_path);
    QVERIFY(settings.SaveNodes(defaultNodeTable()));
    QVERIFY(settings.SaveFont(FontSettings()));
    QVERIFY(settings.SaveSounds(SoundSettings()));
    const QByteArray file = readAll(m_path);

    QStringList nodeKeys;
    for (const char* stem :
         {"ADDRESS", "PORT_NO", "LOCAL_ECHO", "SEND_CRLF", "REMARKS", "LINK_ACTIVE", "LINK_COM"})
        nodeKeys += numberedKeys(stem);
    QCOMPARE(keysOf(file, "NODES"), nodeKeys);
    QCOMPARE(keysOf(file, "FONT"),
             names({"CHARSET", "COLOR", "HEIGHT", "NAME", "PITCH", "SIZE", "BOLD", "ITALIC"}));
    QCOMPARE(keysOf(file, "SOUND_FILE_NAME"),
             names({"ON_CONNECT", "ON_DISCONNECT", "FILE1", "FILE2", "FILE3", "STRING1", "STRING2",
                    "STRING3"}));
    QVERIFY(file.contains("\nPORT_NO7=23\n"));
    QVERIFY(file.contains("\nLOCAL_ECHO5=0\n"));
    QVERIFY(file.contains("\nNAME=Terminal\n"));
}

void SettingsFileTest::integerKeys_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("loaded");

    const auto row = [](const char* name, const char* key, const char* text, int loaded) {
        QTest::newRow(name) << QString::fromLatin1(key) << QByteArray(text) << loaded;
    };
    row("LINK_CHECK 10", "TIME/LINK_CHECK", "10", 10);
    row("LINK_CHECK 75", "TIME/LINK_CHECK", "75", 60);
    row("LINK_CHECK -5", "TIME/LINK_CHECK", "-5", 0);
    row("blanks around", "TIME/LINK_CHECK", " \t42 ", 42);
    row("COL_BYTES 5", "WINDOW/COL_BYTES", "5", 20);
    row("COL_BYTES 500", "WINDOW/COL_BYTES", "500", 100);
    row("RECONNECT_SEC 0", "ENV/RECONNECT_SEC", "0", 10);
    row("RECONNECT_SEC 999", "ENV/RECONNECT_SEC", "999", 180);
    row("HISTORY_LINES 50", "WINDOW/HISTORY_LINES", "50", 100);
    row("HISTORY_LINES 9999", "WINDOW/HISTORY_LINES", "9999", 5000);
    row("LINK_COM 258", "NODES/LINK_COM1", "258", 2);
    row("LINK_COM 0", "NODES/LINK_COM1", "0", 1);
    row("LINK_COM 9", "NODES/LINK_COM1", "9", 8);
    row("LINK_COM -1 is byte 255", "NODES/LINK_COM12", "-1", 8);
    row("BAUD_RATE 9", "RS232C/BAUD_RATE", "9", 6);
    row("BAUD_RATE -1", "RS232C/BAUD_RATE", "-1", 0);
    row("BIT_LEN 2", "RS232C/BIT_LEN", "2", 1);
    row("FLOW 7", "RS232C/FLOW", "7", 2);
    row("SIZE 200", "FONT/SIZE", "200", -56);
    row("SIZE 300", "FONT/SIZE", "300", 44);
    row("window LEFT negative", "WINDOW/LEFT", "-1200", -1200);
    row("SCROLL_FILE_SELECT 7 kept", "WINDOW/SCROLL_FILE_SELECT", "7", 7);
    row("word", "WINDOW/COL_BYTES", "wide", 84);
    row("empty", "TIME/LINK_CHECK", "", 0);
    row("number and text", "ENV/RECONNECT_SEC", "12x", 60);
    row("exponent", "WINDOW/HISTORY_LINES", "1e3", 5000);
    row("hexadecimal", "COLOR/BACK_GROUND", "0xFF", 16777215);
    row("beyond int", "COLOR/BACK_GROUND", "99999999999", 16777215);
    row("blank inside", "FONT/SIZE", "- 1", 14);
    row("COM name", "NODES/LINK_COM1", "COM3", 1);
}

void SettingsFileTest::integerKeys() {
    QFETCH(QString, key);
    QFETCH(QByteArray, text);
    QFETCH(int, loaded);

    QVERIFY(writeAll(m_path, fileWithKey(key, text)));
    QCOMPARE(loadInt(SettingsFile(m_path), key), loaded);
}

void SettingsFileTest::boolKeys_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("loaded");

    const auto row = [](const char* name, const char* key, const char* text, bool loaded) {
        QTest::newRow(name) << QString::fromLatin1(key) << QByteArray(text) << loaded;
    };
    row("BOLD 5", "FONT/BOLD", "5", true);
    row("BOLD 0", "FONT/BOLD", "0", false);
    row("ITALIC -1", "FONT/ITALIC", "-1", true);
    row("BOLD word gives default", "FONT/BOLD", "yes", false);
    row("LINK_CRLF word gives default", "RS232C/LINK_CRLF", "no", true);
    row("LINK_CRLF 0", "RS232C/LINK_CRLF", "0", false);
    row("SAVER_OFF with blanks", "WINDOW/SAVER_OFF", " 1 ", true);
    row("LOCAL_ECHO5 1", "NODES/LOCAL_ECHO5", "1", true);
    row("SEND_CRLF12 empty gives default", "NODES/SEND_CRLF12", "", true);
    row("LINK_ACTIVE3 2", "NODES/LINK_ACTIVE3", "2", true);
}

void SettingsFileTest::boolKeys() {
    QFETCH(QString, key);
    QFETCH(QByteArray, text);
    QFETCH(bool, loaded);

    QVERIFY(writeAll(m_path, fileWithKey(key, text)));
    QCOMPARE(loadBool(SettingsFile(m_path), key), loaded);
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

void SettingsFileTest::handWrittenWindowsFileSurvives() {
    const QByteArray windowsFile = "[NODES]\r\n"
                                   "ADDRESS1=ja1xyz.example.jp\r\n"
                                   "REMARKS1=Tokyo, JA\r\n"
                                   "REMARKS2=M\xfcnchen, DL\r\n"
                                   "\r\n"
                                   "[SOUND_FILE_NAME]\r\n"
                                   "ON_CONNECT=C:\\WINDOWS\\Media\\chimes.wav\r\n"
                                   "ON_DISCONNECT=C:\\WINDOWS\\Media\\ding.wav\r\n"
                                   "FILE1=one.wav\r\n"
                                   "FILE2=two.wav\r\n"
                                   "FILE3=three.wav\r\n"
                                   "STRING1=DX de JA1\r\n"
                                   "STRING2=QSX 14.025\r\n"
                                   "STRING3=a=b\r\n";
    QVERIFY(writeAll(m_path, windowsFile));
    SettingsFile settings(m_path);
    const NodeTable nodes = settings.LoadNodes();
    QCOMPARE(nodes[0].address, QStringLiteral("ja1xyz.example.jp"));
    QCOMPARE(nodes[0].remarks, QStringLiteral("Tokyo, JA"));
    QCOMPARE(nodes[1].remarks, QString::fromUtf16(u"München, DL"));
    QCOMPARE(nodes[0].port, QStringLiteral("41112")); // keys not in the file keep defaults
    SoundSettings sounds;
    sounds.files = {QStringLiteral("C:\\WINDOWS\\Media\\chimes.wav"),
                    QStringLiteral("C:\\WINDOWS\\Media\\ding.wav"), QStringLiteral("one.wav"),
                    QStringLiteral("two.wav"), QStringLiteral("three.wav")};
    sounds.strings = {QStringLiteral("DX de JA1"), QStringLiteral("QSX 14.025"),
                      QStringLiteral("a=b")};
    QCOMPARE(settings.LoadSounds(), sounds);

    QVERIFY(settings.SaveWindowGeometry({1, 2, 3, 4}));
    QByteArray expected = windowsFile;
    expected.replace("\r\n", "\n");
    expected += "\n[WINDOW]\nLEFT=1\nTOP=2\nWIDTH=3\nHEIGHT=4\n";
    QCOMPARE(readAll(m_path), expected);
}

void SettingsFileTest::saveIntoReadOnlyFolderFails() {
    const QString folder = m_dir->filePath(QStringLiteral("ro"));
    QVERIFY(QDir().mkdir(folder));
    SettingsFile settings(folder + QStringLiteral("/Kestrel.ini"));
    QVERIFY(settings.SaveLinkCheck(7));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (writeAll(folder + QStringLiteral("/probe"), "x"))
        QSKIP("This user may write into read-only folders (root)");

    checkFailedSave(settings, settings.path());
    QCOMPARE(settings.LoadLinkCheck(), 7);
}

void SettingsFileTest::saveWhereFolderCannotBeMadeFails() {
    const QString plainFile = m_dir->filePath(QStringLiteral("config"));
    QVERIFY(writeAll(plainFile, "not a folder"));
    SettingsFile settings(plainFile + QStringLiteral("/kestrel/Kestrel.ini"));
    checkFailedSave(settings, plainFile);
}

void SettingsFileTest::saveOverFolderFails() {
    QVERIFY(QDir().mkdir(m_path));
    const QString inside = m_path + QStringLiteral("/inside");
    QVERIFY(writeAll(inside, "kept"));
    SettingsFile settings(m_path);
    checkFailedSave(settings, inside);
    QVERIFY(QFileInfo(m_path).isDir());
}

void SettingsFileTest::lockOfCrashedCopyIsTakenOver() {
    QProcess crashed;
    crashed.start(QStringLiteral(KESTREL_SETTINGS_WRITER), {m_path, QStringLiteral("crash")});
    QVERIFY(crashed.waitForFinished());
    QCOMPARE(crashed.exitCode(), 0);
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
    for (QProcess* writer : {&fontWriter, &nodesWriter}) {
        QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
        QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
    }
    QCOMPARE(settings.LoadFont(), writerFont(Passes - 1));
    QCOMPARE(settings.LoadNodes(), writerNodes(Passes - 1));
    const QByteArray file = readAll(m_path);
    QCOMPARE(keysOf(file, "FONT").size(), 8);
    QCOMPARE(keysOf(file, "NODES").size(), 7 * NodeCount);
    QCOMPARE(file.count('\n'), 8 + 7 * NodeCount + 3); // two headers and a blank line
}

void SettingsFileTest::defaultPathFollowsXdgConfigHome() {
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] {
        if (wasSet)
            qputenv("XDG_CONFIG_HOME", before);
        else
            qunsetenv("XDG_CONFIG_HOME");
    });
    const QString config = m_dir->filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));

    const QString path = SettingsFile::defaultPath();
    QVERIFY2(path.endsWith(QStringLiteral("/kestrel/Kestrel.ini")), qPrintable(path));
    QCOMPARE(path, config + QStringLiteral("/kestrel/Kestrel.ini"));
    SettingsFile settings;
    QCOMPARE(settings.path(), path);
    QVERIFY2(settings.SaveReconnectSec(30), qPrintable(settings.lastError()));
    QVERIFY(QFileInfo(path).isFile()); // the folders were made on the first save
    QCOMPARE(SettingsFile().LoadReconnectSec(), 30);
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
