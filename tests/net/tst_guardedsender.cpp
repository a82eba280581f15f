#include "LoopbackPair.h"
#include "net/GuardedSender.h"
#include "net/NetTexts.h"
#include "screen/ScreenBuffer.h"

#include <QMutexLocker>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

class GuardedSenderTest : public QObject {
    Q_OBJECT

private slots:
    void sendsFromGuiThread();
    void failedSendPutsErrorText_data();
    void failedSendPutsErrorText();
    void sendsFromWorkerArriveInOrder();
    void workerNeverWaitsForScreenLock();
    void workerFailureTextAppearsOnGuiThread();
};

void GuardedSenderTest::sendsFromGuiThread() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    LoopbackPair pair;
    QVERIFY(pair.open());
    sender.setSocket(&pair.client);
    sender.GuardedSend("sh/dx\r\n");
    QTRY_COMPARE(pair.peerReceived, QByteArray("sh/dx\r\n"));
    QVERIFY(screen.GetCurrentLine().isEmpty());
}

void GuardedSenderTest::failedSendPutsErrorText_data() {
    QTest::addColumn<bool>("withSocket");
    QTest::newRow("no socket") << false;
    QTest::newRow("socket closed") << true;
}

void GuardedSenderTest::failedSendPutsErrorText() {
    QFETCH(bool, withSocket);
    ScreenBuffer screen;
    GuardedSender sender(screen);
    QTcpSocket closedSocket;
    if (withSocket)
        sender.setSocket(&closedSocket);
    QSignalSpy changed(&screen, &ScreenBuffer::contentChanged);
    sender.GuardedSend("bye\r\n");
    QCOMPARE(screen.GetCurrentLine(), QByteArray(NetTexts::SocketSendError.latin1()));
    QCOMPARE(changed.size(), 1);
}

void GuardedSenderTest::sendsFromWorkerArriveInOrder() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    LoopbackPair pair;
    QVERIFY(pair.open());
    sender.setSocket(&pair.client);

    QByteArray expected;
    for (int i = 0; i < 200; ++i)
        expected += "line " + QByteArray::number(i) + "\r\n";
    std::unique_ptr<QThread> worker(QThread::create([&sender] {
        for (int i = 0; i < 200; ++i)
            sender.GuardedSend("line " + QByteArray::number(i) + "\r\n");
    }));
    worker->start();
    QTRY_COMPARE(pair.peerReceived, expected);
    QVERIFY(worker->wait(5000));
}

void GuardedSenderTest::workerNeverWaitsForScreenLock() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    LoopbackPair pair;
    QVERIFY(pair.open());
    sender.setSocket(&pair.client);

    std::atomic<bool> returned{false};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        sender.GuardedSend("relayed\r\n");
        returned = true;
    }));
    {
        // While the GUI thread holds the screen lock, the worker's send returns at once.
        QMutexLocker locker(&screen.screenLock());
        worker->start();
        QVERIFY(worker->wait(5000));
        QVERIFY(returned);
    }
    QTRY_COMPARE(pair.peerReceived, QByteArray("relayed\r\n"));
}

void GuardedSenderTest::workerFailureTextAppearsOnGuiThread() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    std::unique_ptr<QThread> worker(QThread::create([&sender] { sender.GuardedSend("x"); }));
    worker->start();
    QVERIFY(worker->wait(5000));
    // PutString asserts that it runs on the GUI thread.
    QTRY_COMPARE(screen.GetCurrentLine(), QByteArray(NetTexts::SocketSendError.latin1()));
}

QTEST_GUILESS_MAIN(GuardedSenderTest)
#include "tst_guardedsender.moc"
