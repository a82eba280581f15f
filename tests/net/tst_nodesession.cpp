// A real session over 127.0.0.1 between the client's receive path and the test node.

#include "TestBytes.h"
#include "TestNode.h"
#include "net/GuardedSender.h"
#include "net/NodeReceiver.h"
#include "screen/ScreenBuffer.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

namespace {

const QDateTime fixedTime(QDate(2026, 12, 6), QTime(9, 44), Qt::UTC);

// The client's side as the main window wires it.
struct Client {
    ScreenBuffer screen;
    GuardedSender sender{screen};
    NodeReceiver receiver{screen, sender};
    QTcpSocket socket;
    ScreenCursor cursor = screen.cursorAtEnd();
    QList<QByteArray> lines;
    QByteArray partial;

    Client() {
        sender.setSocket(&socket);
        receiver.attach(&socket);
    }
    bool connectTo(const TestNode& node) {
        socket.connectToHost(QHostAddress::LocalHost, node.port());
        return socket.waitForConnected(5000);
    }
    // Collects what has arrived since the last look.
    void collect() {
        ScreenNews news = screen.ReadSince(cursor);
        lines += news.lines;
        partial = news.partial;
    }
    bool hasLine(const QByteArray& line) {
        collect();
        return lines.contains(line);
    }
    bool showsPartial(const QByteArray& text) {
        collect();
        return partial == text;
    }
};

// What the screen must hold for a line a node sent: BEL removed, cut at the width.
QList<QByteArray> screenLinesFor(QByteArray line, int width) {
    line.replace('\a', "").replace('\r', "").replace('\n', "");
    QList<QByteArray> pieces;
    while (line.size() >= width) {
        pieces.append(line.first(width));
        line.remove(0, width);
    }
    pieces.append(line);
    return pieces;
}

} // namespace

class NodeSessionTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void loginSpotListingAndBye();
    void negotiationCutIntoSingleByteReads();
    void replayedRealLinesArriveByteForByte();

private:
    std::unique_ptr<TestNode> m_node;
};

void NodeSessionTest::init() {
    m_node = std::make_unique<TestNode>();
    m_node->setClock([] { return fixedTime; });
    QVERIFY(m_node->listen());
}

void NodeSessionTest::loginSpotListingAndBye() {
    Client client;
    QVERIFY(client.connectTo(*m_node));
    QTRY_VERIFY(client.showsPartial("login: "));
    // IAC WILL ECHO is accepted, IAC DO TTYPE refused; nothing else is sent.
    QTRY_COMPARE(m_node->receivedFrom(0), bytes({255, 253, 1, 255, 252, 24}));
    QVERIFY(client.lines.isEmpty());

    client.sender.GuardedSend("M0TST\r\n");
    const QByteArray prompt = TestNode::formatPrompt("M0TST", m_node->nodeCall(), fixedTime);
    QTRY_VERIFY(client.hasLine(prompt));
    QCOMPARE(client.lines.first(), QByteArray("login: M0TST"));
    QCOMPARE(client.lines[1], "Hello M0TST, this is " + m_node->nodeCall() + " in Testville");

    client.sender.GuardedSend("DX 14025.0 XX9ZZ test\r\n");
    const QByteArray spot = TestNode::formatSpot("M0TST", 14025.0, "XX9ZZ", "test", fixedTime);
    QCOMPARE(spot.size(), 75);
    QTRY_VERIFY(client.hasLine(spot)); // the node's BEL BEL rang the bell and left the line

    client.sender.GuardedSend("sh/dx 3\r\n");
    const QByteArray listing =
        TestNode::formatListing("M0TST", 14025.0, "XX9ZZ", "test", fixedTime);
    QTRY_VERIFY(client.hasLine(listing));
    const qsizetype at = client.lines.indexOf(listing);
    QCOMPARE(client.lines.indexOf(prompt, at), at + 3);

    QSignalSpy closed(&client.socket, &QTcpSocket::disconnected);
    client.sender.GuardedSend("bye\r\n");
    QVERIFY(closed.wait(5000));
    QCOMPARE(m_node->receivedFrom(0), bytes({255, 253, 1, 255, 252, 24}) +
                                          "M0TST\r\nDX 14025.0 XX9ZZ test\r\nsh/dx 3\r\nbye\r\n");
}

void NodeSessionTest::negotiationCutIntoSingleByteReads() {
    // IAC WILL ECHO IAC DO TTYPE IAC GA "login: ", every byte in a read of its own.
    const QByteArray stream = bytes({255, 251, 1, 255, 253, 24, 255, 249}) + "login: ";
    QList<qsizetype> cuts;
    for (qsizetype offset = 1; offset < stream.size(); ++offset)
        cuts.append(offset);
    m_node->setNegotiation(stream.first(8));
    m_node->setSplitOffsets(cuts);
    m_node->setHoldAtSplits(true);

    Client client;
    QSignalSpy reads(&client.receiver, &NodeReceiver::received);
    QVERIFY(client.connectTo(*m_node));
    for (qsizetype piece = 1; piece <= cuts.size(); ++piece) {
        QTRY_VERIFY(m_node->isHeld(0));
        QTRY_COMPARE(reads.size(), piece);
        m_node->releaseHeldPiece(0);
    }
    QTRY_VERIFY(client.showsPartial("login: "));
    QCOMPARE(reads.size(), stream.size());
    QVERIFY(client.lines.isEmpty());
    QCOMPARE(m_node->receivedFrom(0), bytes({255, 253, 1, 255, 252, 24}));
}

void NodeSessionTest::replayedRealLinesArriveByteForByte() {
    Client client;
    QVERIFY(client.connectTo(*m_node));
    QTRY_VERIFY(client.showsPartial("login: "));
    client.sender.GuardedSend("M0TST\r\n");
    QTRY_VERIFY(client.hasLine(TestNode::formatPrompt("M0TST", m_node->nodeCall(), fixedTime)));

    const QString path = QStringLiteral(KESTREL_TEST_DATA "/real_spots.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> expected;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            expected += screenLinesFor(line, ScreenBuffer::DefaultLineWidth);
    }
    QVERIFY(expected.size() > 1000);

    client.collect();
    client.lines.clear();
    QVERIFY(m_node->replayFile(path, 0));
    QTRY_VERIFY_WITH_TIMEOUT((client.collect(), client.lines.size() >= expected.size()), 10000);
    QCOMPARE(client.lines, expected);
}

QTEST_GUILESS_MAIN(NodeSessionTest)
#include "tst_nodesession.moc"
