#include "TestNode.h"
#include "net/LastConnection.h"
#include "net/NodeConnection.h"
#include "screen/ScreenBuffer.h"

#include <QSignalSpy>
#include <QTest>

class NodeConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void portMustBeWholeNumberInRange_data();
    void portMustBeWholeNumberInRange();
    void startFailuresKeepTheNode_data();
    void startFailuresKeepTheNode();
    void conErrStrTexts_data();
    void conErrStrTexts();
    void nodeClosingIsDisconnectNotError();
    void lastNodeAndScriptInRangeOnly_data();
    void lastNodeAndScriptInRangeOnly();
};

void NodeConnectionTest::portMustBeWholeNumberInRange_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("number");
    QTest::newRow("23") << QStringLiteral("23") << 23;
    QTest::newRow("leading zeros") << QStringLiteral("0023") << 23;
    QTest::newRow("highest") << QStringLiteral("65535") << 65535;
    QTest::newRow("blanks around") << QStringLiteral(" 7300 ") << 7300;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("too big") << QStringLiteral("65536") << 0;
    QTest::newRow("would wrap") << QStringLiteral("99999") << 0;
    QTest::newRow("negative") << QStringLiteral("-5") << 0;
    QTest::newRow("plus sign") << QStringLiteral("+23") << 0;
    QTest::newRow("letters") << QStringLiteral("23a") << 0;
    QTest::newRow("hex") << QStringLiteral("0x17") << 0;
    QTest::newRow("huge") << QStringLiteral("123456789012345678901234567890") << 0;
}

void NodeConnectionTest::portMustBeWholeNumberInRange() {
    QFETCH(QString, port);
    QFETCH(int, number);
    QCOMPARE(int(NodeConnection::portNumber(port)), number);
}

void NodeConnectionTest::startFailuresKeepTheNode_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("connected"); // the first node's call has completed
    QTest::addColumn<int>("code");
    const QString port = QStringLiteral("23");
    const QString host = QStringLiteral("127.0.0.2");
    QTest::newRow("no address") << QString() << port << false << int(NodeConnection::NoAddress);
    QTest::newRow("no port") << host << QString() << false << int(NodeConnection::NoPort);
    QTest::newRow("blank port") << host << QStringLiteral(" ") << false
                                << int(NodeConnection::PortNotNumeric);
    QTest::newRow("still calling") << host << port << false << int(NodeConnection::SocketRefused);
    QTest::newRow("connected") << host << port << true << int(NodeConnection::AlreadyConnected);
}

// A start that fails, whatever its code, leaves the caption, echo, line end and a later
// reconnect with the node that was started before.
void NodeConnectionTest::startFailuresKeepTheNode() {
    QFETCH(QString, address);
    QFETCH(QString, port);
    QFETCH(bool, connected);
    QFETCH(int, code);
    TestNode node;
    QVERIFY(node.listen());
    ScreenBuffer screen;
    NodeConnection connection(screen);
    NodeEntry first;
    first.address = QStringLiteral("127.0.0.1");
    first.port = QString::number(node.port());
    first.remarks = QStringLiteral("first");
    QCOMPARE(connection.StartConnection(first), int(NodeConnection::Started));
    if (connected)
        QTRY_VERIFY(connection.isConnected());
    NodeEntry second{address, port, QStringLiteral("second"), false, false, true, 2};
    QCOMPARE(connection.StartConnection(second), code);
    QCOMPARE(connection.resultCode(), code);
    QCOMPARE(connection.current(), first);
    QTRY_VERIFY(connection.isConnected());
}

void NodeConnectionTest::conErrStrTexts_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("-1") << -1 << QStringLiteral("** Alerady connected **");
    QTest::newRow("-2") << -2 << QStringLiteral("** Please input Address **");
    QTest::newRow("-3") << -3 << QStringLiteral("** Please input port no. **");
    QTest::newRow("-4") << -4 << QStringLiteral("** Port no. is not numeric **");
    QTest::newRow("-5") << -5 << QStringLiteral("** connection error **");
    QTest::newRow("other") << -6 << QStringLiteral("case erro in ConErrStr()");
}

void NodeConnectionTest::conErrStrTexts() {
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(NodeConnection::ConErrStr(code), text);
}

void NodeConnectionTest::nodeClosingIsDisconnectNotError() {
    TestNode node;
    QVERIFY(node.listen());
    ScreenBuffer screen;
    NodeConnection connection(screen);
    QSignalSpy errors(&connection, &NodeConnection::socketError);
    QSignalSpy closed(&connection, &NodeConnection::disconnected);
    NodeEntry entry;
    entry.address = QStringLiteral("127.0.0.1");
    entry.port = QString::number(node.port());
    connection.StartConnection(entry);
    QTRY_VERIFY(connection.isConnected());
    QTRY_COMPARE(node.connectedClients().size(), 1);
    node.dropClient(0);
    QVERIFY(closed.wait(5000));
    QCOMPARE(errors.size(), 0);
}

void NodeConnectionTest::lastNodeAndScriptInRangeOnly_data() {
    QTest::addColumn<int>("node");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("7") << 7 << true;
    QTest::newRow("12") << 12 << true;
    QTest::newRow("13") << 13 << false;
    QTest::newRow("-1") << -1 << false;
}

void NodeConnectionTest::lastNodeAndScriptInRangeOnly() {
    QFETCH(int, node);
    QFETCH(bool, accepted);
    LastConnection last;
    QCOMPARE(last.SetLastNode(node), accepted);
    QCOMPARE(last.LastConnAction(), accepted ? node : 0);
    LastConnection byScript;
    QCOMPARE(byScript.SetLastScript(node), accepted);
    QCOMPARE(byScript.LastConnAction(), accepted ? 100 + node : 0);
}

QTEST_GUILESS_MAIN(NodeConnectionTest)
#include "tst_nodeconnection.moc"
