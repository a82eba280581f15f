#include "LoopbackPair.h"
#include "net/GuardedSender.h"
#include "net/NetTexts.h"
#include "screen/ScreenBuffer.h"
#include "send/LineSender.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// Everything a line sender needs, wired to a live connection.
struct Session {
    ScreenBuffer screen;
    GuardedSender sender{screen};
    LineSender lineSender{sender, screen};
    LoopbackPair pair;

    bool open() {
        if (!pair.open())
            return false;
        sender.setSocket(&pair.client);
        return true;
    }
};

QString text(const char16_t* utf16) {
    return QString::fromUtf16(utf16);
}

} // namespace

class LineSenderTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithEchoAndCrLf();
    void nodeReceivesLine_data();
    void nodeReceivesLine();
    void linesArriveInOrder();
    void echoShowsLineOnScreen();
    void echoWithCrStaysOnCurrentLine();
    void noEchoLeavesScreenEmpty();
    void emptyLineEchoesEmptyLine();
    void failedSendStillEchoes_data();
    void failedSendStillEchoes();
};

void LineSenderTest::startsWithEchoAndCrLf() {
    ScreenBuffer screen;
    GuardedSender sender(screen);
    const LineSender lineSender(sender, screen);
    QVERIFY(lineSender.localEcho());
    QVERIFY(lineSender.sendCrLf());
    QCOMPARE(lineSender.charset(), 128);
}

void LineSenderTest::nodeReceivesLine_data() {
    QTest::addColumn<bool>("sendCrLf");
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("received");

    QTest::newRow("CR") << false << 128 << QStringLiteral("sh/dx") << QByteArray("sh/dx\r");
    QTest::newRow("CR LF") << true << 128 << QStringLiteral("sh/dx") << QByteArray("sh/dx\r\n");
    QTest::newRow("empty line, CR") << false << 128 << QString() << QByteArray("\r");
    QTest::newRow("empty line, CR LF") << true << 128 << QString() << QByteArray("\r\n");
    QTest::newRow("blanks are sent as given")
        << true << 128 << QStringLiteral(" a ") << QByteArray(" a \r\n");
    QTest::newRow("Shift-JIS") << true << 128 << text(u"あア é")
                               << QByteArray("\x82\xa0\x83\x41 ?\r\n");
    QTest::newRow("Windows-1252") << false << 0 << text(u"café € あ")
                                  << QByteArray("caf\xe9 \x80 ?\r");
}

void LineSenderTest::nodeReceivesLine() {
    QFETCH(bool, sendCrLf);
    QFETCH(int, charset);
    QFETCH(QString, line);
    QFETCH(QByteArray, received);
    Session session;
    QVERIFY(session.open());
    session.lineSender.setConnection(false, sendCrLf);
    session.lineSender.setCharset(charset);
    session.lineSender.SendLine(line);
    QTRY_COMPARE(session.pair.peerReceived, received);
}

void LineSenderTest::linesArriveInOrder() {
    Session session;
    QVERIFY(session.open());
    session.lineSender.setConnection(false, true);
    session.lineSender.SendLine(QStringLiteral("sh/dx"));
    session.lineSender.SendLine(QString());
    session.lineSender.SendLine(QStringLiteral("bye"));
    QTRY_COMPARE(session.pair.peerReceived, QByteArray("sh/dx\r\n\r\nbye\r\n"));
}

void LineSenderTest::echoShowsLineOnScreen() {
    Session session;
    QVERIFY(session.open());
    session.lineSender.setConnection(true, true);
    session.lineSender.setCharset(0);
    session.lineSender.SendLine(text(u"café"));
    QCOMPARE(session.screen.GetLine(0), QByteArray("caf\xe9"));
    QCOMPARE(session.screen.GetCurrentLine(), QByteArray());
    QTRY_COMPARE(session.pair.peerReceived, QByteArray("caf\xe9\r\n"));
}

// The screen completes a line only at LF: after CR alone the next text joins it.
void LineSenderTest::echoWithCrStaysOnCurrentLine() {
    Session session;
    QVERIFY(session.open());
    session.lineSender.setConnection(true, false);
    session.lineSender.SendLine(text(u"あ"));
    QCOMPARE(session.screen.currentIndex(), 0);
    QCOMPARE(session.screen.GetCurrentLine(), QByteArray("\x82\xa0"));
    QTRY_COMPARE(session.pair.peerReceived, QByteArray("\x82\xa0\r"));
}

void LineSenderTest::noEchoLeavesScreenEmpty() {
    Session session;
    QVERIFY(session.open());
    session.lineSender.setConnection(false, true);
    session.lineSender.SendLine(QStringLiteral("sh/dx"));
    QTRY_COMPARE(session.pair.peerReceived, QByteArray("sh/dx\r\n"));
    QCOMPARE(session.screen.currentIndex(), 0);
    QCOMPARE(session.screen.GetCurrentLine(), QByteArray());
}

void LineSenderTest::emptyLineEchoesEmptyLine() {
    Session session;
    QVERIFY(session.open());
    session.lineSender.setConnection(true, true);
    session.lineSender.SendLine(QString());
    QCOMPARE(session.screen.currentIndex(), 1);
    QCOMPARE(session.screen.GetLine(0), QByteArray());
    QTRY_COMPARE(session.pair.peerReceived, QByteArray("\r\n"));
}

void LineSenderTest::failedSendStillEchoes_data() {
    QTest::addColumn<bool>("withClosedSocket");
    QTest::addColumn<bool>("localEcho");
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<int>("completedLines");
    const QByteArray error = QByteArray(NetTexts::SocketSendError.latin1());
    // The error text comes first, then the line the operator meant to send.
    QTest::newRow("no socket, echo") << false << true << error + "sh/dx" << 1;
    QTest::newRow("closed socket, echo") << true << true << error + "sh/dx" << 1;
    QTest::newRow("no socket, no echo") << false << false << error << 0;
}

void LineSenderTest::failedSendStillEchoes() {
    QFETCH(bool, withClosedSocket);
    QFETCH(bool, localEcho);
    QFETCH(QByteArray, shown);
    QFETCH(int, completedLines);
    ScreenBuffer screen;
    GuardedSender sender(screen);
    QTcpSocket closedSocket;
    if (withClosedSocket)
        sender.setSocket(&closedSocket);
    LineSender lineSender(sender, screen);
    lineSender.setConnection(localEcho, true);
    lineSender.SendLine(QStringLiteral("sh/dx"));
    QCOMPARE(screen.GetLastText(), shown);
    QCOMPARE(screen.currentIndex(), completedLines);
}

QTEST_GUILESS_MAIN(LineSenderTest)
#include "tst_linesender.moc"
