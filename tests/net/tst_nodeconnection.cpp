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
    void nodeClosingIsDisconnectNotError();
    void lastNodeAndScriptInRangeOnly_data();
    void lastNodeAndScriptInRangeOnly();
};

void NodeConnectionTest::portMustBeWholeNumberInRange_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("number");
    QTest::newRow("leading zeros") << QStringLiteral("0023") << 23;
    QTest::newRow("highest") << QStringLiteral("65535") << 65535;
    QTest::newRow("blanks around") << QStringLiteral(" 7300 ") << 7300;
    QTest::newRow("would wrap") << QStringLiteral("99999") << 0;
    QTest::newRow("negative") << QStringLiteral("-5") << 0;
    QTest::newRow("plus sign") << QStringLiteral("+23") << 0;
    QTest::newRow("letters") << QStringLiteral("23a") << 0;
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
    QTest::addColumn<QString>("text");
    const QString port = QStringLiteral("23");
    const QString host = QStringLiteral("127.0.0.2");
    QTest::newRow("no address") << QString() << port << false << int(NodeConnection::NoAddress)
                                << QStringLiteral("** Please input Address **");
    QTest::newRow("no port") << host << QString() << false << int(NodeConnection::NoPort)
                             << QStringLiteral("** Please input port no. **");
    QTest::newRow("blank port") << host << QStringLiteral(" ") << false
                                << int(NodeConnection::PortNotNumeric)
                                << QStringLiteral("** Port no. is not numeric **");
    QTest::newRow("still calling") << host << port << false << int(NodeConnection::SocketRefused)
                                   << QStringLiteral("** connection error **");
    QTest::newRow("connected") << host << port << true << int(NodeConnection::AlreadyConnected)
                               << QStringLiteral("** Alerady connected **");
}

// A start that fails, whatever its code, leaves the caption, echo, line end and a later
// reconnect with the node that was started before.
void NodeConnectionTest::startFailuresKeepTheNode() {
    QFETCH(QString, address);
    QFETCH(QString, port);
    QFETCH(bool, connected);
    QFETCH(int, code);
    QFETCH(QString, text);
    TestNode node;
    QVERIFY(node.listen());
    ScreenBuffer screen;
    NodeConnection connection(screen);
    const NodeEntry first{
        QStringLiteral("127.0.0.1"), QString::number(node.port()), QString(), true, true, false, 1};
    QCOMPARE(connection.StartConnection(first), int(NodeConnection::Started));
    if (connected)
        QTRY_VERIFY(connection.isConnected());
    NodeEntry second{address, port, QStringLiteral("second"), false, false, true, 2};
    QCOMPARE(connection.StartConnection(second), code);
    QCOMPARE(connection.resultCode(), code);
    QCOMPARE(NodeConnection::ConErrStr(code), text);
    QCOMPARE(connection.current(), first);
    QTRY_VERIFY(connection.isConnected());
}

void NodeConnectionTest::nodeClosingIsDisconnectNotError() {
    TestNode node;
    QVERIFY(node.listen());
    ScreenBuffer screen;
    NodeConnection connection(screen);
    QSignalSpy errors(&connection, &NodeConnection::socketError);
    QSignalSpy closed(&connection, &NodeConnection::disconnected);
    connection.StartConnection({QStringLiteral("127.0.0.1"), QString::number(node.port()),
                                QString(), true, true, false, 1});
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
    QTest::newRow("12") << 12 << true;
    QTest::newRow("13") << 13 << false;
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
