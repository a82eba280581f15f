// The Send File window against the test node over 127.0.0.1: the file chosen in the
// open dialog arrives at the node byte for byte, paused at a marker until Continue. The
// uploader behind it is also driven synchronously, for where it cuts and stops.

#include "ModalDriver.h"
#include "TestFiles.h"
#include "TestNode.h"
#include "files/FileFolders.h"
#include "files/TfSendFile.h"
#include "files/UploadHost.h"
#include "files/UploadLineReader.h"
#include "files/Uploader.h"
#include "net/GuardedSender.h"
#include "net/NodeConnection.h"
#include "screen/ScreenBuffer.h"
#include "send/LineSender.h"
#include "settings/SettingsFile.h"

#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {
// Notes sends and pauses (as "||") in order. Its backlog drains by DrainStep on each
// wait; Abort comes after abortAfter sends.
struct ScriptedHost : UploadHost {
    static constexpr qint64 DrainStep = 40000;
    QList<QByteArray> events;
    qint64 backlog = 3 * DrainStep; // a node that reads slowly at first
    qint64 worstBacklogAtSend = 0;
    int lastPercent = -1;
    qsizetype abortAfter = -1;
    bool finished = false;

    bool sendLine(const QByteArray& line) override {
        worstBacklogAtSend = qMax(worstBacklogAtSend, backlog);
        events.append(line);
        return true;
    }
    qint64 unsentBytes() const override { return backlog; }
    void waitAWhile() override { backlog = qMax<qint64>(0, backlog - DrainStep); }
    bool waitForContinue() override {
        events.append("||");
        return true;
    }
    bool isAborted() const override { return events.size() == abortAfter; }
    void showProgress(int percent) override { lastPercent = percent; }
    void reportCannotOpen(const QString&) override {}
    void finish(const QString&) override { finished = true; }
};
} // namespace

class SendFileTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_node = std::make_unique<TestNode>();
        m_node->setNegotiation({}); // the node then gets exactly what is uploaded
        QVERIFY(m_node->listen());
        m_screen = std::make_unique<ScreenBuffer>();
        m_connection = std::make_unique<NodeConnection>(*m_screen);
        m_echo = std::make_unique<LineSender>(m_connection->sender(), *m_screen);
        m_settings = std::make_unique<SettingsFile>(m_dir.filePath(QStringLiteral("Kestrel.ini")));
        m_window = std::make_unique<TfSendFile>(*m_connection, *m_echo, *m_screen, *m_settings);
        m_window->setModal(false); // only the open dialog is left to the driver
    }
    void cleanup() {
        m_window.reset();
        m_connection.reset();
    }

    void uploads_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("echo");
        QTest::addColumn<QByteArray>("button"); // pressed at the marker; none: not connected
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("text"); // shown in the terminal linesWithText times
        QTest::addColumn<int>("linesWithText");
        const QByteArray marked("one\r\n/**/\r\nthree\r\n");
        QTest::newRow("Continue sends the rest, echoed")
            << marked << true << QByteArray("bContinue") << QByteArray("one\nthree\n")
            << QByteArray("three") << 1;
        QTest::newRow("Abort ends at once, no echo")
            << marked << false << QByteArray("bAbort") << QByteArray("one\n") << QByteArray("one")
            << 0;
        QTest::newRow("not connected: one send error, even past a marker")
            << QByteArray("line\n").repeated(100) + "/**/\nline\n"
            << true << QByteArray() << QByteArray() << QByteArray("** socket send error **") << 1;
    }

    void uploads() {
        QFETCH(QByteArray, button);
        const bool connected = !button.isEmpty();
        QFETCH(bool, echo);
        m_echo->setConnection(echo, true);
        QVERIFY(!connected || connectToNode());
        QFETCH(QByteArray, file);
        const QString path = upload(file);
        // A screen reader names the bar after the file: the window's caption is a blank.
        QTRY_COMPARE(progressBar()->accessibleName(), QStringLiteral("file.txt"));
        if (connected) {
            QTRY_VERIFY(this->button("bContinue")->isEnabled());
            QTRY_COMPARE(m_node->receivedFrom(0), QByteArray("one\n"));
            this->button(button)->click();
        }
        QTRY_VERIFY(!m_window->isVisible());
        QFETCH(QByteArray, sent);
        QTRY_COMPARE(m_node->receivedFrom(0), sent);
        QCOMPARE(m_settings->load<UploadFolder>().dir, QFileInfo(path).absolutePath());
        QList<QByteArray> lines;
        m_screen->GetNewestLines(ScreenBuffer::LineCount, lines);
        QFETCH(QByteArray, text);
        QFETCH(int, linesWithText);
        QCOMPARE(std::count_if(lines.cbegin(), lines.cend(),
                               [&text](const QByteArray& line) { return line.startsWith(text); }),
                 linesWithText);
    }

    // A node that stops reading: the upload keeps at most 64 KiB of its lines unsent, what
    // the system holds for the node included, and the window stays; Abort ends it, and the
    // node never gets the rest.
    void uploadKeepsPaceWithNodeThatStopsReading() {
        QVERIFY(m_node->setReceiveBufferSize(8 * 1024));
        QVERIFY(connectToNode());
        m_node->setReading(0, false);
        QByteArray file;
        for (int line = 0; file.size() < 660 * 1000; ++line)
            file += QByteArray::number(line).rightJustified(60, '.') + '\n';
        upload(file);
        const GuardedSender& sender = m_connection->sender();
        QTRY_VERIFY_WITH_TIMEOUT(sender.pendingBytes() > Uploader::MaxUnsent - 1024, 20000);
        QVERIFY(sender.pendingBytes() <= Uploader::MaxUnsent + UploadLineReader::MaxPiece);
        QVERIFY(m_window->isVisible());
        QVERIFY(progressBar()->value() < 100);
        button("bAbort")->click();
        QTRY_VERIFY(!m_window->isVisible());
        m_node->setReading(0, true);
        QTRY_COMPARE(sender.pendingBytes(), 0);
        QTRY_VERIFY(m_node->receivedFrom(0).size() > 0);
        QVERIFY(m_node->receivedFrom(0).size() < file.size() / 2);
    }

    // A named pipe is not a file to send: refused at once, as a file that cannot be opened.
    void namedPipeIsRefused() {
        const QString pipe = m_dir.filePath(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        choose(pipe);
        m_driver.thenAnswerMessage();
        m_driver.thenAnswerMessage();
        m_window->showForUpload();
        QTRY_VERIFY(m_driver.allStepsTaken());
        QTRY_COMPARE(m_driver.messages(),
                     QStringList({QStringLiteral("Unable to open ") + pipe,
                                  QStringLiteral("Unable to open UpLoad file ") + pipe}));
    }

    // Only the menu's request asks for a file: the window shown again otherwise (restored
    // from minimised, say) asks for nothing.
    void shownAgainAsksForNothing() {
        m_window->show();
        QCoreApplication::processEvents();
        QVERIFY(m_driver.unexpected().isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void sendsLargeFileWhole() {
        QByteArray file;
        for (int line = 0; file.size() < 10 * 1024 * 1024; ++line)
            file += QByteArray::number(line).rightJustified(200, '.') + '\n';
        QVERIFY(connectToNode());
        upload(file);
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 100000);
        QTRY_COMPARE_WITH_TIMEOUT(m_node->receivedFrom(0).size(), file.size(), 20000);
        QVERIFY(m_node->receivedFrom(0) == file);
        QCOMPARE(progressBar()->value(), 100);
    }

    void uploaderSendsLines_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("abortAfter");
        QTest::addColumn<QList<QByteArray>>("expected");
        using L = QList<QByteArray>;
        const QByteArray piece(254, 'x');
        QTest::newRow("marker waits for Continue, CR LF goes as LF")
            << QByteArray("one\r\n/**/\r\nb\rc\r\n") << -1 << L{"one\n", "||", "b\rc\n"};
        QTest::newRow("marker with spaces or without line end is text")
            << QByteArray(" /**/\n/**/ \nx/**/\n/**/") << -1
            << L{" /**/\n", "/**/ \n", "x/**/\n", "/**/"};
        QTest::newRow("long line in pieces") << piece + "yz\n" << -1 << L{piece, "yz\n"};
        QTest::newRow("Abort mid-file") << QByteArray("1\n2\n3\n4\n") << 2 << L{"1\n", "2\n"};
        QTest::newRow("empty file") << QByteArray() << -1 << L{};
    }
    void uploaderSendsLines() {
        QFETCH(QByteArray, file);
        const QString path = m_dir.filePath(QStringLiteral("up.txt"));
        QVERIFY(writeFile(path, file));
        ScriptedHost host;
        QFETCH(int, abortAfter);
        host.abortAfter = abortAfter;
        Uploader(host).run(path);
        QTEST(host.events, "expected");
        QVERIFY(host.finished);
        QVERIFY(host.worstBacklogAtSend <= Uploader::MaxUnsent);
        QCOMPARE(host.lastPercent == 100, abortAfter < 0 && !file.isEmpty());
    }

private:
    // Writes the file and sends it, choosing it in the open dialog.
    QString upload(const QByteArray& bytes) {
        QDir(m_dir.path()).mkpath(QStringLiteral("up"));
        const QString path = m_dir.filePath(QStringLiteral("up/file.txt"));
        if (!writeFile(path, bytes))
            return {};
        choose(path);
        m_window->showForUpload();
        return path;
    }
    // The file the operator picks in the coming open dialog.
    void choose(const QString& path) {
        m_driver.then([path](QWidget* dialog) {
            qobject_cast<QFileDialog*>(dialog)->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }
    bool connectToNode() {
        NodeEntry node;
        node.address = QStringLiteral("127.0.0.1");
        node.port = QString::number(m_node->port());
        return m_connection->StartConnection(node) == NodeConnection::Started &&
               QTest::qWaitFor([this] { return m_connection->isConnected(); });
    }
    QProgressBar* progressBar() {
        return m_window->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    }
    QPushButton* button(const QByteArray& name) {
        return m_window->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    QTemporaryDir m_dir;
    ModalDriver m_driver;
    std::unique_ptr<TestNode> m_node;
    std::unique_ptr<ScreenBuffer> m_screen;
    std::unique_ptr<NodeConnection> m_connection;
    std::unique_ptr<LineSender> m_echo;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<TfSendFile> m_window;
};

QTEST_MAIN(SendFileTest)
#include "tst_sendfile.moc"
