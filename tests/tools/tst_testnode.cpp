// The test node is what the client's network tests talk to, so its bytes must be the
// ones a real DXSpider node sends: these tests hold it to the real lines in tests/data
// and drive it over real sockets the way the client will.

#include "TestNode.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTimeZone>

#include <memory>

using namespace std::chrono_literals;

namespace {

constexpr int WaitMs = 5000;
const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray LoginPrompt = QByteArrayLiteral("login: ");
const QByteArray DefaultNegotiation = QByteArrayLiteral("\xff\xfb\x01\xff\xfd\x18");

QDateTime fixedTime() {
    return QDateTime(QDate(2026, 12, 6), QTime(9, 44), QTimeZone::utc());
}

QByteArray promptLine(const QByteArray& call) {
    return TestNode::formatPrompt(call, QByteArrayLiteral("N0CALL-2"), fixedTime()) + CrLf;
}

QByteArray& collect(QTcpSocket& socket, QByteArray& buffer) {
    buffer += socket.readAll();
    return buffer;
}

bool waitForEnd(QTcpSocket& socket, QByteArray& buffer, const QByteArray& end) {
    return QTest::qWaitFor([&] { return collect(socket, buffer).endsWith(end); }, WaitMs);
}

bool connectTo(QTcpSocket& socket, quint16 port) {
    socket.connectToHost(QHostAddress::LocalHost, port);
    return QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; },
                           WaitMs);
}

// Connects, logs in and leaves the buffer empty after the first prompt.
bool connectAndLogIn(QTcpSocket& socket, QByteArray& buffer, quint16 port, const QByteArray& call) {
    if (!connectTo(socket, port) || !waitForEnd(socket, buffer, LoginPrompt))
        return false;
    socket.write(call + CrLf);
    const bool loggedIn = waitForEnd(socket, buffer, promptLine(call.toUpper()));
    buffer.clear();
    return loggedIn;
}

QByteArray chopTrailingSpaces(QByteArray text) {
    while (text.endsWith(' '))
        text.chop(1);
    return text;
}

