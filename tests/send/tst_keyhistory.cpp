#include "FileSizeLimit.h"
#include "send/KeyHistory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "line <from>" to "line <to>", either way.
QStringList numbered(int from, int to) {
    QStringList lines;
    const int step = from <= to ? 1 : -1;
    for (int i = from; i != to + step; i += step)
        lines.append(QStringLiteral("line %1").arg(i));
    return lines;
}

// The file holding these entries: one line each.
QByteArray fileText(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + '\n';
    return text;
}

} // namespace

class KeyHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void missingFileGivesEmptyList();
    void loadsLinesAndSavesThemBack_data();
    void loadsLinesAndSavesThemBack();
    void addKeepsNewestAndSaves_data();
    void addKeepsNewestAndSaves();
    void saveWritesOneLinePerEntry();
    void saveOnFullDiskKeepsOldFile();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void KeyHistoryTest::missingFileGivesEmptyList() {
    KeyHistory history;
    history.setEntries({QStringLiteral("old")});
    QVERIFY(!history.LoadKeyHistory(path(QStringLiteral("nowhere/KestrelKey.txt"))));
    QVERIFY(history.entries().isEmpty());
}

void KeyHistoryTest::loadsLinesAndSavesThemBack_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("entries");
    const QString shdx = QStringLiteral("sh/dx");
    const QString talk = QStringLiteral("talk");
    const QString a1023(1023, u'a');
    QTest::newRow("empty line kept")
        << QByteArray("sh/dx\n\ntalk\n") << QStringList({shdx, QString(), talk});
    QTest::newRow("CR LF, no final line end")
        << QByteArray("sh/dx\r\n\r\ntalk") << QStringList({shdx, QString(), talk});
    QTest::newRow("blanks around lost, inner kept")
        << QByteArray("  sh/dx  20 \t\ntalk   \r\n")
        << QStringList({QStringLiteral("sh/dx  20"), talk});
    QTest::newRow("UTF-8 with byte order mark")
        << QByteArray("\xef\xbb\xbftalk \xe3\x81\x93\xe3\x82\x93\n")
        << QStringList({QString::fromUtf16(u"talk こん")});
    QTest::newRow("3000 characters") << QByteArray(3000, 'a') + '\n'
                                     << QStringList({a1023, a1023, QString(954, u'a')});
    // A character outside the BMP takes two code units and is never cut in two.
    QTest::newRow("surrogate pair at the cut")
        << (QString(1022, u'a') + QString::fromUtf16(u"\U0001F600b")).toUtf8()
        << QStringList({QString(1022, u'a'), QString::fromUtf16(u"\U0001F600b")});
}

// Saving writes each entry as a line, so a file of such lines comes back unchanged.
void KeyHistoryTest::loadsLinesAndSavesThemBack() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, entries);
    const QString file = path(QStringLiteral("lines.txt"));
    QVERIFY(writeFile(file, text));
    KeyHistory history;
    QVERIFY(history.LoadKeyHistory(file));
    QCOMPARE(history.entries(), entries);
    QVERIFY(QFile::remove(file));
    QVERIFY(history.SaveKeyHistory(file));
    QCOMPARE(readFile(file), fileText(entries));
}

void KeyHistoryTest::addKeepsNewestAndSaves_data() {
    QTest::addColumn<QStringList>("loaded");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("entries");
    const QStringList repeated{QStringLiteral("sh/dx"), QString(), QStringLiteral("sh/dx")};
    const QStringList added{QStringLiteral("new")};
    QTest::newRow("30 adds keep the newest 21")
        << QStringList() << numbered(1, 30) << numbered(30, 10);
    QTest::newRow("empty and repeated lines kept") << QStringList() << repeated << repeated;
    QTest::newRow("50 loaded keep their length")
        << numbered(1, 50) << added << added + numbered(1, 49);
}

void KeyHistoryTest::addKeepsNewestAndSaves() {
    QFETCH(QStringList, loaded);
    QFETCH(QStringList, added);
    QFETCH(QStringList, entries);
    const QString file = path(QStringLiteral("KestrelKey.txt"));
    QVERIFY(writeFile(file, fileText(loaded)));
    KeyHistory history;
    QVERIFY(history.LoadKeyHistory(file));
    for (const QString& line : added)
        history.Add(line);
    QCOMPARE(history.entries(), entries);
    QVERIFY(history.SaveKeyHistory(file));
    QCOMPARE(readFile(file), fileText(entries));
}

// Trailing blanks go, and a line break inside an entry must not make two lines of it.
void KeyHistoryTest::saveWritesOneLinePerEntry() {
    const QString file = path(QStringLiteral("new/folder/KestrelKey.txt"));
    KeyHistory history;
    history.setEntries(
        {QStringLiteral("  sh/dx \t"), QStringLiteral("   "), QStringLiteral("a\r\nb")});
    QVERIFY(history.SaveKeyHistory(file));
    QCOMPARE(readFile(file), QByteArray("  sh/dx\n\na  b\n"));
}

void KeyHistoryTest::saveOnFullDiskKeepsOldFile() {
    const QString file = path(QStringLiteral("full.txt"));
    QVERIFY(writeFile(file, "old\n"));
    KeyHistory history;
    // Small enough to sit in a write buffer until the file is closed.
    history.setEntries(QStringList(10, QString(100, u'x')));
    bool saved = true;
    {
        const FileSizeLimit fullDisk(512);
        QVERIFY(fullDisk.isSet());
        saved = history.SaveKeyHistory(file);
    }
    QVERIFY(!saved);

    QCOMPARE(readFile(file), QByteArray("old\n"));
    // The save wrote beside the file and threw its copy away.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("full.txt*")}, QDir::Files),
             QStringList{QStringLiteral("full.txt")});
}

QTEST_GUILESS_MAIN(KeyHistoryTest)
#include "tst_keyhistory.moc"
