#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "send/KeyHistory.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

constexpr int ShiftJis = 128;

class KeyHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void loadsLinesAndSavesThemBack_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("codec"); // of the saved file
        QTest::addColumn<int>("charset");      // FONT CHARSET
        const auto row = [](const char* name, const QByteArray& text, const QStringList& entries,
                            const char* codec = "UTF-8", int charset = ShiftJis) {
            QTest::newRow(name) << text << entries << QByteArray(codec) << charset;
        };
        row("CR LF, empty line, no final line end", "sh/dx\r\n\r\ntalk",
            {u"sh/dx"_s, {}, u"talk"_s});
        row("blanks around lost, inner kept", "  sh/dx  20 \t\ntalk   \r\n",
            {u"sh/dx  20"_s, u"talk"_s});
        row("UTF-8 with byte order mark keeps it", "\xef\xbb\xbftalk \xe3\x81\x93\xe3\x82\x93\n",
            {u"talk こん"_s});
        row("Shift-JIS stays Shift-JIS", "\x93\x8c\x8b\x9e JA1 node\nsh/dx\n",
            {u"東京 JA1 node"_s, u"sh/dx"_s}, "Shift_JIS");
        // Code-page text that begins with the bytes of a byte order mark once the blank in
        // front of it is gone (found by the key history fuzzer): saved as UTF-8, so the
        // next load does not take those bytes for the mark.
        row("Windows-1252 beginning as a byte order mark", "\x1e\xef\xbb\xbf\xbf\n",
            {u"\u00ef\u00bb\u00bf\u00bf"_s}, "UTF-8", 0);
        // A character outside the BMP takes two code units and is never cut in two.
        const QString a1022(1022, u'a');
        row("long line cut, not between a surrogate pair", (a1022 + u"\U0001F600b"_s).toUtf8(),
            {a1022, u"\U0001F600b"_s});
    }

    // Saving writes each entry as a line, so a file of such lines comes back unchanged.
    void loadsLinesAndSavesThemBack() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, codec);
        QFETCH(int, charset);
        const QString file = path(u"lines.txt"_s);
        QVERIFY(writeFile(file, text));
        KeyHistory history;
        QVERIFY(history.LoadKeyHistory(file, charset));
        QCOMPARE(history.entries(), entries);
        QVERIFY(QFile::remove(file));
        QVERIFY(history.SaveKeyHistory(file));
        const auto bom = text.startsWith("\xef\xbb\xbf") ? QStringConverter::Flag::WriteBom
                                                         : QStringConverter::Flag::Default;
        QCOMPARE(readFile(file),
                 QStringEncoder(codec.constData(), bom).encode(entries.join(u'\n') + u'\n'));
    }

    // A list longer than 21 lines read from the file keeps its length: each new line drops
    // an old one. (The window's test keeps 21 of the lines sent.)
    void longerListKeepsItsLength() {
        KeyHistory history;
        history.setEntries(QStringList(50, u"old"_s));
        history.Add(u"new"_s);
        QCOMPARE(history.entries().size(), 50);
        QCOMPARE(history.entries().first(), u"new"_s);
    }

    void unreadableFileIsNeverReplaced_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing, in a missing folder") << u"missing"_s;
        QTest::newRow("too large") << u"large"_s;
    }

    // Either loads as empty; only the missing file is written. Trailing blanks go, and a line
    // break inside an entry must not make two lines of it.
    void unreadableFileIsNeverReplaced() {
        QFETCH(QString, kind);
        const QString file = path(kind + u"/KestrelKey.txt"_s);
        const QByteArray large = "sh/dx\n" + QByteArray(MaxStoredFileBytes, 'x');
        if (kind == u"large")
            QVERIFY(QDir().mkpath(path(kind)) && writeFile(file, large));
        KeyHistory history;
        history.setEntries({u"old"_s});
        QVERIFY(!history.LoadKeyHistory(file, ShiftJis));
        QVERIFY(history.entries().isEmpty());
        history.Add(u"  a\r\nb \t"_s);
        QCOMPARE(history.SaveKeyHistory(file), kind == u"missing");
        QCOMPARE(readFile(file), kind == u"missing" ? "  a  b\n"_ba : large);
    }

    void saveOnFullDiskKeepsOldFile() {
        const QString file = path(u"full.txt"_s);
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
    }

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

QTEST_GUILESS_MAIN(KeyHistoryTest)
#include "tst_keyhistory.moc"
