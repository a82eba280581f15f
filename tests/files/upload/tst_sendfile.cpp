// The Send File window against the test node over 127.0.0.1: the file chosen in the
// open dialog arrives at the node byte for byte, paused at a marker until Continue.

#include "ModalDriver.h"
#include "TestNode.h"
#include "files/TfSendFile.h"
#include "net/NodeConnection.h"
#include "screen/ScreenBuffer.h"
#include "send/LineSender.h"
#include "settings/SettingsFile.h"

#include <QFileDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
qint64 residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
    return -1;
}
} // namespace

class SendFileTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pausesAtMarker_data();
    void pausesAtMarker();
    void echoesOrStopsAtFirstError_data();
    void echoesOrStopsAtFirstError();
    void sendsLargeFileWhole();

private:
    QString writeFile(const QByteArray& bytes);
    void chooseFile(const QString& path);
    bool connectToNode();
    QPushButton* button(const char* name) {
        return m_window->findChild<QPushButton*>(QLatin1StringView(name));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TestNode> m_node;
    std::unique_ptr<ScreenBuffer> m_screen;
    std::unique_ptr<NodeConnection> m_connection;
    std::unique_ptr<LineSender> m_echo;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<TfSendFile> m_window;
    std::unique_ptr<ModalDriver> m_driver;
};

void SendFileTest::init() {
    m_node = std::make_unique<TestNode>();
    m_node->setNegotiation({}); // the node then gets exactly what is uploaded
    QVERIFY(m_node->listen());
    m_screen = std::make_unique<ScreenBuffer>();
    m_connection = std::make_unique<NodeConnection>(*m_screen);
    m_echo = std::make_unique<LineSender>(m_connection->sender(), *m_screen);
    m_settings = std::make_unique<SettingsFile>(m_dir.filePath(QStringLiteral("Kestrel.ini")));
    m_window = std::make_unique<TfSendFile>(*m_connection, *m_echo, *m_screen, *m_settings);
    m_window->setModal(false); // only the open dialog is left to the driver
    m_driver = std::make_unique<ModalDriver>();
}

void SendFileTest::cleanup() {
    m_window.reset();
    m_connection.reset();
}

QString SendFileTest::writeFile(const QByteArray& bytes) {
    QDir(m_dir.path()).mkpath(QStringLiteral("up"));
    const QString path = m_dir.filePath(QStringLiteral("up/file.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void SendFileTest::chooseFile(const QString& path) {
    m_driver->then([path](QWidget* dialog) {
        auto* open = qobject_cast<QFileDialog*>(dialog);
        open->selectFile(path);
        QMetaObject::invokeMethod(open, "accept");
    });
    m_window->show();
}

bool SendFileTest::connectToNode() {
    NodeEntry node;
    node.address = QStringLiteral("127.0.0.1");
    node.port = QString::number(m_node->port());
    return m_connection->StartConnection(node) == NodeConnection::Started &&
           QTest::qWaitFor([this] { return m_connection->isConnected(); });
}

void SendFileTest::pausesAtMarker_data() {
    QTest::addColumn<bool>("pressContinue");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("Continue sends the rest") << true << QByteArray("one\nthree\n");
    QTest::newRow("Abort ends at once") << false << QByteArray("one\n");
}

void SendFileTest::pausesAtMarker() {
    QFETCH(bool, pressContinue);
    QFETCH(QByteArray, expected);
    QVERIFY(connectToNode());
    const QString path = writeFile("one\r\n/**/\r\nthree\r\n");
    chooseFile(path);

    QTRY_VERIFY(button("bContinue")->isEnabled());
    QTRY_COMPARE(m_node->receivedFrom(0), QByteArray("one\n"));
    QVERIFY(m_window->isVisible());
    button(pressContinue ? "bContinue" : "bAbort")->click();
    QTRY_VERIFY(!m_window->isVisible());
    QTRY_COMPARE(m_node->receivedFrom(0), expected);
    QCOMPARE(m_settings->LoadUploadDir(), QFileInfo(path).absolutePath());
}

void SendFileTest::echoesOrStopsAtFirstError_data() {
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("linesWithText");
    QTest::newRow("echo of each line") << true << QByteArray("second line") << 50;
    QTest::newRow("no echo") << true << QByteArray("second line") << 0;
    QTest::newRow("one send error") << false << QByteArray("** socket send error **") << 1;
}

void SendFileTest::echoesOrStopsAtFirstError() {
    QFETCH(bool, connected);
    QFETCH(QByteArray, text);
    QFETCH(int, linesWithText);
    m_echo->setConnection(linesWithText != 0, true);
    QVERIFY(!connected || connectToNode());
    chooseFile(writeFile(QByteArray("first line\nsecond line\n").repeated(50)));

    QTRY_VERIFY(!m_window->isVisible());
    QList<QByteArray> lines;
    m_screen->GetNewestLines(ScreenBuffer::LineCount, lines);
    QCOMPARE(std::count_if(lines.cbegin(), lines.cend(),
                           [&text](const QByteArray& line) { return line.startsWith(text); }),
             linesWithText);
}

void SendFileTest::sendsLargeFileWhole() {
    QByteArray file;
    for (int line = 0; file.size() < 10 * 1024 * 1024; ++line)
        file += QByteArray::number(line).rightJustified(200, '.') + '\n';
    QVERIFY(connectToNode());
    const qint64 residentBefore = residentKiB();
    chooseFile(writeFile(file));

    QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 100000);
    QTRY_COMPARE_WITH_TIMEOUT(m_node->receivedFrom(0).size(), file.size(), 20000);
    QVERIFY(m_node->receivedFrom(0) == file);
    QCOMPARE(m_window->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->value(), 100);
    qInfo("resident memory before %lld KiB, after %lld KiB", residentBefore, residentKiB());
}

QTEST_MAIN(SendFileTest)
#include "tst_sendfile.moc"
