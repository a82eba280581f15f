#include "send/KeyHistory.h"
#include "send/SendTexts.h"
#include "settings/SettingsFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList numbered(int first, int last) {
    QStringList lines;
    for (int i = first; i <= last; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    return lines;
}

QStringList reversed(QStringList lines) {
    std::reverse(lines.begin(), lines.end());
    return lines;
}

QByteArray fileText(const QStringList& lines) {
    return (lines.join(u'\n') + u'\n').toUtf8();
}

// Lowers the file size limit of this process, as a full disk would stop a write.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

    bool isActive() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

// Takes write permission from a folder and gives it back.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path)
        : m_path(path)
        , m_old(QFile::permissions(path)) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder() { QFile::setPermissions(m_path, m_old); }
    Q_DISABLE_COPY_MOVE(ReadOnlyFolder)

    // Root and privileged users write anyway.
    bool holds() const {
        QFile probe(m_path + QStringLiteral("/probe"));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.remove();
        return false;
    }

private:
    QString m_path;
    QFile::Permissions m_old;
};

} // namespace

class KeyHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultPathIsInSettingsFolder();
    void unreadableFileGivesEmptyList_data();
    void unreadableFileGivesEmptyList();
    void loadsLinesAndSavesThemBack();
    void loadsLines_data();
    void loadsLines();
    void longLineBecomesSeveralEntries_data();
    void longLineBecomesSeveralEntries();
    void addKeepsNewest_data();
    void addKeepsNewest();
    void addKeepsEmptyAndRepeatedLines();
    void longLoadedListKeepsItsLength();
    void savesNewestFirst();
    void saveDropsTrailingBlanks();
    void saveCreatesFolder();
    void saveIntoReadOnlyFolderKeepsOldFile();
    void saveOnFullDiskKeepsOldFile();
    void saveFailsWhenFolderCannotBeCreated();
    void failureMessage();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void KeyHistoryTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void KeyHistoryTest::defaultPathIsInSettingsFolder() {
    QCOMPARE(KeyHistory::defaultPath(),
             kestrelSettingsFolder() + QStringLiteral("/KestrelKey.txt"));
}

void KeyHistoryTest::unreadableFileGivesEmptyList_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("missing.txt");
    QTest::newRow("missing folder") << QStringLiteral("nowhere/KestrelKey.txt");
    QTest::newRow("a folder") << QStringLiteral("folder");
}

void KeyHistoryTest::unreadableFileGivesEmptyList() {
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
    KeyHistory history;
    history.setEntries({QStringLiteral("old")});
    QVERIFY(!history.LoadKeyHistory(path(name)));
    QVERIFY(history.entries().isEmpty());
}

void KeyHistoryTest::loadsLinesAndSavesThemBack() {
    const QString file = path(QStringLiteral("roundtrip.txt"));
    const QByteArray text("sh/dx\n\ntalk\n");
    QVERIFY(writeFile(file, text));
    KeyHistory history;
    QVERIFY(history.LoadKeyHistory(file));
    QCOMPARE(history.entries(),
             QStringList({QStringLiteral("sh/dx"), QString(), QStringLiteral("talk")}));
    QVERIFY(QFile::remove(file));
    QVERIFY(history.SaveKeyHistory(file));
    QCOMPARE(readFile(file), text);
}

void KeyHistoryTest::loadsLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("entries");
    const QString shdx = QStringLiteral("sh/dx");
    const QString talk = QStringLiteral("talk");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("one empty line") << QByteArray("\n") << QStringList({QString()});
    QTest::newRow("CR LF") << QByteArray("sh/dx\r\n\r\ntalk\r\n")
                           << QStringList({shdx, QString(), talk});
    QTest::newRow("no final line end") << QByteArray("sh/dx\ntalk") << QStringList({shdx, talk});
    QTest::newRow("blanks around")
        << QByteArray("  sh/dx \t\ntalk   \r\n") << QStringList({shdx, talk});
    QTest::newRow("inner blanks kept")
        << QByteArray("sh/dx  20\n") << QStringList({QStringLiteral("sh/dx  20")});
    QTest::newRow("UTF-8") << QByteArray("talk xx1aa \xe3\x81\x93\xe3\x82\x93\n")
                           << QStringList({QString::fromUtf16(u"talk xx1aa こん")});
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbfsh/dx\n") << QStringList({shdx});
}

void KeyHistoryTest::loadsLines() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, entries);
    const QString file = path(QStringLiteral("lines.txt"));
    QVERIFY(writeFile(file, text));
    KeyHistory history;
    QVERIFY(history.LoadKeyHistory(file));
    QCOMPARE(history.entries(), entries);
}

void KeyHistoryTest::longLineBecomesSeveralEntries_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QList<int>>("lengths");
    QTest::newRow("3000") << QString(3000, u'a') << QList<int>{1023, 1023, 954};
    QTest::newRow("exactly 1023") << QString(1023, u'a') << QList<int>{1023};
    QTest::newRow("1024") << QString(1024, u'a') << QList<int>{1023, 1};
    QTest::newRow("1023 and CR LF")
        << QString(1023, u'a') + QStringLiteral("\r") << QList<int>{1023};
    // A character outside the BMP takes two code units and is never cut in two.
    QTest::newRow("surrogate pair at the cut")
        << QString(1022, u'a') + QString::fromUtf16(u"\U0001F600b") << QList<int>{1022, 3};
}