QByteArray dataFile(const char* name) {
    QFile file(QStringLiteral(KESTREL_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of real_spots.txt between the header starting with `from` and the next
// header starting with `to`, without their line ends.
QList<QByteArray> realSpotsSection(const QByteArray& from, const QByteArray& to) {
    QList<QByteArray> section;
    bool inside = false;
    for (QByteArray line : dataFile("real_spots.txt").split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith(from))
            inside = true;
        else if (line.startsWith(to))
            inside = false;
        else if (inside && !line.startsWith('#'))
            section.append(line);
    }
    return section;
}

// What replaying a file must send: its non-comment lines, each ended by CR LF.
QByteArray expectedReplay(const QByteArray& file) {
    QList<QByteArray> lines = file.split('\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    QByteArray expected;
    for (QByteArray line : lines) {
        if (line.startsWith('#'))
            continue;
        if (line.endsWith('\r'))
            line.chop(1);
        expected += line + CrLf;
    }
    return expected;
}

QTime lineTime(const QByteArray& hhmm) {
    return QTime(hhmm.left(2).toInt(), hhmm.mid(2, 2).toInt());
}

int monthNumber(const QByteArray& name) {
    static const QList<QByteArray> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return static_cast<int>(months.indexOf(name)) + 1;
}

} // namespace

class TestTestNode : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sendsNegotiationThenLoginPrompt_data();
    void sendsNegotiationThenLoginPrompt();
    void greetsAndPromptsAfterLogin_data();
    void greetsAndPromptsAfterLogin();
    void formatsPromptLikeDxSpider_data();
    void formatsPromptLikeDxSpider();
    void formatSpotReproducesRealLines_data();
    void formatSpotReproducesRealLines();
    void formatListingReproducesRealLines_data();
    void formatListingReproducesRealLines();
    void broadcastsSpotToEveryUser_data();
    void broadcastsSpotToEveryUser();
    void showDxListsNewestFirst_data();
    void showDxListsNewestFirst();
    void talkReachesCalledUserAndEchoes();
    void answersOtherCommands_data();
    void answersOtherCommands();
    void byeClosesConnection();
    void recordsRawClientBytesExactly();
    void holdModeDeliversPiecesSeparately();
    void delayModePausesBetweenPieces();
    void floodSendsExactlyCountLines_data();
    void floodSendsExactlyCountLines();
    void replaysNonCommentLinesOfFile_data();
    void replaysNonCommentLinesOfFile();
    void survivesJunkAndHugeLines();

private:
    std::unique_ptr<TestNode> m_node;
};

void TestTestNode::init() {
    m_node = std::make_unique<TestNode>();
    m_node->setClock(fixedTime);
    QVERIFY(m_node->listen());
    QVERIFY(m_node->port() != 0);
}

void TestTestNode::cleanup() {
    m_node.reset();
}

void TestTestNode::sendsNegotiationThenLoginPrompt_data() {
    QTest::addColumn<bool>("custom");
    QTest::addColumn<QByteArray>("negotiation");
    QTest::newRow("default") << false << DefaultNegotiation;
    QTest::newRow("none") << true << QByteArray();
    QTest::newRow("will sga, will echo") << true << QByteArrayLiteral("\xff\xfb\x03\xff\xfb\x01");
}

void TestTestNode::sendsNegotiationThenLoginPrompt() {
    QFETCH(bool, custom);
    QFETCH(QByteArray, negotiation);
    if (custom)
        m_node->setNegotiation(negotiation);
    QSignalSpy connected(m_node.get(), &TestNode::clientConnected);
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectTo(socket, m_node->port()));
    QTRY_COMPARE(collect(socket, buffer), negotiation + LoginPrompt);
    QCOMPARE(connected.count(), 1);
    QCOMPARE(connected.at(0).at(0).toInt(), 0);
}

void TestTestNode::greetsAndPromptsAfterLogin_data() {
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<QByteArray>("telnetAnswer");
    QTest::addColumn<bool>("echoed");
    QTest::newRow("CR LF") << QByteArrayLiteral("\r\n") << QByteArray() << false;
    QTest::newRow("CR") << QByteArrayLiteral("\r") << QByteArray() << false;
    QTest::newRow("LF") << QByteArrayLiteral("\n") << QByteArray() << false;
    QTest::newRow("CR NUL") << QByteArray("\r\0", 2) << QByteArray() << false;
    // The node offered WILL ECHO; once the client agrees, the node echoes typed lines.
    QTest::newRow("after DO ECHO, WILL TTYPE")
        << QByteArrayLiteral("\r\n") << QByteArrayLiteral("\xff\xfd\x01\xff\xfb\x18") << true;
}

void TestTestNode::greetsAndPromptsAfterLogin() {
    QFETCH(QByteArray, lineEnd);
    QFETCH(QByteArray, telnetAnswer);
    QFETCH(bool, echoed);
    QSignalSpy loggedIn(m_node.get(), &TestNode::clientLoggedIn);
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectTo(socket, m_node->port()));
    QVERIFY(waitForEnd(socket, buffer, LoginPrompt));
    buffer.clear();

    socket.write(telnetAnswer + "m0tst" + lineEnd);
    QVERIFY(waitForEnd(socket, buffer, promptLine("M0TST")));
    const QByteArray echo = echoed ? QByteArrayLiteral("m0tst\r\n") : QByteArray();
    QVERIFY(buffer.startsWith(echo + "Hello M0TST, this is N0CALL-2 in Testville\r\n"));
    QCOMPARE(buffer.count(CrLf), buffer.count('\n'));
    QCOMPARE(buffer.count(CrLf), buffer.count('\r'));
    QCOMPARE(loggedIn.count(), 1);
    QCOMPARE(loggedIn.at(0).at(1).toByteArray(), QByteArray("M0TST"));
    QCOMPARE(m_node->loginCall(0), QByteArray("M0TST"));

    // The same line end must work for commands, and must not count as two lines.
    buffer.clear();
    socket.write("sh/dx 1" + lineEnd);
    QVERIFY(waitForEnd(socket, buffer, promptLine("M0TST")));
    QCOMPARE(buffer.count(CrLf), echoed ? 3 : 2);
}

