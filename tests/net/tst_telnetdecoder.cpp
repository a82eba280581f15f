#include "TestBytes.h"
#include "net/TelnetDecoder.h"

#include <QTest>

using namespace Telnet;

namespace {

// Everything the decoder delivers, in order: "text <bytes>", "answer <hex>" and "bell".
// Adjacent text runs are joined, so a trace does not depend on where chunks were cut.
struct TraceSink : TelnetSink {
    QByteArrayList trace;

    void telnetText(QByteArrayView run) override {
        if (!trace.isEmpty() && trace.last().startsWith("text "))
            trace.last() += run;
        else
            trace.append("text " + run.toByteArray());
    }
    void telnetAnswer(QByteArrayView answer) override {
        trace.append("answer " + answer.toByteArray().toHex(' '));
    }
    void telnetBell() override { trace.append("bell"); }
};

const QByteArray bell = "bell";
// Stands between two chunks for a new connection: the decoder is reset there.
const QByteArray newConnection = "<new connection>";

QByteArray text(const QByteArray& shown) {
    return "text " + shown;
}

QByteArray answer(int verb, int option) {
    return "answer " + bytes({IAC, verb, option}).toHex(' ');
}

void feed(TelnetDecoder& decoder, const QByteArrayList& chunks) {
    for (const QByteArray& chunk : chunks) {
        if (chunk == newConnection)
            decoder.reset();
        else
            decoder.Kaiseki(chunk);
    }
}

QByteArrayList cutIntoSingleBytes(const QByteArrayList& chunks) {
    QByteArrayList pieces;
    for (const QByteArray& chunk : chunks) {
        if (chunk == newConnection)
            pieces.append(chunk);
        else
            for (const char byte : chunk)
                pieces.append(QByteArray(1, byte));
    }
    return pieces;
}

} // namespace

class TelnetDecoderTest : public QObject {
    Q_OBJECT

private slots:
    void decodes_data();
    void decodes();
};

void TelnetDecoderTest::decodes_data() {
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<QByteArrayList>("trace");
    const auto row = [](const char* name, const QByteArrayList& chunks,
                        const QByteArrayList& trace) { QTest::newRow(name) << chunks << trace; };

    row("WILL ECHO, WILL SGA: one DO each",
        {bytes({IAC, WILL, Echo, IAC, WILL, SuppressGoAhead, IAC, WILL, Echo})},
        {answer(DO, Echo), answer(DO, SuppressGoAhead)});
    row("WILL other: DONT each time, in stream order",
        {"a" + bytes({IAC, WILL, Compress2}) + "b" + bytes({IAC, WILL, Compress2})},
        {text("a"), answer(DONT, Compress2), text("b"), answer(DONT, Compress2)});
    row("WONT while on: one DONT, then WILL: DO again",
        {bytes({IAC, WILL, Echo, IAC, WONT, Echo, IAC, WONT, Echo, IAC, WILL, Echo})},
        {answer(DO, Echo), answer(DONT, Echo), answer(DO, Echo)});
    row("WONT while off: nothing", {bytes({IAC, WONT, Echo, IAC, WONT, 31})}, {});
    row("DO: WONT each time, whatever the node's side; DONT: nothing",
        {bytes({IAC, DO, TerminalType, IAC, WILL, Echo, IAC, DO, Echo, IAC, DONT, Echo, IAC, DO,
                Echo})},
        {answer(WONT, TerminalType), answer(DO, Echo), answer(WONT, Echo), answer(WONT, Echo)});
    row("IAC IAC is one data byte", {bytes({'a', IAC, IAC, 'b'})}, {text(bytes({'a', IAC, 'b'}))});
    // NOP, DM, BRK, IP, AO, AYT, EC, EL, GA, a stray SE and an unassigned code.
    QByteArray twoByteCommands;
    for (const int code : {241, 242, 243, 244, 245, 246, 247, 248, 249, 240, 200})
        twoByteCommands += bytes({IAC, code, 'x'});
    row("other commands take two bytes", {twoByteCommands}, {text(QByteArray(11, 'x'))});
    row("SB consumed whole",
        {"ab" + bytes({IAC, SB, Compress2, 1, IAC, IAC, BEL, NUL, IAC, SE}) + "cd"},
        {text("abcd")});
    row("overlong SB consumed whole",
        {bytes({IAC, SB, TerminalType}) + QByteArray(12000, 'X'),
         QByteArray(8000, 'X') + bytes({IAC, SE}) + "ok"},
        {text("ok")});
    row("SB without IAC SE ends at next command",
        {bytes({IAC, SB, TerminalType, 'a', IAC, WILL, Echo}) + "login: "},
        {answer(DO, Echo), text("login: ")});
    row("NUL dropped, one bell per chunk", {QByteArray("a\0b\a\a", 5) + "c\a", "\a\a"},
        {text("ab"), bell, text("c"), bell});
    row("new connection forgets options and cut commands",
        {bytes({IAC, WILL, Echo, IAC}), newConnection, bytes({WILL, Echo, IAC, WILL, Echo})},
        {answer(DO, Echo), text(bytes({WILL, Echo})), answer(DO, Echo)});
}

void TelnetDecoderTest::decodes() {
    QFETCH(QByteArrayList, chunks);
    QFETCH(QByteArrayList, trace);
    TraceSink sink;
    TelnetDecoder decoder(sink);
    feed(decoder, chunks);
    QCOMPARE(sink.trace.join(" | "), trace.join(" | "));
    QVERIFY(decoder.lastSubnegotiationBody().size() <= TelnetDecoder::SubnegotiationLimit);

    // Every command cut across reads decodes alike; only the bell counts reads.
    if (trace.contains(bell))
        return;
    TraceSink cutSink;
    TelnetDecoder cutDecoder(cutSink);
    feed(cutDecoder, cutIntoSingleBytes(chunks));
    QCOMPARE(cutSink.trace.join(" | "), trace.join(" | "));
}

QTEST_GUILESS_MAIN(TelnetDecoderTest)
#include "tst_telnetdecoder.moc"
