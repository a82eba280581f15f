// The serial relay between real parts: the test node over 127.0.0.1, the session as the
// main window wires it, and a pseudo-terminal pair from socat, one end the relay's port,
// the other the terminal on the serial side.

#include "RecordedSounds.h"
#include "TestNode.h"
#include "app/ClientCore.h"
#include "net/NetTexts.h"
#include "serial/SerialOutbox.h"
#include "serial/SerialTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

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

// The program's core as the main window wires it, its settings in the folder the
// environment names.
struct Client {
    ClientCore core{std::make_unique<RecordedSounds>()};
    ScriptHook noScript;
    ScreenBuffer& screen = core.screen();
    NodeConnection& connection = core.connection();
    Rs232cSettings& rs232c = core.environment().rs232c;
    SerialRelay* relay = &core.serialRelay();
    QStringList messages;

    Client() {
        core.wire({noScript, {}, {}, {}, {}, [this](const QString& text) { messages << text; }});
    }
    void connectTo(const TestNode& node, bool linked) {
        const QString port = QString::number(node.port());
        core.startConnection(
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
        qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("kestrel")));
        QFile ini(SettingsFile::defaultPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[RS232C]\r\nDEVICE2= " + m_ptys->port.toUtf8() + "\r\n");
        m_node = std::make_unique<TestNode>();
        QVERIFY(m_node->listen());
        ini.close();
        m_client = std::make_unique<Client>();
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
        // "Send CR=CR+LF" changed during the session acts on the open port at once.
        m_client->relay->setLinkCrLf(!line.linkCrLf);
        m_terminal->write("z\r");
        QTRY_VERIFY(m_node->receivedFrom(0).endsWith(line.linkCrLf ? "z\r" : "z\r\n"));
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

    // Every byte reaches a terminal slower than the node or one that stops reading now and
    // then: the node is held back while too much waits, and what waits stays bounded.
    void burstArrivesWhole_data() {
        QTest::addColumn<int>("kilobytes");
        QTest::addColumn<int>("bytesPerTenth"); // the terminal reads at most this much a
                                                // tenth of a second (0: all it gets),
        QTest::addColumn<int>("stallMs");       // and stops for this long a second and a half
        QTest::addColumn<bool>("held");
        QTest::newRow("10 MB, a reader that stalls") << 10000 << 0 << 1500 << true;
        QTest::newRow("200 KB at 115200 baud") << 200 << 1150 << 0 << false;
    }
    void burstArrivesWhole() {
        QFETCH(int, kilobytes);
        QFETCH(int, bytesPerTenth);
        QFETCH(int, stallMs);
        QFETCH(bool, held);
        connectLinked();
        m_terminal->setReadBufferSize(bytesPerTenth > 0 ? bytesPerTenth : 64 * 1024);
        QByteArray burst;
        for (int line = 0; burst.size() < kilobytes * 1000; ++line)
            burst +=
                "DX de W1AW:     14025.0  JA1XYZ       line " + QByteArray::number(line) + "\r\n";
        QElapsedTimer sinceStart;
        sinceStart.start();
        const auto stalled = [&] {
            return stallMs > 0 && sinceStart.elapsed() % 1500 < stallMs / 2;
        };
        disconnect(m_terminal.get(), &QSerialPort::readyRead, this, nullptr);
        const auto read = [&] {
            if (!stalled()) // never as long as the port's 2 s
                m_received +=
                    bytesPerTenth > 0 ? m_terminal->read(bytesPerTenth) : m_terminal->readAll();
        };
        if (bytesPerTenth == 0)
            connect(m_terminal.get(), &QSerialPort::readyRead, this, read);
        qint64 mostWaiting = 0;
        bool sawHeld = false;
        QTimer tenth;
        connect(&tenth, &QTimer::timeout, this, [&] {
            mostWaiting = std::max(mostWaiting, m_client->relay->waitingBytes());
            sawHeld = sawHeld || m_client->relay->status() == SerialTexts::HoldingNode;
            read();
        });
        tenth.start(100);
        m_node->sendRaw(burst);
        QTRY_VERIFY_WITH_TIMEOUT(m_received.size() >= burst.size() + 7, 60000);
        QVERIFY(m_received == "login: " + burst);
        QCOMPARE(sawHeld, held);
        QVERIFY2(mostWaiting <= SerialOutbox::HoldBytes + NodeReceiver::SliceBytes + 65536,
                 QByteArray::number(mostWaiting).constData());
        QTRY_COMPARE(m_client->relay->status(), QString());
        QVERIFY(m_client->messages.isEmpty());
    }

    // A terminal that takes nothing for 2 s loses what waits; the status bar says how much,
    // and what the node sends later goes through again.
    void stalledPortLosesWhatWaitsAndSaysSo() {
        connectLinked();
        disconnect(m_terminal.get(), &QSerialPort::readyRead, this, nullptr);
        m_terminal->setReadBufferSize(1024);
        m_node->sendRaw(QByteArray(300 * 1000, 'x'));
        QTRY_VERIFY_WITH_TIMEOUT(m_client->relay->status().startsWith(u"RS232C: "_s), 10000);
        const QString lost = m_client->relay->status();
        QVERIFY2(QRegularExpression(u"^RS232C: [1-9][0-9]* bytes lost \\(the port took nothing "
                                    u"for 2 s\\)$"_s)
                     .match(lost)
                     .hasMatch(),
                 qPrintable(lost));
        m_received += m_terminal->readAll();
        connect(m_terminal.get(), &QSerialPort::readyRead, this,
                [this] { m_received += m_terminal->readAll(); });
        m_node->sendRaw("after");
        QTRY_VERIFY(m_received.endsWith("after"));
        QCOMPARE(m_client->relay->status(), lost);
        QVERIFY(m_client->messages.isEmpty());
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