void TestTestNode::formatsPromptLikeDxSpider_data() {
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<QByteArray>("nodeCall");
    QTest::addColumn<QDateTime>("utc");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("space-padded day")
        << QByteArray("M0TST") << QByteArray("N0CALL-2")
        << QDateTime(QDate(2026, 12, 6), QTime(9, 46), QTimeZone::utc())
        << QByteArray("M0TST de N0CALL-2  6-Dec-2026 0946Z dxspider >");
    // Real prompt, from tests/data/real_lines.txt.
    QTest::newRow("real OH1RCF") << QByteArray("OH1KH") << QByteArray("OH1RCF")
                                 << QDateTime(QDate(2023, 4, 1), QTime(10, 33), QTimeZone::utc())
                                 << QByteArray("OH1KH de OH1RCF  1-Apr-2023 1033Z dxspider >");
    QTest::newRow("two-digit day, local time in")
        << QByteArray("G0VGS") << QByteArray("GB7MBC")
        << QDateTime(QDate(2001, 1, 28), QTime(14, 8), QTimeZone(3600))
        << QByteArray("G0VGS de GB7MBC 28-Jan-2001 1308Z dxspider >");
}

void TestTestNode::formatsPromptLikeDxSpider() {
    QFETCH(QByteArray, call);
    QFETCH(QByteArray, nodeCall);
    QFETCH(QDateTime, utc);
    QFETCH(QByteArray, expected);
    QCOMPARE(TestNode::formatPrompt(call, nodeCall, utc), expected);
}

void TestTestNode::formatSpotReproducesRealLines_data() {
    QTest::addColumn<QByteArray>("line");
    const QList<QByteArray> lines =
        realSpotsSection("# A1", "# A2") + realSpotsSection("# A3", "# SECTION B");
    QVERIFY(lines.size() > 500);
    for (const QByteArray& line : lines)
        QTest::addRow("%s", line.constData()) << line;
    QTest::newRow("example") << QByteArray(
        "DX de M0TST:     14025.0  XX9ZZ        test                           0944Z");
}

void TestTestNode::formatSpotReproducesRealLines() {
    QFETCH(QByteArray, line);
    QCOMPARE(line.size(), 75);
    const qsizetype colon = line.indexOf(':');
    const QByteArray spotter = line.mid(6, colon - 6);
    const QList<QByteArray> words = line.mid(colon + 1).simplified().split(' ');
    const QByteArray remarks = chopTrailingSpaces(line.mid(39, 30));
    const QDateTime utc(QDate(2026, 3, 1), lineTime(line.mid(70, 4)), QTimeZone::utc());
    QCOMPARE(TestNode::formatSpot(spotter, words.at(0).toDouble(), words.at(1), remarks, utc),
             line);
}

void TestTestNode::formatListingReproducesRealLines_data() {
    QTest::addColumn<QByteArray>("line");
    const QList<QByteArray> lines = realSpotsSection("# A2", "# A3");
    QVERIFY(lines.size() > 500);
    for (const QByteArray& line : lines)
        QTest::addRow("%s", line.constData()) << line;
    QTest::newRow("example") << QByteArray(
        "  14025.0 XX9ZZ        6-Dec-2026 0946Z test                          <M0TST>");
}

