#include "TestBytes.h"
#include "net/TelnetDecoder.h"

#include <QList>
#include <QTest>

namespace {

// Keeps everything the decoder delivers.
struct Recorder : TelnetSink {
    QByteArray text;
    QList<QByteArray> answers;
    int bells = 0;

    void telnetText(QByteArrayView run) override { text.append(run); }
    void telnetAnswer(QByteArrayView answer) override { answers.append(answer.toByteArray()); }
    void telnetBell() override { ++bells; }

    QByteArray allAnswers() const { return answers.join(); }
};

struct Decoded {
    QByteArray text;
    QByteArray answers;
    int bells = 0;
    bool operator==(const Decoded&) const = default;
};

char* toString(const Decoded& d) {
    return QTest::toString(d.text.toHex(' ') + " | " + d.answers.toHex(' ') + " | " +
                           QByteArray::number(d.bells));
}

Decoded decodeInChunks(const QList<QByteArray>& chunks) {
    Recorder recorder;
    TelnetDecoder decoder(recorder);
    for (const QByteArray& chunk : chunks)
        decoder.Kaiseki(chunk);
    return {recorder.text, recorder.allAnswers(), recorder.bells};
}

// A stream that uses every kind of unit the decoder knows.
QByteArray everyKindOfUnit() {
    return QByteArray("Hello") + bytes({255, 251, 1}) + bytes({255, 253, 24}) + QByteArray("a") +
           bytes({255, 255}) + QByteArray("b") + bytes({255, 249}) + QByteArray("c") +
           bytes({255, 250, 24, 1, 255, 255, 2, 255, 240}) + QByteArray("d") +
           bytes({255, 251, 3}) + bytes({255, 252, 1}) + bytes({255, 254, 3}) +
           QByteArray("e\0f", 3) + bytes({255, 241}) + QByteArray("login: ");
}

} // namespace

class TelnetDecoderTest : public QObject {
    Q_OBJECT

private slots:
    void answersOptions_data();
    void answersOptions();
    void twoRequestsGiveTwoSeparateAnswers();
    void iacIacIsOneDataByte();
    void twoByteCommandsTakeTwoBytes_data();
    void twoByteCommandsTakeTwoBytes();
    void subnegotiationIsConsumedWhole();
    void unrequestedCompressionStartsNothing();
    void overlongSubnegotiationIsNeverShown();
    void subnegotiationWithoutSeEndsAtNextCommand();
    void nulVanishesAndBellRingsOncePerChunk();
    void commandCutAtEveryPositionDecodesAlike();
    void commandCutIntoSingleBytesDecodesAlike();
    void resetForgetsOptionsAndPartialCommands();
};

void TelnetDecoderTest::answersOptions_data() {
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QByteArray>("answered");

    const QByteArray willEcho = bytes({255, 251, 1});
    const QByteArray wontEcho = bytes({255, 252, 1});
    const QByteArray doEcho = bytes({255, 253, 1});
    const QByteArray dontEcho = bytes({255, 254, 1});

    QTest::newRow("WILL ECHO while off: DO") << willEcho << doEcho;
    QTest::newRow("WILL SGA while off: DO") << bytes({255, 251, 3}) << bytes({255, 253, 3});
    QTest::newRow("WILL ECHO while on: nothing") << willEcho + willEcho << doEcho;
    QTest::newRow("WILL other: DONT") << bytes({255, 251, 31}) << bytes({255, 254, 31});
    QTest::newRow("WILL other again: DONT each time")
        << bytes({255, 251, 86, 255, 251, 86}) << bytes({255, 254, 86, 255, 254, 86});
    QTest::newRow("WONT ECHO while on: DONT") << willEcho + wontEcho << doEcho + dontEcho;
    QTest::newRow("WONT ECHO while off: nothing") << wontEcho << QByteArray();
    QTest::newRow("WONT other: nothing") << bytes({255, 252, 31}) << QByteArray();
    QTest::newRow("WONT twice after WILL: one DONT")
        << willEcho + wontEcho + wontEcho << doEcho + dontEcho;
    QTest::newRow("WILL after WONT: DO again")
        << willEcho + wontEcho + willEcho << doEcho + dontEcho + doEcho;
    QTest::newRow("DO TTYPE: WONT") << bytes({255, 253, 24}) << bytes({255, 252, 24});
    QTest::newRow("DO ECHO: WONT") << doEcho << wontEcho;
    QTest::newRow("DO again: WONT each time") << doEcho + doEcho << wontEcho + wontEcho;
    QTest::newRow("DONT: nothing") << dontEcho << QByteArray();
    QTest::newRow("DONT after DO: nothing more") << doEcho + dontEcho << wontEcho;
}

