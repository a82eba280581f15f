#include "LoopbackPair.h"
#include "net/GuardedSender.h"
#include "net/NetTexts.h"
#include "screen/ScreenBuffer.h"

#include <QMutexLocker>
#include <QTest>
#include <QThread>

#include <memory>

class GuardedSenderTest : public QObject {
    Q_OBJECT

private slots:
    void failedSendShowsErrorText_data();
    void failedSendShowsErrorText();
    void workerSendsArriveInOrderWithoutWaitingForScreenLock();
};

void GuardedSenderTest::failedSendShowsErrorText_data() {
    QTest::addColumn<bool>("withSocket");
    QTest::addColumn<bool>("fromWorker");
    QTest::newRow("socket closed") << true << false;
    // The text is put on the screen by the GUI thread: PutString asserts that.
    QTest::newRow("no socket, from a worker") << false << true;
}

void GuardedSenderTest::failedSendShowsErrorText() {
    QFETCH(bool, withSocket);
    QFETCH(bool, fromWorker);
    ScreenBuffer screen;
    GuardedSender sender(screen);
    QTcpSocket closedSocket;
    if (withSocket)
        sender.setSocket(&closedSocket);
    if (fromWorker) {
        std::unique_ptr<QThread> worker(QThread::create([&sender] { sender.GuardedSend("x"); }));
        worker->start();
        QVERIFY(worker->wait(5000));
    } else {
        sender.GuardedSend("bye\r\n");
    }
    QTRY_COMPARE(screen.GetCurrentLine(), QByteArray(NetTexts::SocketSendError.latin1()));
}

void GuardedSenderTest::workerSendsArriveInOrderWithoutWaitingForScreenLock() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    LoopbackPair pair;
    QVERIFY(pair.open());
    sender.setSocket(&pair.client);
    QByteArrayList lines;
    for (int i = 0; i < 200; ++i)
        lines << "line " + QByteArray::number(i) + "\r\n";
    std::unique_ptr<QThread> worker(QThread::create([&sender, &lines] {
        for (const QByteArray& line : lines)
            sender.GuardedSend(line);
    }));
    {
        // The GUI thread holds the screen lock for as long as the worker sends.
        QMutexLocker locker(&screen.screenLock());
        worker->start();
        QVERIFY(worker->wait(5000));
    }
    QTRY_COMPARE(pair.peerReceived, lines.join());
}

QTEST_GUILESS_MAIN(GuardedSenderTest)
#include "tst_guardedsender.moc"