void TestTestNode::formatListingReproducesRealLines() {
    QFETCH(QByteArray, line);
    QCOMPARE(line.size(), 77);
    const qsizetype spotterStart = line.lastIndexOf('<');
    const QByteArray spotter = line.mid(spotterStart + 1, line.size() - spotterStart - 2);
    const QDate date(line.mid(29, 4).toInt(), monthNumber(line.mid(25, 3)),
                     line.mid(22, 2).trimmed().toInt());
    const QDateTime utc(date, lineTime(line.mid(34, 4)), QTimeZone::utc());
    const QByteArray remarks = chopTrailingSpaces(line.mid(40, spotterStart - 40));
    QCOMPARE(TestNode::formatListing(spotter, line.left(9).toDouble(), line.mid(10, 11).trimmed(),
                                     remarks, utc),
             line);
}

void TestTestNode::broadcastsSpotToEveryUser_data() {
    QTest::addColumn<bool>("beep");
    QTest::addColumn<QByteArray>("bells");
    QTest::newRow("beep on") << true << QByteArrayLiteral("\a\a");
    QTest::newRow("beep off") << false << QByteArray();
}

void TestTestNode::broadcastsSpotToEveryUser() {
    QFETCH(bool, beep);
    QFETCH(QByteArray, bells);
    m_node->setBeep(beep);
    QTcpSocket spotter;
    QTcpSocket listener;
    QByteArray spotterBuffer;
    QByteArray listenerBuffer;
    QVERIFY(connectAndLogIn(spotter, spotterBuffer, m_node->port(), "M0TST"));
    QVERIFY(connectAndLogIn(listener, listenerBuffer, m_node->port(), "G4XYZ"));

    spotter.write("DX 14025.0 XX9ZZ test\r\n");
    const QByteArray dxLine =
        "DX de M0TST:     14025.0  XX9ZZ        test                           0944Z";
    QCOMPARE(dxLine.size(), 75);
    QCOMPARE(TestNode::formatSpot("M0TST", 14025.0, "XX9ZZ", "test", fixedTime()), dxLine);
    QTRY_COMPARE(collect(listener, listenerBuffer), dxLine + bells + CrLf);
    QTRY_COMPARE(collect(spotter, spotterBuffer), dxLine + bells + CrLf + promptLine("M0TST"));
}

void TestTestNode::showDxListsNewestFirst_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("count");
    QTest::newRow("sh/dx") << QByteArray("sh/dx") << 10;
    QTest::newRow("SH/DX 3") << QByteArray("SH/DX 3") << 3;
    QTest::newRow("show/dx 5") << QByteArray("show/dx 5") << 5;
    QTest::newRow("more than stored") << QByteArray("sh/dx 500") << -1;
}

void TestTestNode::showDxListsNewestFirst() {
    QFETCH(QByteArray, command);
    QFETCH(int, count);
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectAndLogIn(socket, buffer, m_node->port(), "M0TST"));
    socket.write("DX 14025.0 XX9ZZ test\r\n");
    QVERIFY(waitForEnd(socket, buffer, promptLine("M0TST")));
    buffer.clear();
    if (count < 0)
        count = static_cast<int>(m_node->spots().size());

    socket.write(command + CrLf);
    QVERIFY(waitForEnd(socket, buffer, promptLine("M0TST")));
    QList<QByteArray> lines = buffer.split('\n');
    QCOMPARE(lines.size(), count + 2); // the prompt, then nothing after its line end
    QCOMPARE(lines.first(), QByteArray("  14025.0 XX9ZZ        6-Dec-2026 0944Z "
                                       "test                          <M0TST>\r"));
    static const QRegularExpression shape(QStringLiteral(
        R"(^[ \d]{7}\.\d [A-Z\d/]{3,}\s+[ \d]\d-[A-Z][a-z]{2}-\d{4} \d{4}Z .*<[A-Z\d/#-]+>\r$)"));
    QByteArray previousTime = "9999";
    for (const QByteArray& line : lines.first(count)) {
        QVERIFY2(shape.match(QString::fromLatin1(line)).hasMatch(), line.constData());
        QCOMPARE(line.size(), 78);
        QVERIFY2(line.mid(34, 4) <= previousTime, line.constData());
        previousTime = line.mid(34, 4);
    }
}

