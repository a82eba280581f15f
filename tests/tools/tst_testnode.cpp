// The client's network tests talk to the test node, so it must send what a real DXSpider
// node sends: these tests hold it to real lines from tests/data, over real sockets.

#include "TestNode.h"

#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTimeZone>

#include <memory>

namespace {

constexpr int WaitMs = 5000;
const QByteArray CrLf = "\r\n";
const QByteArray LoginPrompt = "login: ";
const QByteArray DefaultNegotiation = "\xff\xfb\x01\xff\xfd\x18"; // WILL ECHO, DO TTYPE

QDateTime fixedTime() {
    return QDateTime(QDate(2026, 12, 6), QTime(9, 44), QTimeZone::utc());
}

// The node's prompt at fixedTime(), with its line end.
QByteArray prompt(const QByteArray& call) {
    return call + " de N0CALL-2  6-Dec-2026 0944Z dxspider >\r\n";
}

// A user's connection, gathering everything the node sends.
struct Client {
    QTcpSocket socket;
    QByteArray got;

    QByteArray& read() { return got += socket.readAll(); }
    bool waitForEnd(const QByteArray& end) {
        return QTest::qWaitFor([&] { return read().endsWith(end); }, WaitMs);
    }
    bool connectTo(quint16 port) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        return QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; },
                               WaitMs);
    }
    // Leaves nothing in `got` after the first prompt.
    bool logIn(quint16 port, const QByteArray& call) {
        if (!connectTo(port) || !waitForEnd(LoginPrompt))
            return false;
        socket.write(call + CrLf);
        const bool loggedIn = waitForEnd(prompt(call.toUpper()));
        got.clear();
        return loggedIn;
    }
};