void KeyHistoryTest::longLineBecomesSeveralEntries() {
    QFETCH(QString, line);
    QFETCH(QList<int>, lengths);
    const QString file = path(QStringLiteral("long.txt"));
    QVERIFY(writeFile(file, line.toUtf8() + "\n"));
    KeyHistory history;
    QVERIFY(history.LoadKeyHistory(file));
    QList<int> loaded;
    for (const QString& entry : history.entries())
        loaded.append(int(entry.size()));
    QCOMPARE(loaded, lengths);
    QCOMPARE(history.entries().join(QString()), line.trimmed());
}

void KeyHistoryTest::addKeepsNewest_data() {
    QTest::addColumn<int>("adds");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("1") << 1 << numbered(1, 1);
    QTest::newRow("20") << 20 << reversed(numbered(1, 20));
    QTest::newRow("21") << 21 << reversed(numbered(1, 21));
    QTest::newRow("22") << 22 << reversed(numbered(2, 22));
    QTest::newRow("25") << 25 << reversed(numbered(5, 25));
    QTest::newRow("30") << 30 << reversed(numbered(10, 30));
}

void KeyHistoryTest::addKeepsNewest() {
    QFETCH(int, adds);
    QFETCH(QStringList, entries);
    KeyHistory history;
    for (const QString& line : numbered(1, adds))
        history.Add(line);
    QCOMPARE(history.entries(), entries);
}

void KeyHistoryTest::addKeepsEmptyAndRepeatedLines() {
    KeyHistory history;
    history.Add(QStringLiteral("sh/dx"));
    history.Add(QString());
    history.Add(QStringLiteral("sh/dx"));
    QCOMPARE(history.entries(),
             QStringList({QStringLiteral("sh/dx"), QString(), QStringLiteral("sh/dx")}));
}

void KeyHistoryTest::longLoadedListKeepsItsLength() {
    const QString file = path(QStringLiteral("fifty.txt"));
    QVERIFY(writeFile(file, fileText(numbered(1, 50))));
    KeyHistory history;
    QVERIFY(history.LoadKeyHistory(file));
    QCOMPARE(history.entries().size(), 50);
    history.Add(QStringLiteral("new"));
    QCOMPARE(history.entries(), QStringList{QStringLiteral("new")} + numbered(1, 49));
}

void KeyHistoryTest::savesNewestFirst() {
    const QString file = path(QStringLiteral("newest.txt"));
    KeyHistory history;
    for (const QString& line : numbered(1, 30))
        history.Add(line);
    QVERIFY(history.SaveKeyHistory(file));
    QCOMPARE(readFile(file), fileText(reversed(numbered(10, 30))));
    KeyHistory reloaded;
    QVERIFY(reloaded.LoadKeyHistory(file));
    QCOMPARE(reloaded.entries(), history.entries());
}

void KeyHistoryTest::saveDropsTrailingBlanks() {
    const QString file = path(QStringLiteral("trailing.txt"));
    KeyHistory history;
    // A line break inside an entry must not make two lines of it.
    history.setEntries({QStringLiteral("  sh/dx \t"), QStringLiteral("   "),
                        QStringLiteral("a\r\nb"), QString::fromUtf16(u"こん ")});
    QVERIFY(history.SaveKeyHistory(file));
    QCOMPARE(readFile(file), QByteArray("  sh/dx\n\na  b\n\xe3\x81\x93\xe3\x82\x93\n"));
}

void KeyHistoryTest::saveCreatesFolder() {
    const QString file = path(QStringLiteral("new/folder/KestrelKey.txt"));
    KeyHistory history;
    history.Add(QStringLiteral("sh/dx"));
    QVERIFY(history.SaveKeyHistory(file));
    QCOMPARE(readFile(file), QByteArray("sh/dx\n"));
}

void KeyHistoryTest::saveIntoReadOnlyFolderKeepsOldFile() {
    const QString folder = path(QStringLiteral("readonly"));
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/KestrelKey.txt");
    QVERIFY(writeFile(file, "old\n"));
    const ReadOnlyFolder readOnly(folder);
    if (!readOnly.holds())
        QSKIP("this user writes into read-only folders; saveOnFullDiskKeepsOldFile covers it");
    KeyHistory history;
    history.Add(QStringLiteral("new"));
    QVERIFY(!history.SaveKeyHistory(file));
    QCOMPARE(readFile(file), QByteArray("old\n"));
}

void KeyHistoryTest::saveOnFullDiskKeepsOldFile() {
    const QString file = path(QStringLiteral("full.txt"));
    QVERIFY(writeFile(file, "old\n"));
    KeyHistory history;
    history.setEntries(QStringList(100, QString(1000, u'x')));
    {
        const FileSizeLimit limit(4096);
        QVERIFY(limit.isActive());
        QVERIFY(!history.SaveKeyHistory(file));
    }
    QCOMPARE(readFile(file), QByteArray("old\n"));
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("full.txt*")}, QDir::Files),
             QStringList{QStringLiteral("full.txt")});
}

void KeyHistoryTest::saveFailsWhenFolderCannotBeCreated() {
    const QString blocker = path(QStringLiteral("blocker"));
    QVERIFY(writeFile(blocker, "a file, not a folder\n"));
    KeyHistory history;
    history.Add(QStringLiteral("sh/dx"));
    QVERIFY(!history.SaveKeyHistory(blocker + QStringLiteral("/KestrelKey.txt")));
    QCOMPARE(readFile(blocker), QByteArray("a file, not a folder\n"));
}

void KeyHistoryTest::failureMessage() {
    QCOMPARE(QString(SendTexts::CantCreateKeyHistory),
             QStringLiteral("Can't create key history file"));
}

QTEST_GUILESS_MAIN(KeyHistoryTest)
#include "tst_keyhistory.moc"
