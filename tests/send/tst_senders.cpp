// The lines the operator sends: their text, their bytes in the terminal's character set
// and what reaches the node and the screen over a real socket, from any thread.

#include "LoopbackPair.h"
#include "base/SendCharset.h"
#include "net/GuardedSender.h"
#include "net/NetTexts.h"
#include "screen/ScreenBuffer.h"
#include "send/LineComposer.h"
#include "send/LineSender.h"

#include <QMutexLocker>
#include <QTest>
#include <QThread>

#include <memory>

using namespace Qt::StringLiterals;

namespace LC = LineComposer;

namespace {

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
    // kind: S the send box (text), T a talk (partner, comment), D a DX report (freq, call,
    // remarks), F the frequency field's key filter (keys typed -> keys kept). A row with a
    // message is refused with it before anything is composed.
    void composes_data() {
        QTest::addColumn<char>("kind");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, char kind, QStringList fields, const QString& line,
                            const char* message = "") {
            QTest::newRow(name) << kind << fields << line << QString::fromLatin1(message);
        };
        // Blanks are every code up to the space: DEL, '!' and the no-break space stay.
        row("send, control codes", 'S', {u"\x01\t!sh/dx \x7f\u00a0\r\n"_s}, u"!sh/dx \x7f\u00a0"_s);
        row("send, blanks only", 'S', {u" \t "_s}, u""_s);
        row("talk, comment as typed", 'T', {u"  XX1AA "_s, u"  hi"_s}, u"TALK XX1AA   hi"_s);
        row("talk, blanks pass", 'T', {u" "_s, u" "_s}, u"TALK   "_s);
        row("talk, partner first", 'T', {QString(), QString()}, u""_s, "Please input Callsign");
        row("talk, no comment", 'T', {u"X"_s, QString()}, u""_s, "Please input Comment");
        row("DX, no remarks", 'D', {u"14025.5"_s, u"XX9ZZ"_s, QString()}, u"DX 14025.5 XX9ZZ "_s);
        row("DX, fields trimmed", 'D', {u" 7001 "_s, u"\txx9zz/p "_s, u"  up 2  "_s},
            u"DX 7001 xx9zz/p up 2"_s);
        row("DX, blanks pass", 'D', {u"  "_s, u"\t"_s, QString()}, u"DX   "_s);
        row("DX, freq first", 'D', {QString(), QString(), QString()}, u""_s, "Please input Freq");
        row("DX, no call", 'D', {u"7"_s, QString(), QString()}, u""_s, "Please input dx callsign");
        // '/' and ':' are the codes either side of the digits.
        row("freq keys", 'F', {u"1k/:4,- \x7f\uff11\u0661.0\b"_s}, u"14.0\b"_s);
    }
    void composes() {
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
            const LC::ComposeProblem problem = kind == 'T'
                                                   ? LC::checkTalk(fields[0], fields[1])
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

    void encodes_data() {
        QTest::addColumn<QByteArray>("codec");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray sjis = "Shift_JIS";
        const QByteArray ansi = "windows-1252";
        QTest::newRow("Shift-JIS") << sjis << u"あア ~\\"_s << QByteArray("\x82\xa0\x83\x41 ~\\");
        QTest::newRow("Windows-1252") << ansi << u"café €あ"_s << QByteArray("caf\xe9 \x80?");
        // A surrogate pair is one character; the converter starts afresh after a failure.
        QTest::newRow("each unencodable is one ?")
            << sjis << u"é\U0001F600あ"_s << QByteArray("??\x82\xa0");
        QTest::newRow("lone surrogates")
            << ansi
            << QChar(char16_t(0xDC00)) + u"b"_s + QChar(char16_t(0xD83D)) + u"x"_s +
                   QChar(char16_t(0xD800))
            << QByteArray("?b?x?");
        QTest::newRow("unknown codec is Latin-1")
            << QByteArray("no-such-codec") << u"ÿ€"_s << QByteArray("\xff?");
    }
    void encodes() {
        QFETCH(QByteArray, codec);
        QFETCH(QString, typed);
        QTEST(SendCharset::encodeWith(codec.constData(), typed), "bytes");
    }

    void sendsOnTheWire_data() {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("localEcho");
        QTest::addColumn<bool>("sendCrLf");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("CR LF, no echo, Shift-JIS")
            << true << false << true << 128 << QStringList{u"あ é"_s, QString(), u" a "_s}
            << QByteArray("\x82\xa0 ?\r\n\r\n a \r\n") << QByteArray();
        QTest::newRow("CR LF, echo, Windows-1252")
            << true << true << true << 0 << QStringList{u"café あ"_s, QString()}
            << QByteArray("caf\xe9 ?\r\n\r\n") << QByteArray("caf\xe9 ?\n\n");
        // The screen completes a line only at LF: after CR alone the next text joins it.
        QTest::newRow("CR, echo") << true << true << false << 128
                                  << QStringList{u"sh/dx"_s, u" 5"_s} << QByteArray("sh/dx\r 5\r")
                                  << QByteArray("sh/dx 5");
        // The operator sees what was meant to go out below the error text.
        QTest::newRow("socket closed, echo")
            << false << true << true << 128 << QStringList{u"sh/dx"_s} << QByteArray()
            << QByteArray(NetTexts::SocketSendError.latin1()) + "sh/dx\n";
    }
    void sendsOnTheWire() {
        QFETCH(bool, connected);
        QFETCH(bool, localEcho);
        QFETCH(bool, sendCrLf);
        QFETCH(int, charset);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, received);
        ScreenBuffer screen;
        GuardedSender sender(screen);
        LoopbackPair pair;
        QVERIFY(!connected || pair.open());
        sender.setSocket(&pair.client); // unless opened, a closed socket
        LineSender lineSender(sender, screen);
        lineSender.setConnection(localEcho, sendCrLf);
        lineSender.setCharset(charset);
        for (const QString& line : lines)
            lineSender.SendLine(line);
        QTEST(screenText(screen), "shown");
        QTRY_COMPARE(pair.peerReceived, received);
    }

    // The text is put on the screen by the GUI thread: PutString asserts that.
    void failedSendFromWorkerShowsErrorText() {
        ScreenBuffer screen;
        GuardedSender sender(screen);
        std::unique_ptr<QThread> worker(QThread::create([&sender] { sender.GuardedSend("x"); }));
        worker->start();
        QVERIFY(worker->wait(5000));
        QTRY_COMPARE(screen.GetCurrentLine(), QByteArray(NetTexts::SocketSendError.latin1()));
    }

    void workerSendsArriveInOrderWithoutWaitingForScreenLock() {
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
};

QTEST_GUILESS_MAIN(SendersTest)
#include "tst_senders.moc"