void TestTestNode::talkReachesCalledUserAndEchoes() {
    QTcpSocket talker;
    QTcpSocket called;
    QTcpSocket bystander;
    QByteArray talkerBuffer;
    QByteArray calledBuffer;
    QByteArray bystanderBuffer;
    QVERIFY(connectAndLogIn(talker, talkerBuffer, m_node->port(), "M0TST"));
    QVERIFY(connectAndLogIn(called, calledBuffer, m_node->port(), "G4XYZ"));
    QVERIFY(connectAndLogIn(bystander, bystanderBuffer, m_node->port(), "EI9ABC"));

    talker.write("talk g4xyz hello   there\r\n");
    const QByteArray talkLine = "G4XYZ de M0TST: hello there\r\n";
    QTRY_COMPARE(collect(called, calledBuffer), talkLine);
    QTRY_COMPARE(collect(talker, talkerBuffer), talkLine + promptLine("M0TST"));
    // The node answers in order, so once this is answered the talk has been handled.
    bystander.write("\r\n");
    QVERIFY(waitForEnd(bystander, bystanderBuffer, promptLine("EI9ABC")));
    QCOMPARE(bystanderBuffer, promptLine("EI9ABC"));
}

void TestTestNode::answersOtherCommands_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("unknown") << QByteArray("frobnicate now")
                             << QByteArray("Sorry, I don't understand 'frobnicate now'\r\n");
    QTest::newRow("empty line") << QByteArray() << QByteArray();
    QTest::newRow("DX without call")
        << QByteArray("DX 14025.0")
        << QByteArray("Sorry, usage: DX <frequency kHz> <callsign> <remarks>\r\n");
    QTest::newRow("talk without text")
        << QByteArray("talk g4xyz") << QByteArray("Sorry, usage: TALK <callsign> <text>\r\n");
}

void TestTestNode::answersOtherCommands() {
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QSignalSpy commands(m_node.get(), &TestNode::commandReceived);
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectAndLogIn(socket, buffer, m_node->port(), "M0TST"));
    socket.write(command + CrLf);
    QVERIFY(waitForEnd(socket, buffer, promptLine("M0TST")));
    QCOMPARE(buffer, reply + promptLine("M0TST"));
    QCOMPARE(commands.count(), 1);
    QCOMPARE(commands.at(0).at(1).toByteArray(), command);
}

void TestTestNode::byeClosesConnection() {
    QSignalSpy disconnected(m_node.get(), &TestNode::clientDisconnected);
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectAndLogIn(socket, buffer, m_node->port(), "M0TST"));
    QCOMPARE(m_node->connectedClients(), QList<int>{0});
    socket.write("bye\r\n");
    QTRY_COMPARE(socket.state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(collect(socket, buffer), QByteArray("73 M0TST de N0CALL-2\r\n"));
    QTRY_COMPARE(disconnected.count(), 1);
    QVERIFY(m_node->connectedClients().isEmpty());
}