void TelnetDecoderTest::answersOptions() {
    QFETCH(QByteArray, received);
    QFETCH(QByteArray, answered);
    const Decoded decoded = decodeInChunks({received});
    QCOMPARE(decoded.answers.toHex(' '), answered.toHex(' '));
    QVERIFY(decoded.text.isEmpty());
}

void TelnetDecoderTest::twoRequestsGiveTwoSeparateAnswers() {
    Recorder recorder;
    TelnetDecoder decoder(recorder);
    decoder.Kaiseki(bytes({255, 251, 1, 255, 251, 3}));
    QCOMPARE(recorder.answers, QList<QByteArray>({bytes({255, 253, 1}), bytes({255, 253, 3})}));
    QVERIFY(decoder.remoteOptionEnabled(Telnet::Echo));
    QVERIFY(decoder.remoteOptionEnabled(Telnet::SuppressGoAhead));
    QVERIFY(!decoder.remoteOptionEnabled(Telnet::TerminalType));
}

void TelnetDecoderTest::iacIacIsOneDataByte() {
    const Decoded decoded = decodeInChunks({bytes({255, 255, 65})});
    QCOMPARE(decoded.text, bytes({255, 65}));
    QVERIFY(decoded.answers.isEmpty());
}

void TelnetDecoderTest::twoByteCommandsTakeTwoBytes_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("NOP") << 241;
    QTest::newRow("DM") << 242;
    QTest::newRow("BRK") << 243;
    QTest::newRow("IP") << 244;
    QTest::newRow("AO") << 245;
    QTest::newRow("AYT") << 246;
    QTest::newRow("EC") << 247;
    QTest::newRow("EL") << 248;
    QTest::newRow("GA") << 249;
    QTest::newRow("stray SE") << 240;
    QTest::newRow("unassigned") << 200;
}

void TelnetDecoderTest::twoByteCommandsTakeTwoBytes() {
    QFETCH(int, command);
    const Decoded decoded = decodeInChunks({bytes({255, command, 65, 66})});
    QCOMPARE(decoded.text, QByteArray("AB"));
    QVERIFY(decoded.answers.isEmpty());
}

void TelnetDecoderTest::subnegotiationIsConsumedWhole() {
    Recorder recorder;
    TelnetDecoder decoder(recorder);
    decoder.Kaiseki(QByteArray("ab") + bytes({255, 250, 24, 1, 255, 255, 7, 0, 255, 240}) +
                    QByteArray("cd"));
    QCOMPARE(recorder.text, QByteArray("abcd"));
    QVERIFY(recorder.answers.isEmpty());
    QCOMPARE(recorder.bells, 0);
    QCOMPARE(decoder.lastSubnegotiationOption(), std::uint8_t(24));
    QCOMPARE(decoder.lastSubnegotiationBody().toByteArray(), bytes({1, 255, 7, 0}));
}

void TelnetDecoderTest::unrequestedCompressionStartsNothing() {
    // IAC SB COMPRESS2 IAC SE without our consent: the rest stays plain text.
    const Decoded decoded =
        decodeInChunks({bytes({255, 250, 86, 255, 240}) + QByteArray("DX de M0TST:\r\n")});
    QCOMPARE(decoded.text, QByteArray("DX de M0TST:\r\n"));
    QVERIFY(decoded.answers.isEmpty());
}

