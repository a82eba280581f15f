// The client's tests take the test node's lines as what a real DXSpider node sends, so
// its line formats are held to real lines from tests/data, byte for byte.

#include "TestFiles.h"
#include "TestNode.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTimeZone>

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone::utc());
}

// The file with every line ended by LF alone.
QByteArray dataFile(const QString& name) {
    return readFile(QStringLiteral(KESTREL_TEST_DATA "/") + name).replace("\r\n", "\n");
}

} // namespace

class TestTestNode : public QObject {
    Q_OBJECT

private slots:
    void formatsRealLines_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("formatted");
        const QString spots = QStringLiteral("real_spots.txt");
        const QDateTime at0956 = utc(2026, 12, 6, 9, 56);
        const QDateTime at0331 = utc(2026, 3, 1, 3, 31);
        QTest::newRow("spot, no remarks")
            << spots << TestNode::formatSpot("DL6NBC", 1928, "Z66BCC", "", at0956);
        QTest::newRow("spot, remarks cut at 30")
            << spots
            << TestNode::formatSpot("KK4WP", 7272, "KQ4TAX",
                                    "US-1044%A0Lake Guntersville State Park", at0956);
        QTest::newRow("spot, 9-digit frequency")
            << spots << TestNode::formatSpot("WK1O", 1871100, "K1FMS", "LSB", at0331);
        QTest::newRow("listing, long spotter")
            << spots
            << TestNode::formatListing("EA2DYB", 7074, "N8PNK", "FT8 -15dB from EN74 1608Hz",
                                       at0331);
        QTest::newRow("listing, 9-digit frequency")
            << spots << TestNode::formatListing("WK1O", 1871100, "K1FMS", "LSB", at0331);
        QTest::newRow("prompt, space-padded day")
            << QStringLiteral("real_lines.txt")
            << TestNode::formatPrompt("OH1KH", "OH1RCF", utc(2023, 4, 1, 10, 33));
    }
    void formatsRealLines() {
        QFETCH(QString, file);
        QFETCH(QByteArray, formatted);
        QVERIFY2(dataFile(file).contains('\n' + formatted + '\n'), formatted.constData());
    }

    // The flood benchmark counts on exactly this many lines, each a spot ended as the node
    // ends every "DX de" line: two BELs, then CR LF.
    void floodSendsCountSpotLines() {
        constexpr int Count = 1000;
        TestNode node;
        node.setClock([] { return utc(2026, 12, 6, 9, 44); });
        QVERIFY(node.listen());
        QTcpSocket client;
        QByteArray got;
        connect(&client, &QTcpSocket::readyRead, this, [&] { got += client.readAll(); });
        client.connectToHost(QHostAddress::LocalHost, node.port());
        QTRY_VERIFY(got.endsWith("login: "));
        client.write("M0TST\r\n");
        QTRY_VERIFY(got.endsWith("dxspider >\r\n"));
        got.clear();
        const qint64 sentBefore = node.bytesSentTo(0);

        QSignalSpy finished(&node, &TestNode::floodFinished);
        node.flood(5000, Count);
        QVERIFY(finished.wait(5000));
        QTRY_COMPARE(got.size(), node.bytesSentTo(0) - sentBefore);
        QCOMPARE(got.count('\n'), Count);
        for (const QByteArray& line : got.split('\n').first(Count)) {
            QVERIFY2(line.startsWith("DX de ") && line.endsWith("0944Z\a\a\r"), line.constData());
            QCOMPARE(line.size(), 75 + 3);
        }
    }
};

QTEST_GUILESS_MAIN(TestTestNode)
#include "tst_testnode.moc"
