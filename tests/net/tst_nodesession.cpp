// A real session over 127.0.0.1 between the client's receive path and the test node.

#include "TestBytes.h"
#include "TestFiles.h"
#include "TestNode.h"
#include "net/GuardedSender.h"
#include "net/NodeReceiver.h"
#include "screen/ScreenBuffer.h"

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

    explicit Client(const TestNode& node) {
        sender.setSocket(&socket);
        receiver.attach(&socket);
        socket.connectToHost(QHostAddress::LocalHost, node.port());
    }
};

// What the screen must hold for a line a node sent: BEL removed, cut at the width.
QList<QByteArray> screenLinesFor(QByteArray line, int width) {
    line.replace('\a', "").replace('\r', "").replace('\n', "");
    QList<QByteArray> pieces;
    for (; line.size() >= width; line.remove(0, width))
        pieces.append(line.first(width));
    return pieces << line;
}

} // namespace

class NodeSessionTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_node = std::make_unique<TestNode>();
        m_node->setClock([] { return fixedTime; });
        QVERIFY(m_node->listen());
    }

    void negotiationCutIntoSingleByteReads() {
        // IAC WILL ECHO IAC DO TTYPE IAC GA "login: ", every byte in a read of its own.
        const QByteArray stream = bytes({255, 251, 1, 255, 253, 24, 255, 249}) + "login: ";
        QList<qsizetype> cuts;
        for (qsizetype offset = 1; offset < stream.size(); ++offset)
            cuts.append(offset);
        m_node->setNegotiation(stream.first(8));
        m_node->setSplitOffsets(cuts);
        m_node->setHoldAtSplits(true);

        Client client(*m_node);
        QSignalSpy reads(&client.receiver, &NodeReceiver::received);
        for (qsizetype piece = 1; piece <= cuts.size(); ++piece) {
            QTRY_VERIFY(m_node->isHeld(0));
            QTRY_COMPARE(reads.size(), piece);
            m_node->releaseHeldPiece(0);
        }
        QTRY_COMPARE(client.screen.GetCurrentLine(), QByteArray("login: "));
        QCOMPARE(reads.size(), stream.size());
        QCOMPARE(m_node->receivedFrom(0), bytes({255, 253, 1, 255, 252, 24}));
    }

    void replayedRealLinesArriveByteForByte() {
        const QString path = QStringLiteral(KESTREL_TEST_DATA "/real_spots.txt");
        QList<QByteArray> expected;
        for (const QByteArray& line : readFile(path).split('\n')) {
            if (!line.isEmpty() && !line.startsWith('#'))
                expected += screenLinesFor(line, ScreenBuffer::DefaultLineWidth);
        }
        QVERIFY(expected.size() > 1000);

        Client client(*m_node);
        ScreenCursor cursor = client.screen.cursorAtEnd();
        QList<QByteArray> lines;
        const auto collect = [&]() -> auto& {
            return lines += client.screen.ReadSince(cursor).lines;
        };
        QTRY_COMPARE(client.screen.GetCurrentLine(), QByteArray("login: "));
        client.sender.GuardedSend("M0TST\r\n");
        const QByteArray prompt = TestNode::formatPrompt("M0TST", m_node->nodeCall(), fixedTime);
        QTRY_VERIFY(collect().contains(prompt));
        lines.clear();
        QVERIFY(m_node->replayFile(path, 0));
        QTRY_VERIFY_WITH_TIMEOUT(collect().size() >= expected.size(), 10000);
        QCOMPARE(lines, expected);
    }

private:
    std::unique_ptr<TestNode> m_node;
};

QTEST_GUILESS_MAIN(NodeSessionTest)
#include "tst_nodesession.moc"
