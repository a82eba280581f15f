// The scroll-buffer file as the operator relies on it: the terminal's lines come back at
// the next connection, a bad file changes nothing and says why, and the file stays in
// the settings folder. Real files in a temporary folder, a real node on 127.0.0.1.

#include "RecordedSounds.h"
#include "TestFiles.h"
#include "TestNode.h"
#include "app/ClientCore.h"
#include "base/AtomicWrite.h"
#include "base/SettingsFolder.h"
#include "files/ScrollBufferFile.h"
#include "net/NetTexts.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

constexpr qsizetype FileBytes = 640016;

QByteArray fileBytes(qint32 lineCount, qint32 index, qsizetype size, char fill = '\0') {
    QByteArray bytes(size, fill);
    qToLittleEndian(lineCount, bytes.data());
    qToLittleEndian(index, bytes.data() + 4);
    return bytes;
}

} // namespace

class ScrollBufferFileTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(QDir(m_folder).removeRecursively());
        m_screen.Clear();
        m_select = FixedFile;
        m_shown.clear();
        m_messages.setPresenter([this](const QString& text) { m_shown << text; });
        m_file = std::make_unique<ScrollBufferFile>(
            m_screen, m_messages, [this] { return m_select; }, m_folder);
    }

    // Every slot comes back, in the settings folder under a safe name. Also: a reader following
    // sequence numbers (a script waiting for a line, say) takes neither the old lines nor the
    // loaded ones for newly received ones.
    void savedFileRestoresEverySlot() {
        ScreenCursor reader;           // reads none of the lines put here
        for (int i = 0; i < 6000; ++i) // wrapped, so every slot holds a line
            m_screen.PutString(QByteArray("line ") + QByteArray::number(i) + '\n');
        m_screen.PutString(QByteArrayLiteral("under construction"));
        const QString host = QStringLiteral("../dxc.example-1.org:7300");
        m_select = NoFile;
        m_file->save(host);
        QVERIFY(!QDir(m_folder).exists());
        m_select = FilePerNode;
        m_file->save(host);
        const QString fileName = QStringLiteral(".._dxc.example-1.org_7300.buf");
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList{fileName});
        const QString path = m_folder + QLatin1Char('/') + fileName;
        const QByteArray saved = readFile(path);
        QCOMPARE(saved.size(), FileBytes);
        QCOMPARE(saved.first(16), fileBytes(5000, 1000, 16));

        ScreenBuffer empty;
        QCOMPARE(LoadBuffer(empty, path), ScrollFileResult::Done);
        QCOMPARE(empty.currentIndex(), 1000);
        QVERIFY(empty.exportRing().slotData == m_screen.exportRing().slotData);
        QCOMPARE(LoadBuffer(m_screen, path), ScrollFileResult::Done);
        QVERIFY(m_screen.ReadSince(reader).lines.isEmpty());
    }

    // A bad file changes nothing and says why; bytes after the records are left alone.
    void badFileLeavesTheBuffer_data() {
        QTest::addColumn<int>("select");
        QTest::addColumn<QByteArray>("file"); // null for none
        QTest::addColumn<QString>("message"); // followed by the path
        QTest::addColumn<QList<QByteArray>>("newest");
        const QList<QByteArray> kept{"", "", "", "par", "two", "one"};
        const QString header = QStringLiteral("read error  ");
        QTest::newRow("missing") << 0 << QByteArray() << QString() << kept;
        QTest::newRow("short") << 0 << fileBytes(5000, 0, 15) << header << kept;
        QTest::newRow("count 4999") << 0 << fileBytes(4999, 0, FileBytes) << header << kept;
        QTest::newRow("index 5000") << 0 << fileBytes(5000, 5000, FileBytes) << header << kept;
        QTest::newRow("index -1") << 0 << fileBytes(5000, -1, FileBytes) << header << kept;
        // Slots without zeros too: each line ends one byte before its slot does.
        QTest::newRow("bytes after the records")
            << 0 << fileBytes(5000, 0, FileBytes + 100, 'A') << QString()
            << QList<QByteArray>{"", "", "", QByteArray(127, 'A')};
        QTest::newRow("cut") << 0 << fileBytes(5000, 0, FileBytes - 1)
                             << QStringLiteral("Read error ") << kept;
        QTest::newRow("not used") << 2 << fileBytes(5000, 0, 15) << QString()
                                  << QList<QByteArray>{"par", "two", "one"};
    }
    void badFileLeavesTheBuffer() {
        QFETCH(int, select);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        m_screen.PutString(QByteArrayLiteral("one\ntwo\npar"));
        const QString path = m_folder + QStringLiteral("/Kestrel.Buf");
        QVERIFY(QDir().mkpath(m_folder) && (file.isNull() || writeFileAtomically(path, file)));
        m_select = select;
        m_file->restore(QStringLiteral("node"));
        QList<QByteArray> lines;
        m_screen.GetNewestLines(6, lines);
        QTEST(lines, "newest");
        m_messages.post(QStringLiteral("end")); // shown after what the restore posted
        QTRY_VERIFY(m_shown.contains(QStringLiteral("end")));
        QCOMPARE(m_shown.first(), message.isEmpty() ? QStringLiteral("end") : message + path);
    }

    void linesComeBackAtTheNextConnection() {
        TestNode node;
        QVERIFY(node.listen());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        const QString path = kestrelSettingsFolder() + QStringLiteral("/Kestrel.Buf");
        const NodeEntry entry{QStringLiteral("127.0.0.1"), QString::number(node.port()), {}};
        ScriptHook noScript;
        const auto run = [&] {
            auto core = std::make_unique<ClientCore>(std::make_unique<RecordedSounds>());
            core->wire(
                {noScript, {}, {}, {}, {}, [this](const QString& text) { m_shown << text; }});
            core->environment().scrollFileSelect = FixedFile;
            return core;
        };
        {
            const auto first = run();
            QCOMPARE(first->startConnection(entry), 0);
            QTRY_COMPARE(node.connectedClients().size(), 1);
            node.sendLine("kept line");
            QTRY_COMPARE(first->screen().currentIndex(), 4); // after "\n\n\n" and "login: "
            first->connection().close(); // the file is saved once the disconnect is handled
            QTRY_COMPARE(QFileInfo(path).size(), FileBytes);
        }

        // The next run of the program: an empty terminal, the file not yet loaded.
        const auto next = run();
        QList<QByteArray> atConnect;
        connect(&next->session(), &Session::connected, this,
                [&] { next->screen().GetNewestLines(6, atConnect); });
        QCOMPARE(next->startConnection(entry), 0);
        const QByteArray banner = NetTexts::DisconnectedBanner.latin1();
        QTRY_COMPARE(atConnect,
                     (QList<QByteArray>{"", "", "", "", banner.chopped(1), "login: kept line"}));
        QVERIFY(m_shown.isEmpty());
    }

    // A connect to the file the terminal already holds keeps what it showed in between (the
    // disconnect's banner, say); another node's file replaces the lines, and a node without
    // a file yet starts from an empty terminal rather than keep another node's lines for it.
    void connectLoadsOnlyAnotherFile() {
        m_select = FilePerNode;
        const auto shows = [this](const QByteArray& line) {
            QList<QByteArray> lines;
            m_screen.GetNewestLines(ScreenBuffer::LineCount, lines);
            return lines.contains(line);
        };
        m_file->restore(QStringLiteral("a"));
        m_screen.PutString(QByteArrayLiteral("A1\n"));
        m_file->save(QStringLiteral("a"));
        m_screen.PutString(QByteArrayLiteral("banner\n"));
        m_file->restore(QStringLiteral("a"));
        QVERIFY(shows("A1") && shows("banner"));
        m_file->save(QStringLiteral("a"));
        m_file->restore(QStringLiteral("b"));
        QVERIFY(!shows("A1") && !shows("banner"));
        m_screen.PutString(QByteArrayLiteral("B1\n"));
        m_file->save(QStringLiteral("b"));
        QVERIFY(!readFile(m_folder + QStringLiteral("/b.buf")).contains("A1"));
        m_file->restore(QStringLiteral("a"));
        QVERIFY(shows("A1") && shows("banner") && !shows("B1"));
        QVERIFY(m_shown.isEmpty());
    }

private:
    QTemporaryDir m_dir;
    QString m_folder = m_dir.filePath(QStringLiteral("settings")); // made on the first save
    ScreenBuffer m_screen;
    OperatorMessages m_messages;
    int m_select = FixedFile;
    std::unique_ptr<ScrollBufferFile> m_file; // a program run's, anew for each test
    QStringList m_shown;
};

QTEST_GUILESS_MAIN(ScrollBufferFileTest)
#include "tst_scrollbufferfile.moc"
