#include "LoopbackPair.h"
#include "net/GuardedSender.h"
#include "net/NetTexts.h"
#include "net/NodeReceiver.h"
#include "net/SocketSendQueue.h"
#include "screen/ScreenBuffer.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// A device that has bytes waiting but fails to hand them over.
class FailingDevice : public QIODevice {
public:
    FailingDevice() { open(QIODevice::ReadOnly); }
    qint64 bytesAvailable() const override { return 10; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

} // namespace

class NodeReceiverTest : public QObject {
    Q_OBJECT

private slots:
    void burstIsReadInSlicesOnePerPass();
    void readErrorIsShown();
    void nodeThatNeverReadsCannotGrowOurBacklog();
    void streamIsReadInBatchesAndToTheEnd();
};

void NodeReceiverTest::burstIsReadInSlicesOnePerPass() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    NodeReceiver receiver(screen, sender);
    int bells = 0;
    receiver.setBell([&bells] { ++bells; });
    receiver.setBellInterval(std::chrono::hours(1));
    const QByteArray line =
        "DX de M0TST:     14025.0  XX9ZZ        test                           0944Z\a\a\r\n";
    const int lineCount = 14000; // about 1 MB
    QBuffer node;
    node.setData(line.repeated(lineCount));
    node.open(QIODevice::ReadOnly);
    receiver.attach(&node);
    QSignalSpy passes(&receiver, &NodeReceiver::received);
    ScreenCursor cursor = screen.cursorAtEnd();
    qint64 linesSeen = 0;
    quint64 linesMissed = 0;
    connect(&receiver, &NodeReceiver::received, this, [&] {
        const ScreenNews news = screen.ReadSince(cursor);
        linesSeen += news.lines.size();
        linesMissed += news.missed;
    });

    receiver.readPending();
    QCOMPARE(passes.size(), 1);
    QCOMPARE(node.pos(), NodeReceiver::SliceBytes);
    QCOMPARE(linesSeen, NodeReceiver::SliceBytes / line.size());

    // The rest follows one slice per pass of the event loop, without new data arriving.
    QTRY_COMPARE(node.bytesAvailable(), 0);
    const qint64 slices = (node.size() + NodeReceiver::SliceBytes - 1) / NodeReceiver::SliceBytes;
    QCOMPARE(passes.size(), slices);
    QCOMPARE(linesSeen, qint64(lineCount));
    QCOMPARE(linesMissed, 0u);
    QCOMPARE(bells, 1); // a burst of bells is one beep
}

void NodeReceiverTest::readErrorIsShown() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    NodeReceiver receiver(screen, sender);
    FailingDevice device;
    receiver.attach(&device);
    receiver.readPending();
    QCOMPARE(screen.GetCurrentLine(), QByteArray(NetTexts::SocketReadError.latin1()));
    // No further pass is scheduled: the error is shown once, not on every pass.
    QCoreApplication::processEvents();
    QCOMPARE(screen.GetCurrentLine(), QByteArray(NetTexts::SocketReadError.latin1()));
}

// A node floods option requests and never reads the answers: once the system's buffers
// are full, our answers stop rather than pile up in memory without bound.
void NodeReceiverTest::nodeThatNeverReadsCannotGrowOurBacklog() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    NodeReceiver receiver(screen, sender);
    LoopbackPair pair;
    QVERIFY(pair.open());
    QObject::disconnect(pair.peer, &QTcpSocket::readyRead, nullptr, nullptr);
    pair.peer->setReadBufferSize(1);
    pair.peer->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    pair.client.setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 4096);
    sender.setSocket(&pair.client);
    receiver.attach(&pair.client);
    const QByteArray doTerminalType("\xFF\xFD\x18", 3);
    const qsizetype flood = 4 * GuardedSender::AnswerBacklogLimit;
    pair.peer->write(doTerminalType.repeated(flood / doTerminalType.size()));
    qint64 largest = 0;
    QTRY_VERIFY_WITH_TIMEOUT(
        (largest = std::max(largest, sender.pendingBytes()),
         pair.peer->bytesToWrite() == 0 && largest > GuardedSender::AnswerBacklogLimit),
        30000);
    QVERIFY(largest <= GuardedSender::AnswerBacklogLimit + doTerminalType.size());
    // What Qt holds and what the system holds for a peer that takes nothing.
    QCOMPARE(pair.client.bytesToWrite() + SocketSendQueue::bytes(pair.client.socketDescriptor()),
             sender.pendingBytes());
}

// A line on its own is read at once; a stream of lines is read in fewer passes than it
// has lines, and its last lines, fewer than a batch, still come through.
void NodeReceiverTest::streamIsReadInBatchesAndToTheEnd() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    NodeReceiver receiver(screen, sender);
    LoopbackPair pair;
    QVERIFY(pair.open());
    receiver.attach(&pair.client);
    QSignalSpy passes(&receiver, &NodeReceiver::received);
    ScreenCursor cursor = screen.cursorAtEnd();
    QList<QByteArray> lines;
    const auto readLines = [&] { return lines += screen.ReadSince(cursor).lines, lines.size(); };
    pair.peer->write("first\r\n");
    QVERIFY(passes.wait());
    QCOMPARE(readLines(), 1);

    const int lineCount = 80;
    int sent = 0;
    QTimer node;
    connect(&node, &QTimer::timeout, this, [&] {
        pair.peer->write("DX de M0TST:     14025.0  XX9ZZ        line " +
                         QByteArray::number(++sent) + "\r\n");
        if (sent == lineCount)
            node.stop();
    });
    passes.clear();
    node.start(4);
    QTRY_COMPARE(readLines(), 1 + lineCount);
    QVERIFY(lines.last().endsWith("line 80"));
    QVERIFY2(passes.size() < lineCount / 2, qPrintable(QString::number(passes.size())));
}

QTEST_GUILESS_MAIN(NodeReceiverTest)
#include "tst_nodereceiver.moc"