void TestTestNode::recordsRawClientBytesExactly() {
    QSignalSpy bytesReceived(m_node.get(), &TestNode::clientBytesReceived);
    QSignalSpy commands(m_node.get(), &TestNode::commandReceived);
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectTo(socket, m_node->port()));
    QVERIFY(waitForEnd(socket, buffer, LoginPrompt));

    // Option answers, a TTYPE subnegotiation and a NOP inside the call, cut mid-command
    // and between CR and LF, each piece in its own read.
    const QList<QByteArray> pieces = {
        QByteArrayLiteral("\xff"),
        QByteArray("\xfd\x01\xff\xfb\x18\xff\xfa\x18\x00"
                   "AN",
                   11),
        QByteArrayLiteral("SI\xff\xf0m0\xff\xf1ts"),
        QByteArrayLiteral("t\r"),
        QByteArrayLiteral("\nfrob \xff\xff x\r\n"),
    };
    QByteArray sent;
    for (const QByteArray& piece : pieces) {
        socket.write(piece);
        sent += piece;
        QTRY_COMPARE(m_node->receivedFrom(0), sent);
    }
    QVERIFY(bytesReceived.count() >= pieces.size());
    QCOMPARE(bytesReceived.at(0).at(0).toInt(), 0);
    QCOMPARE(m_node->loginCall(0), QByteArray("M0TST"));
    QTRY_COMPARE(commands.count(), 1);
    QCOMPARE(commands.at(0).at(1).toByteArray(), QByteArray("frob \xff x"));
    // The LF that came on its own after the login's CR was not an empty command.
    QVERIFY(waitForEnd(socket, buffer,
                       "Sorry, I don't understand 'frob . x'\r\n" + promptLine("M0TST")));
    QCOMPARE(buffer.count("dxspider >"), 2);
}

void TestTestNode::holdModeDeliversPiecesSeparately() {
    m_node->setSplitOffsets({9, 4});
    m_node->setHoldAtSplits(true);
    QSignalSpy held(m_node.get(), &TestNode::pieceHeld);
    QTcpSocket socket;
    QList<QByteArray> reads;
    connect(&socket, &QTcpSocket::readyRead, this, [&] { reads.append(socket.readAll()); });
    const QByteArray stream = DefaultNegotiation + LoginPrompt;
    QVERIFY(connectTo(socket, m_node->port()));

    QTRY_COMPARE(reads.join(), stream.first(4));
    QCOMPARE(held.count(), 1);
    QCOMPARE(held.at(0).at(0).toInt(), 0);
    QCOMPARE(held.at(0).at(1).value<qsizetype>(), 4);
    QVERIFY(m_node->isHeld(0));
    QCOMPARE(m_node->bytesSentTo(0), 4); // nothing more can be on its way

    m_node->releaseHeldPiece(0);
    QTRY_COMPARE(reads.join(), stream.first(9));
    QCOMPARE(held.count(), 2);
    QCOMPARE(held.at(1).at(1).value<qsizetype>(), 9);
    QCOMPARE(m_node->bytesSentTo(0), 9);

    m_node->releaseHeldPiece(0);
    QTRY_COMPARE(reads.join(), stream);
    QCOMPARE(reads, (QList<QByteArray>{stream.first(4), stream.sliced(4, 5), stream.sliced(9)}));
    QVERIFY(!m_node->isHeld(0));
}

void TestTestNode::delayModePausesBetweenPieces() {
    m_node->setSplitOffsets({6});
    m_node->setSplitDelay(100ms);
    QTcpSocket socket;
    QList<QByteArray> reads;
    connect(&socket, &QTcpSocket::readyRead, this, [&] { reads.append(socket.readAll()); });
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(connectTo(socket, m_node->port()));
    QTRY_COMPARE(reads.join(), DefaultNegotiation + LoginPrompt);
    QVERIFY(elapsed.elapsed() >= 90); // coarse timers may fire up to 5% early
    QCOMPARE(reads.first(), DefaultNegotiation);
}

void TestTestNode::floodSendsExactlyCountLines_data() {
    QTest::addColumn<int>("perSecond");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("beep");
    QTest::newRow("5000 a second") << 5000 << 1000 << true;
    QTest::newRow("200 a second, no beep") << 200 << 20 << false;
}

