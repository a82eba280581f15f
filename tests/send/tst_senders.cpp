// The lines the operator sends: their text, their bytes in the terminal's character set
// and what reaches the node and the screen over a real socket.

#include "LoopbackPair.h"
#include "net/GuardedSender.h"
#include "net/NetTexts.h"
#include "screen/ScreenBuffer.h"
#include "send/LineComposer.h"
#include "send/LineSender.h"
#include "send/SendCharset.h"

#include <QTest>

namespace LC = LineComposer;

namespace {

QString text(const char16_t* utf16) {
    return QString::fromUtf16(utf16);
}

// Completed lines each followed by LF, then the line under construction.
QByteArray screenText(const ScreenBuffer& screen) {
    QByteArray shown;
    for (int i = 0; i < screen.currentIndex(); ++i)
        shown += screen.GetLine(i) + '\n';
    return shown + screen.GetCurrentLine();
}

} // namespace

class SendersTest : public QObject {
    Q_OBJECT

private slots:
    void composes_data();
    void composes();
    void encodes_data();
    void encodes();
    void sendsOnTheWire_data();
    void sendsOnTheWire();
};

// kind: S the send box (text), T a talk (partner, comment), D a DX report (freq, call,
// remarks), F the frequency field's key filter (keys typed -> keys kept). A row with a
// message is refused with it before anything is composed.
void SendersTest::composes_data() {
    QTest::addColumn<char>("kind");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, char kind, QStringList fields, const char16_t* line,
                        const char* message = "") {
        QTest::newRow(name) << kind << fields << text(line) << QString::fromLatin1(message);
    };
    // Blanks are every code up to the space: DEL, '!' and the no-break space stay.
    row("send, control codes", 'S', {text(u"\x01\t!sh/dx \x7f\u00a0\r\n")}, u"!sh/dx \x7f\u00a0");
    row("send, blanks only", 'S', {text(u" \t ")}, u"");
    row("talk, comment as typed", 'T', {text(u"  XX1AA "), text(u"  hi")}, u"TALK XX1AA   hi");
    row("talk, blanks pass", 'T', {text(u" "), text(u" ")}, u"TALK   ");
    row("talk, partner first", 'T', {QString(), QString()}, u"", "Please input Callsign");
    row("talk, no comment", 'T', {text(u"X"), QString()}, u"", "Please input Comment");
    row("DX, no remarks", 'D', {text(u"14025.5"), text(u"XX9ZZ"), QString()}, u"DX 14025.5 XX9ZZ ");
    row("DX, fields trimmed", 'D', {text(u" 7001 "), text(u"\txx9zz/p "), text(u"  up 2  ")},
        u"DX 7001 xx9zz/p up 2");
    row("DX, blanks pass", 'D', {text(u"  "), text(u"\t"), QString()}, u"DX   ");
    row("DX, freq first", 'D', {QString(), QString(), QString()}, u"", "Please input Freq");
    row("DX, no call", 'D', {text(u"7"), QString(), QString()}, u"", "Please input dx callsign");
    // '/' and ':' are the codes either side of the digits.
    row("freq keys", 'F', {text(u"1k/:4,- \x7f\uff11\u0661.0\b")}, u"14.0\b");
}

void SendersTest::composes() {
    QFETCH(char, kind);
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    QFETCH(QString, message);
    if (kind == 'F') {
        QString kept;
        for (const QChar key : fields[0])
            kept += LC::acceptsFreqKey(key) ? QString(key) : QString();
        QCOMPARE(kept, line);
        return;
    }
    if (kind != 'S') {
        const LC::ComposeProblem problem = kind == 'T' ? LC::checkTalk(fields[0], fields[1])
                                                       : LC::checkDxReport(fields[0], fields[1]);
        QCOMPARE(LC::problemText(problem), message);
        if (!message.isEmpty())
            return;
    }
    if (kind == 'S')
        QCOMPARE(LC::ComposeSendText(fields[0]), line);
    else if (kind == 'T')
        QCOMPARE(LC::ComposeTalk(fields[0], fields[1]), line);
    else
        QCOMPARE(LC::ComposeDxReport(fields[0], fields[1], fields[2]), line);
}

void SendersTest::encodes_data() {
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray sjis = "Shift_JIS";
    const QByteArray ansi = "windows-1252";
    QTest::newRow("Shift-JIS") << sjis << text(u"あア ~\\") << QByteArray("\x82\xa0\x83\x41 ~\\");
    QTest::newRow("Windows-1252") << ansi << text(u"café €あ") << QByteArray("caf\xe9 \x80?");
    // A surrogate pair is one character; the converter starts afresh after a failure.
    QTest::newRow("each unencodable is one ?")
        << sjis << text(u"é\U0001F600あ") << QByteArray("??\x82\xa0");
    QTest::newRow("lone surrogates")
        << ansi
        << QChar(char16_t(0xDC00)) + text(u"b") + QChar(char16_t(0xD83D)) + text(u"x") +
               QChar(char16_t(0xD800))
        << QByteArray("?b?x?");
    QTest::newRow("unknown codec is Latin-1")
        << QByteArray("no-such-codec") << text(u"ÿ€") << QByteArray("\xff?");
}

void SendersTest::encodes() {
    QFETCH(QByteArray, codec);
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QCOMPARE(SendCharset::encodeWith(codec.constData(), typed), bytes);
}

void SendersTest::sendsOnTheWire_data() {
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("localEcho");
    QTest::addColumn<bool>("sendCrLf");
    QTest::addColumn<int>("charset");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("CR LF, no echo, Shift-JIS")
        << true << false << true << 128 << QStringList{text(u"あ é"), QString(), text(u" a ")}
        << QByteArray("\x82\xa0 ?\r\n\r\n a \r\n") << QByteArray();
    QTest::newRow("CR LF, echo, Windows-1252")
        << true << true << true << 0 << QStringList{text(u"café あ"), QString()}
        << QByteArray("caf\xe9 ?\r\n\r\n") << QByteArray("caf\xe9 ?\n\n");
    // The screen completes a line only at LF: after CR alone the next text joins it.
    QTest::newRow("CR, echo") << true << true << false << 128
                              << QStringList{text(u"sh/dx"), text(u" 5")}
                              << QByteArray("sh/dx\r 5\r") << QByteArray("sh/dx 5");
    // The operator sees what was meant to go out below the error text.
    QTest::newRow("not connected, echo")
        << false << true << true << 128 << QStringList{text(u"sh/dx")} << QByteArray()
        << QByteArray(NetTexts::SocketSendError.latin1()) + "sh/dx\n";
}

void SendersTest::sendsOnTheWire() {
    QFETCH(bool, connected);
    QFETCH(bool, localEcho);
    QFETCH(bool, sendCrLf);
    QFETCH(int, charset);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, received);
    QFETCH(QByteArray, shown);
    ScreenBuffer screen;
    GuardedSender sender(screen);
    LoopbackPair pair;
    if (connected) {
        QVERIFY(pair.open());
        sender.setSocket(&pair.client);
    }
    LineSender lineSender(sender, screen);
    lineSender.setConnection(localEcho, sendCrLf);
    lineSender.setCharset(charset);
    for (const QString& line : lines)
        lineSender.SendLine(line);
    QCOMPARE(screenText(screen), shown);
    QTRY_COMPARE(pair.peerReceived, received);
}

QTEST_GUILESS_MAIN(SendersTest)
#include "tst_senders.moc"