QByteArray dataFile(const QString& name) {
    QFile file(QStringLiteral(KESTREL_TEST_DATA "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestTestNode : public QObject {
    Q_OBJECT

private slots:
    void init();
    void negotiatesThenGreetsAfterLogin_data();
    void negotiatesThenGreetsAfterLogin();
    void formatsRealLines_data();
    void formatsRealLines();
    void dxSpotIsBroadcastAndListed();
    void talkReachesCalledUserAndEchoes();
    void byeClosesConnection();
    void recordsRawClientBytesExactly();
    void holdModeDeliversPiecesSeparately();
    void floodSendsExactlyCountLines();
    void replaysNonCommentLinesOfFile_data();
    void replaysNonCommentLinesOfFile();
    void survivesJunkAndHugeLines();

private:
    std::unique_ptr<TestNode> m_node;
};

void TestTestNode::init() {
    m_node = std::make_unique<TestNode>();
    m_node->setClock(fixedTime);
    QVERIFY(m_node->listen());
}

void TestTestNode::negotiatesThenGreetsAfterLogin_data() {
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<QByteArray>("telnetAnswer");
    QTest::addColumn<QByteArray>("echo");
    QTest::newRow("CR LF") << QByteArray("\r\n") << QByteArray() << QByteArray();
    QTest::newRow("CR alone") << QByteArray("\r") << QByteArray() << QByteArray();
    // The node offered WILL ECHO; once the client agrees, the node echoes typed lines.
    QTest::newRow("after DO ECHO")
        << QByteArray("\r\n") << QByteArray("\xff\xfd\x01\xff\xfb\x18") << QByteArray("m0tst\r\n");
}

void TestTestNode::negotiatesThenGreetsAfterLogin() {
    QFETCH(QByteArray, lineEnd);
    QFETCH(QByteArray, telnetAnswer);
    QFETCH(QByteArray, echo);
    Client client;
    QVERIFY(client.connectTo(m_node->port()));
    QTRY_COMPARE(client.read(), DefaultNegotiation + LoginPrompt);
    client.got.clear();

    client.socket.write(telnetAnswer + "m0tst" + lineEnd);
    QVERIFY(client.waitForEnd(prompt("M0TST")));
    QVERIFY(client.got.startsWith(echo + "Hello M0TST, this is N0CALL-2 in Testville\r\n"));

    // The same line end ends a command, and counts as one line only.
    client.got.clear();
    client.socket.write("sh/dx 1" + lineEnd);
    QVERIFY(client.waitForEnd(prompt("M0TST")));
    QCOMPARE(client.got.count(CrLf), echo.isEmpty() ? 2 : 3);
}

// Each line must be one of the real lines in tests/data/real_spots.txt, whole.
void TestTestNode::formatsRealLines_data() {
    QTest::addColumn<QByteArray>("formatted");
    const QDateTime at0956(QDate(2026, 12, 6), QTime(9, 56), QTimeZone::utc());
    const QDateTime at0331(QDate(2026, 3, 1), QTime(3, 31), QTimeZone::utc());
    QTest::newRow("spot, no remarks") << TestNode::formatSpot("DL6NBC", 1928, "Z66BCC", "", at0956);
    QTest::newRow("spot, remarks cut at 30") << TestNode::formatSpot(
        "KK4WP", 7272, "KQ4TAX", "US-1044%A0Lake Guntersville State Park", at0956);
    QTest::newRow("spot, 9-digit frequency")
        << TestNode::formatSpot("WK1O", 1871100, "K1FMS", "LSB", at0331);
    QTest::newRow("listing, long spotter")
        << TestNode::formatListing("EA2DYB", 7074, "N8PNK", "FT8 -15dB from EN74 1608Hz", at0331);
    QTest::newRow("listing, 9-digit frequency")
        << TestNode::formatListing("WK1O", 1871100, "K1FMS", "LSB", at0331);
}

void TestTestNode::formatsRealLines() {
    QFETCH(QByteArray, formatted);
    QVERIFY2(dataFile(QStringLiteral("real_spots.txt")).contains('\n' + formatted + CrLf),
             formatted.constData());
}

// The spotter sees the line before its prompt; sh/dx then lists the spot first.
void TestTestNode::dxSpotIsBroadcastAndListed() {
    Client spotter, listener;
    QVERIFY(spotter.logIn(m_node->port(), "M0TST"));
    QVERIFY(listener.logIn(m_node->port(), "G4XYZ"));
    spotter.socket.write("DX 14025.0 XX9ZZ test\r\n");
    const QByteArray dxLine =
        "DX de M0TST:     14025.0  XX9ZZ        test                           0944Z";
    QCOMPARE(TestNode::formatSpot("M0TST", 14025.0, "XX9ZZ", "test", fixedTime()), dxLine);
    QTRY_COMPARE(listener.read(), dxLine + "\a\a\r\n");
    QTRY_COMPARE(spotter.read(), dxLine + "\a\a\r\n" + prompt("M0TST"));

    listener.got.clear();
    listener.socket.write("SHOW/DX 3\r\n");
    QVERIFY(listener.waitForEnd(prompt("G4XYZ")));
    const QList<QByteArray> lines = listener.got.split('\n');
    QCOMPARE(lines.size(), 3 + 2); // the prompt, then nothing after its line end
    QCOMPARE(lines.first(), QByteArray("  14025.0 XX9ZZ        6-Dec-2026 0944Z "
                                       "test                          <M0TST>\r"));
    static const QRegularExpression shape(QStringLiteral(
        R"(^[ \d]{7}\.\d [A-Z\d/]{3,}\s+[ \d]\d-[A-Z][a-z]{2}-\d{4} \d{4}Z .*<[A-Z\d/#-]+>\r$)"));
    QByteArray previousTime = "9999";
    for (const QByteArray& line : lines.first(3)) {
        QVERIFY2(shape.match(QString::fromLatin1(line)).hasMatch(), line.constData());
        QCOMPARE(line.size(), 78);
        QVERIFY2(line.mid(34, 4) <= previousTime, line.constData());
        previousTime = line.mid(34, 4);
    }
}

void TestTestNode::talkReachesCalledUserAndEchoes() {
    Client talker, called;
    QVERIFY(talker.logIn(m_node->port(), "M0TST"));
    QVERIFY(called.logIn(m_node->port(), "G4XYZ"));

    talker.socket.write("talk g4xyz hello   there\r\n");
    const QByteArray talkLine = "G4XYZ de M0TST: hello there\r\n";
    QTRY_COMPARE(called.read(), talkLine);
    QTRY_COMPARE(talker.read(), talkLine + prompt("M0TST"));
}

void TestTestNode::byeClosesConnection() {
    Client client;
    QVERIFY(client.logIn(m_node->port(), "M0TST"));
    client.socket.write("bye\r\n");
    QTRY_COMPARE(client.socket.state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(client.read(), QByteArray("73 M0TST de N0CALL-2\r\n"));
}

void TestTestNode::recordsRawClientBytesExactly() {
    Client client;
    QVERIFY(client.connectTo(m_node->port()));
    QVERIFY(client.waitForEnd(LoginPrompt));

    // Option answers, a TTYPE subnegotiation and a NOP inside the call, cut mid-command
    // and between CR and LF, each piece in its own read.
    const QList<QByteArray> pieces = {
        "\xff",
        QByteArray("\xfd\x01\xff\xfb\x18\xff\xfa\x18\0AN", 11),
        "SI\xff\xf0m0\xff\xf1ts",
        "t\r",
        "\nfrob \xff\xff x\r\n",
    };
    QByteArray sent;
    for (const QByteArray& piece : pieces) {
        client.socket.write(piece);
        sent += piece;
        QTRY_COMPARE(m_node->receivedFrom(0), sent);
    }
    QCOMPARE(m_node->loginCall(0), QByteArray("M0TST"));
    // The LF that came on its own after the login's CR was not an empty command.
    QVERIFY(client.waitForEnd("Sorry, I don't understand 'frob . x'\r\n" + prompt("M0TST")));
    QCOMPARE(client.got.count("dxspider >"), 2);
}

void TestTestNode::holdModeDeliversPiecesSeparately() {
    m_node->setSplitOffsets({9, 4});
    m_node->setHoldAtSplits(true);
    Client client;
    QList<QByteArray> reads;
    connect(&client.socket, &QTcpSocket::readyRead, this,
            [&] { reads.append(client.socket.readAll()); });
    const QByteArray stream = DefaultNegotiation + LoginPrompt;
    QVERIFY(client.connectTo(m_node->port()));

    for (const qsizetype offset : {4, 9}) {
        QTRY_COMPARE(reads.join(), stream.first(offset));
        QVERIFY(m_node->isHeld(0));
        QCOMPARE(m_node->bytesSentTo(0), offset); // nothing more can be on its way
        m_node->releaseHeldPiece(0);
    }
    QTRY_COMPARE(reads.join(), stream);
    QCOMPARE(reads, (QList<QByteArray>{stream.first(4), stream.sliced(4, 5), stream.sliced(9)}));
}

void TestTestNode::floodSendsExactlyCountLines() {
    constexpr int Count = 1000;
    QSignalSpy finished(m_node.get(), &TestNode::floodFinished);
    Client client;
    QVERIFY(client.logIn(m_node->port(), "M0TST"));
    const qint64 sentBefore = m_node->bytesSentTo(0);

    m_node->flood(5000, Count);
    QVERIFY(finished.wait(WaitMs));
    QTRY_COMPARE(client.read().size(), m_node->bytesSentTo(0) - sentBefore);

    QCOMPARE(client.got.count('\n'), Count);
    for (const QByteArray& line : client.got.split('\n').first(Count)) {
        QVERIFY2(line.startsWith("DX de ") && line.endsWith("0944Z\a\a\r"), line.constData());
        QCOMPARE(line.size(), 75 + 3);
    }
}

void TestTestNode::replaysNonCommentLinesOfFile_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("real_lines.txt (LF line ends)") << QStringLiteral("real_lines.txt");
    QTest::newRow("real_spots.txt (CR LF, BEL, 8-bit)") << QStringLiteral("real_spots.txt");
}

void TestTestNode::replaysNonCommentLinesOfFile() {
    QFETCH(QString, name);
    QByteArray expected;
    for (const QByteArray& line : dataFile(name).chopped(1).split('\n')) {
        if (!line.startsWith('#'))
            expected += (line.endsWith('\r') ? line.chopped(1) : line) + CrLf;
    }
    Client client;
    QVERIFY(client.logIn(m_node->port(), "M0TST"));

    QVERIFY(m_node->replayFile(QStringLiteral(KESTREL_TEST_DATA "/") + name));
    QVERIFY(client.waitForEnd(expected.right(200)));
    QCOMPARE(client.got, expected);
}

void TestTestNode::survivesJunkAndHugeLines() {
    Client client;
    QVERIFY(client.logIn(m_node->port(), "M0TST"));
    QRandomGenerator random(1234);
    QByteArray junk(256 * 1024, '\0');
    for (char& byte : junk)
        byte = static_cast<char>(random.bounded(255)); // 255 would start telnet commands
    const QByteArray hugeLine = QByteArray(100 * 1024, 'A') + CrLf;
    const QByteArray endlessSubnegotiation = "\xff\xfa\x18" + QByteArray(2000, 'x') + CrLf;
    const QByteArray all = junk + CrLf + hugeLine + endlessSubnegotiation + "DX 7010 XX9ZZ\r\n";
    client.socket.write(all);
    QVERIFY(client.waitForEnd("0944Z\a\a\r\n" + prompt("M0TST"))); // still answering
    QVERIFY(client.got.contains("Sorry, I don't understand '" + QByteArray(40, 'A') + "'\r\n"));
    QCOMPARE(m_node->receivedFrom(0), "M0TST\r\n" + all);
    QCOMPARE(m_node->connectedClients(), QList<int>{0});
}

QTEST_GUILESS_MAIN(TestTestNode)
#include "tst_testnode.moc"