void TelnetDecoderTest::overlongSubnegotiationIsNeverShown() {
    Recorder recorder;
    TelnetDecoder decoder(recorder);
    const QByteArray body(20000, 'X');
    decoder.Kaiseki(bytes({255, 250, 24}) + body.first(12000));
    decoder.Kaiseki(body.sliced(12000) + bytes({255, 240}) + QByteArray("ok"));
    QCOMPARE(recorder.text, QByteArray("ok"));
    QCOMPARE(decoder.lastSubnegotiationBody().size(), TelnetDecoder::SubnegotiationLimit);
    QCOMPARE(decoder.lastSubnegotiationDropped(), 20000 - TelnetDecoder::SubnegotiationLimit);
}

void TelnetDecoderTest::subnegotiationWithoutSeEndsAtNextCommand() {
    const Decoded decoded =
        decodeInChunks({bytes({255, 250, 24, 'a', 255, 251, 1}) + QByteArray("text")});
    QCOMPARE(decoded.text, QByteArray("text"));
    QCOMPARE(decoded.answers, bytes({255, 253, 1}));
}

void TelnetDecoderTest::nulVanishesAndBellRingsOncePerChunk() {
    const QByteArray spot =
        QByteArray("DX de M0TST:     14025.0  XX9ZZ        test                           0944Z") +
        bytes({7, 7}) + QByteArray("\r\n");
    const Decoded oneChunk = decodeInChunks({QByteArray("a\0b", 3) + spot + spot});
    const QByteArray shownSpot = QByteArray(spot).replace('\a', "");
    QCOMPARE(oneChunk.text, "ab" + shownSpot + shownSpot);
    QCOMPARE(oneChunk.bells, 1);

    QCOMPARE(decodeInChunks({spot, spot, QByteArray(5000, '\a')}).bells, 3);
}

void TelnetDecoderTest::commandCutAtEveryPositionDecodesAlike() {
    const QByteArray stream = everyKindOfUnit();
    const Decoded whole = decodeInChunks({stream});
    QCOMPARE(whole.text, QByteArray("Helloa\xff"
                                    "bcde") +
                             QByteArray("flogin: "));
    QCOMPARE(whole.answers, bytes({255, 253, 1, 255, 252, 24, 255, 253, 3, 255, 254, 1}));
    for (qsizetype cut = 1; cut < stream.size(); ++cut) {
        const Decoded split = decodeInChunks({stream.first(cut), stream.sliced(cut)});
        QVERIFY2(split.text == whole.text && split.answers == whole.answers,
                 qPrintable(QStringLiteral("cut at byte %1").arg(cut)));
    }
}

void TelnetDecoderTest::commandCutIntoSingleBytesDecodesAlike() {
    const QByteArray stream = everyKindOfUnit();
    QList<QByteArray> singleBytes;
    for (char byte : stream)
        singleBytes.append(QByteArray(1, byte));
    QCOMPARE(decodeInChunks(singleBytes), decodeInChunks({stream}));
}

void TelnetDecoderTest::resetForgetsOptionsAndPartialCommands() {
    Recorder recorder;
    TelnetDecoder decoder(recorder);
    decoder.Kaiseki(bytes({255, 251, 1, 255}));
    decoder.reset();
    QVERIFY(!decoder.remoteOptionEnabled(Telnet::Echo));
    decoder.Kaiseki(bytes({251, 1}));
    QCOMPARE(recorder.text, bytes({251, 1}));
    decoder.Kaiseki(bytes({255, 251, 1}));
    QCOMPARE(recorder.allAnswers(), bytes({255, 253, 1, 255, 253, 1}));
}

QTEST_GUILESS_MAIN(TelnetDecoderTest)
#include "tst_telnetdecoder.moc"