void TestTestNode::floodSendsExactlyCountLines() {
    QFETCH(int, perSecond);
    QFETCH(int, count);
    QFETCH(bool, beep);
    m_node->setBeep(beep);
    QSignalSpy finished(m_node.get(), &TestNode::floodFinished);
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectAndLogIn(socket, buffer, m_node->port(), "M0TST"));
    const qint64 sentBefore = m_node->bytesSentTo(0);

    QElapsedTimer elapsed;
    elapsed.start();
    m_node->flood(perSecond, count);
    QVERIFY(finished.wait(WaitMs));
    // The last spot is due (count - 1) / rate seconds after the first, never earlier.
    QVERIFY(elapsed.elapsed() >= qint64(count - 1) * 1000 / perSecond);
    QTRY_COMPARE(collect(socket, buffer).size(), m_node->bytesSentTo(0) - sentBefore);

    const QList<QByteArray> lines = buffer.split('\n').mid(0, count);
    QCOMPARE(buffer.count('\n'), count);
    QSet<QByteArray> calls;
    QSet<int> bands;
    for (const QByteArray& line : lines) {
        QVERIFY2(line.startsWith("DX de "), line.constData());
        QCOMPARE(line.size(), 75 + (beep ? 2 : 0) + 1);
        QVERIFY(line.endsWith(beep ? "0944Z\a\a\r" : "0944Z\r"));
        calls.insert(line.mid(26, 12).trimmed());
        bands.insert(static_cast<int>(line.mid(15, 9).toDouble() / 1000));
    }
    QVERIFY(calls.size() > count / 2);
    QVERIFY(bands.size() >= std::min(count / 4, 8));
}

void TestTestNode::replaysNonCommentLinesOfFile_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("real_lines.txt (LF line ends)") << QStringLiteral("real_lines.txt");
    QTest::newRow("real_spots.txt (CR LF, BEL, 8-bit)") << QStringLiteral("real_spots.txt");
}

void TestTestNode::replaysNonCommentLinesOfFile() {
    QFETCH(QString, name);
    const QString path = QStringLiteral(KESTREL_TEST_DATA "/") + name;
    const QByteArray expected = expectedReplay(dataFile(name.toLatin1().constData()));
    QVERIFY(expected.count('\n') > 50);
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectAndLogIn(socket, buffer, m_node->port(), "M0TST"));

    QVERIFY(m_node->replayFile(path));
    QVERIFY(waitForEnd(socket, buffer, expected.right(200)));
    QCOMPARE(buffer, expected);
    QVERIFY(!m_node->replayFile(path + QStringLiteral(".missing")));
}

void TestTestNode::survivesJunkAndHugeLines() {
    QTcpSocket socket;
    QByteArray buffer;
    QVERIFY(connectAndLogIn(socket, buffer, m_node->port(), "M0TST"));
    QRandomGenerator random(1234);
    QByteArray junk(256 * 1024, '\0');
    for (char& byte : junk)
        byte = static_cast<char>(random.bounded(255)); // 255 would start telnet commands
    const QByteArray hugeLine = QByteArray(100 * 1024, 'A') + CrLf;
    const QByteArray endlessSubnegotiation = "\xff\xfa\x18" + QByteArray(2000, 'x') + CrLf;
    const QByteArray all = junk + CrLf + hugeLine + endlessSubnegotiation + "sh/dx 1\r\n";
    socket.write(all);

    const QByteArray newest = m_node->spots().constFirst().dxCall;
    QVERIFY(!newest.isEmpty());
    const TestNodeSpot spot = m_node->spots().constFirst();
    const QByteArray listing =
        TestNode::formatListing(spot.spotter, spot.freqKhz, spot.dxCall, spot.remarks, spot.utc);
    QVERIFY(waitForEnd(socket, buffer, listing + CrLf + promptLine("M0TST")));
    QVERIFY(buffer.contains("Sorry, I don't understand '" + QByteArray(40, 'A') + "'\r\n"));
    QCOMPARE(m_node->receivedFrom(0), "M0TST\r\n" + all);
    QCOMPARE(m_node->connectedClients(), QList<int>{0});
}

QTEST_GUILESS_MAIN(TestTestNode)
#include "tst_testnode.moc"
