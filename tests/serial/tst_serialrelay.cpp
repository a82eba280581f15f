// The serial relay between real parts: the test node over 127.0.0.1, the session as the
// main window wires it, and a pseudo-terminal pair from socat, one end the relay's port,
// the other the terminal on the serial side.

#include "TestNode.h"
#include "net/NetTexts.h"
#include "net/NodeConnection.h"
#include "net/Session.h"
#include "screen/ScreenBuffer.h"
#include "serial/SerialOutbox.h"
#include "serial/SerialRelay.h"
#include "serial/SerialTexts.h"
#include "settings/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Rs232cSettings)

namespace {

// Two linked pseudo-terminals: what is written to one end is read at the other.
struct PtyPair {
    QString port, terminal;
    QProcess socat;

    ~PtyPair() {
        socat.terminate();
        socat.waitForFinished();
    }

    bool start() {
        socat.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + port,
                                              QStringLiteral("pty,raw,echo=0,link=") + terminal});
        return socat.waitForStarted() && QTest::qWaitFor([this] {
                   return QFileInfo::exists(port) && QFileInfo::exists(terminal);
               });
    }
};

// The session's side as the main window wires it.
struct Client {
    ScreenBuffer screen;
    LinePipeline pipeline;
    NodeConnection connection{screen};
    SettingsFile settings;
    Session session{connection, screen, settings};
    Rs232cSettings rs232c;
    QStringList messages;

    explicit Client(const QString& ini)
        : settings(ini) {
        screen.setPipeline(&pipeline);
        installSerialRelay(
            session, pipeline, [this] { return rs232c; }, settings);
        session.messages().setPresenter([this](const QString& text) { messages << text; });
    }
    void connectTo(const TestNode& node, bool linked) {
        const QString port = QString::number(node.port());
        connection.StartConnection(
            NodeEntry{QStringLiteral("127.0.0.1"), port, QString(), false, true, linked, 2});
    }
};

} // namespace

class SerialRelayTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_client.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_ptys = std::make_unique<PtyPair>();
        m_ptys->port = m_dir->filePath(QStringLiteral("port"));
        m_ptys->terminal = m_dir->filePath(QStringLiteral("terminal"));
        QVERIFY(m_ptys->start());
        QFile ini(m_dir->filePath(QStringLiteral("Kestrel.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[RS232C]\r\nDEVICE2= " + m_ptys->port.toUtf8() + "\r\n");
        m_node = std::make_unique<TestNode>();
        QVERIFY(m_node->listen());
        m_client = std::make_unique<Client>(ini.fileName());
        m_terminal = std::make_unique<QSerialPort>(m_ptys->terminal);
        QVERIFY(m_terminal->open(QIODevice::ReadWrite));
        m_received.clear();
        connect(m_terminal.get(), &QSerialPort::readyRead, this,
                [this] { m_received += m_terminal->readAll(); });
    }

    // At the disconnect, the notice comes twice: as the terminal shows it, then with CR LF.
    void nodeStreamAndNoticesArriveAsSent() {
        connectLinked();
        const QByteArray stream =
            "login: DX de JA1ABC:     14025.0  W1AW  cq\r\n\xb1\xb2\r\nCR\rLF\n";
        m_node->sendRaw(stream.sliced(7));
        QTRY_COMPARE(m_received, stream);
        m_node->dropClient(0);
        QTRY_COMPARE(m_received, stream + NetTexts::DisconnectedBanner.latin1() +
                                     NetTexts::DisconnectedNotice.latin1());
    }

    void serialInputReachesNode_data() {
        QTest::addColumn<Rs232cSettings>("line");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("atNode");
        QTest::newRow("LINK_CRLF, two CRs")
            << Rs232cSettings() << QByteArray("ab\rcd\r") << QByteArray("ab\r\ncd\r\n");
        QTest::newRow("no LINK_CRLF, CTS/RTS, 2 stop bits")
            << Rs232cSettings{6, 1, 2, 1, 1, false} << QByteArray("ab\rcd\r")
            << QByteArray("ab\rcd\r");
        QTest::newRow("NUL, CTS/DTR, 1.5 stop bits")
            << Rs232cSettings{0, 1, 1, 0, 2, true} << QByteArray("a\0b\r", 4)
            << QByteArray("a\0b\r\n", 5);
    }
    void serialInputReachesNode() {
        QFETCH(Rs232cSettings, line);
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, atNode);
        m_client->rs232c = line;
        connectLinked();
        m_terminal->write(typed);
        QTRY_VERIFY(m_node->receivedFrom(0).endsWith(atNode));
    }

    // What the terminal gets first is the linked session that follows.
    void unlinkedNodeLeavesPortAlone() {
        m_client->connectTo(*m_node, false);
        QTRY_COMPARE(m_client->screen.GetCurrentLine(), QByteArray("login: "));
        m_client->connection.close();
        connectLinked();
        m_node->sendRaw("linked");
        QTRY_VERIFY(m_received.endsWith("linked"));
        QCOMPARE(m_received, QByteArray("login: linked"));
    }

    // A root process is not refused by the terminal's exclusive mode, but by the lock file.
    void busyPortIsReportedAndSessionGoesOn() {
        QSerialPort holder(m_ptys->port);
        QVERIFY(holder.open(QIODevice::ReadWrite));
        m_client->connectTo(*m_node, true);
        QTRY_COMPARE(m_client->messages, QStringList(SerialTexts::UnableToOpen + m_ptys->port));
        sessionStillWorks();
    }

    // Once the device is back, another program can open it.
    void vanishedPortIsLetGoAndSessionGoesOn() {
        connectLinked();
        m_ptys->socat.terminate();
        QVERIFY(m_ptys->socat.waitForFinished());
        m_node->sendRaw("after the port went");
        QTRY_COMPARE(m_client->screen.GetCurrentLine(), QByteArray("login: after the port went"));
        QVERIFY(m_ptys->start());
        QSerialPort port(m_ptys->port);
        QTRY_VERIFY(port.isOpen() || port.open(QIODevice::ReadWrite));
        sessionStillWorks();
        QVERIFY(m_client->messages.isEmpty());
    }

    void slowPortDropsWhatItCannotTake() {
        SerialOutbox outbox;
        outbox.setBytesInPort(SerialOutbox::Limit + 1);
        outbox.put("ab");
        QCOMPARE(outbox.droppedBytes(), 2);
    }

private:
    void connectLinked() {
        m_client->connectTo(*m_node, true);
        QTRY_COMPARE(m_received, QByteArray("login: "));
    }

    void sessionStillWorks() {
        m_client->connection.sender().GuardedSend("M0TST\r\n");
        QTRY_COMPARE(m_node->loginCall(0), QByteArray("M0TST"));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PtyPair> m_ptys;
    std::unique_ptr<TestNode> m_node;
    std::unique_ptr<Client> m_client;
    std::unique_ptr<QSerialPort> m_terminal;
    QByteArray m_received; // at the terminal
};

QTEST_GUILESS_MAIN(SerialRelayTest)
#include "tst_serialrelay.moc"
