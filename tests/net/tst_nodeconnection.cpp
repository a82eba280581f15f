#include "TestNode.h"
#include "net/LastConnection.h"
#include "net/NodeConnection.h"
#include "screen/ScreenBuffer.h"

#include <QTest>

using namespace Qt::StringLiterals;

class NodeConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void portMustBeWholeNumberInRange_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("number");
        QTest::newRow("leading zeros") << u"0023"_s << 23;
        QTest::newRow("highest") << u"65535"_s << 65535;
        QTest::newRow("blanks around") << u" 7300 "_s << 7300;
        QTest::newRow("would wrap") << u"99999"_s << 0;
        QTest::newRow("negative") << u"-5"_s << 0;
        QTest::newRow("plus sign") << u"+23"_s << 0;
        QTest::newRow("letters") << u"23a"_s << 0;
        QTest::newRow("huge") << u"123456789012345678901234567890"_s << 0;
    }
    void portMustBeWholeNumberInRange() {
        QFETCH(QString, port);
        QTEST(int(NodeConnection::portNumber(port)), "number");
    }

    void startFailuresKeepTheNode_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("connected"); // the first node's call has completed
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QString& address, const QString& port,
                            bool connected, int code, const QString& text) {
            QTest::newRow(name) << address << port << connected << code << text;
        };
        const QString host = u"127.0.0.2"_s;
        row("no address", {}, u"23"_s, false, NodeConnection::NoAddress,
            u"** Please input Address **"_s);
        row("no port", host, {}, false, NodeConnection::NoPort, u"** Please input port no. **"_s);
        row("blank port", host, u" "_s, false, NodeConnection::PortNotNumeric,
            u"** Port no. is not numeric **"_s);
        row("still calling", host, u"23"_s, false, NodeConnection::SocketRefused,
            u"** connection error **"_s);
        row("connected", host, u"23"_s, true, NodeConnection::AlreadyConnected,
            u"** Alerady connected **"_s);
    }
    // A start that fails, whatever its code, leaves the caption, echo, line end and a later
    // reconnect with the node that was started before.
    void startFailuresKeepTheNode() {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(bool, connected);
        QFETCH(int, code);
        TestNode node;
        QVERIFY(node.listen());
        ScreenBuffer screen;
        NodeConnection connection(screen);
        const NodeEntry first{
            u"127.0.0.1"_s, QString::number(node.port()), {}, true, true, false, 1};
        QCOMPARE(connection.StartConnection(first), int(NodeConnection::Started));
        if (connected)
            QTRY_VERIFY(connection.isConnected());
        NodeEntry second{address, port, u"second"_s, false, false, true, 2};
        QCOMPARE(connection.StartConnection(second), code);
        QCOMPARE(connection.resultCode(), code);
        QTEST(NodeConnection::ConErrStr(code), "text");
        QCOMPARE(connection.current(), first);
        QTRY_VERIFY(connection.isConnected());
    }

    void lastNodeAndScriptInRangeOnly_data() {
        QTest::addColumn<int>("node");
        for (const int node : {0, 1, 12, 13})
            QTest::addRow("%d", node) << node;
    }
    // Nodes and scripts are numbered 1 to 12.
    void lastNodeAndScriptInRangeOnly() {
        QFETCH(int, node);
        const bool accepted = node >= 1 && node <= 12;
        LastConnection last;
        QCOMPARE(last.SetLastNode(node), accepted);
        QCOMPARE(last.LastConnAction(), accepted ? node : 0);
        LastConnection byScript;
        QCOMPARE(byScript.SetLastScript(node), accepted);
        QCOMPARE(byScript.LastConnAction(), accepted ? 100 + node : 0);
    }
};

QTEST_GUILESS_MAIN(NodeConnectionTest)
#include "tst_nodeconnection.moc"
