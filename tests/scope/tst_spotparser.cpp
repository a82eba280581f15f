#include "SpotLines.h"
#include "scope/SpotParser.h"

#include <QTest>

#include <algorithm>

using SpotLines::dxDe;
using SpotLines::listing;

namespace {

QByteArray replacedStart(QByteArray line, const QByteArray& start) {
    return line.replace(0, start.size(), start);
}

// True when every byte of the field after its text is NUL.
template <size_t N>
bool restIsZero(const std::array<char, N>& field, qsizetype used) {
    return std::all_of(field.begin() + used, field.end(), [](char c) { return c == '\0'; });
}

} // namespace

class SpotParserTest : public QObject {
    Q_OBJECT

private slots:
    void dxDeLine_data();
    void dxDeLine();
    void listingLine_data();
    void listingLine();
    void parse_data();
    void parse();
    void bandOf_data();
    void bandOf();
};

void SpotParserTest::dxDeLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("accepted");

    const QByteArray spot = dxDe("XX1AA:", "14025.0", "XX9ZZ");
    QTest::newRow("59 bytes") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ", 59) << false;
    QTest::newRow("60 bytes") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ", 60) << true;
    QTest::newRow("80 bytes") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ", 80) << true;
    QTest::newRow("90 bytes") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ", 90) << true;
    QTest::newRow("91 bytes") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ", 91) << false;
    QTest::newRow("ALL de") << replacedStart(spot, "ALL de ") << false;
    QTest::newRow("WWV de") << replacedStart(spot, "WWV de ") << false;
    QTest::newRow("lower case") << spot.toLower() << false;
    QTest::newRow("leading blank") << ' ' + spot << false;
    QTest::newRow("spotter without colon") << dxDe("XX1AA", "14025.0", "XX9ZZ") << false;
    QTest::newRow("spotter of 10") << dxDe("XX1AA-1-#:", "14025.0", "XX9ZZ") << false;
    QTest::newRow("spotter of 9") << dxDe("XX1A-1-#:", "14025.0", "XX9ZZ") << true;
    QTest::newRow("spotter of 2") << dxDe("X:", "14025.0", "XX9ZZ") << true;
    QTest::newRow("colon alone") << dxDe(":", "14025.0", "XX9ZZ") << false;
    QTest::newRow("four tokens") << QByteArray("DX de XX1AA: 14025.0").leftJustified(70) << false;
    QTest::newRow("frequency abc") << dxDe("XX1AA:", "abc", "XX9ZZ") << false;
    QTest::newRow("frequency 14025,0") << dxDe("XX1AA:", "14025,0", "XX9ZZ") << false;
    QTest::newRow("MHz frequency") << dxDe("XX1AA:", "14.025", "XX9ZZ") << false;
    QTest::newRow("999.9") << dxDe("XX1AA:", "999.9", "XX9ZZ") << false;
    QTest::newRow("1000.0") << dxDe("XX1AA:", "1000.0", "XX9ZZ") << true;
    QTest::newRow("11000000000.0") << dxDe("XX1AA:", "11000000000.0", "XX9ZZ") << true;
    QTest::newRow("11000000000.1") << dxDe("XX1AA:", "11000000000.1", "XX9ZZ") << false;
    QTest::newRow("exponent") << dxDe("XX1AA:", "1.4025e4", "XX9ZZ") << true;
    QTest::newRow("listing line") << listing("14025.0", "XX9ZZ") << false;
}

void SpotParserTest::dxDeLine() {
    QFETCH(QByteArray, line);
    QFETCH(bool, accepted);
    QCOMPARE(SpotParser::IsDxDeLine(line), accepted);
}

void SpotParserTest::listingLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("accepted");

    const QByteArray notice =
        QByteArray("ALL de 6-Dec-2026 0946Z CQ DX").leftJustified(70) + "<XX1AA>";
    QTest::newRow("59 bytes") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "0946Z", "CQ", 59)
                              << false;
    QTest::newRow("60 bytes") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "0946Z", "CQ", 60)
                              << true;
    QTest::newRow("79 bytes") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "0946Z", "CQ", 79)
                              << true;
    QTest::newRow("80 bytes") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "0946Z", "CQ", 80)
                              << false;
    QTest::newRow("ALL de") << notice << false;
    QTest::newRow("WWV de") << replacedStart(notice, "WWV de ") << false;
    QTest::newRow("three tokens") << QByteArray("14025.0 XX9ZZ 6-Dec-2026").leftJustified(70)
                                  << false;
    QTest::newRow("announcement") << dxDe("XX1AA:", "14025.0", "XX9ZZ") << false;
    QTest::newRow("day 06") << listing("14025.0", "XX9ZZ", "06-Dec-2026") << true;
    QTest::newRow("day 6") << listing("14025.0", "XX9ZZ", "6-Dec-2026") << true;
    QTest::newRow("day x") << listing("14025.0", "XX9ZZ", "x-Dec-2026") << false;
    QTest::newRow("day 0x") << listing("14025.0", "XX9ZZ", "0x-Dec-2026") << false;
    QTest::newRow("day 123") << listing("14025.0", "XX9ZZ", "123-Dec-2026") << false;
    QTest::newRow("-20 too early") << listing("14025.0", "XX9ZZ", "06-200-2026") << false;
    QTest::newRow("-20 too early, day 6") << listing("14025.0", "XX9ZZ", "6-200-2026") << false;
    QTest::newRow("year 1999") << listing("14025.0", "XX9ZZ", "06-Dec-1999") << false;
    QTest::newRow("year 20x6") << listing("14025.0", "XX9ZZ", "06-Dec-20x6") << false;
    QTest::newRow("year 20x6, day 6") << listing("14025.0", "XX9ZZ", "6-Dec-20x6") << false;
    QTest::newRow("year 26") << listing("14025.0", "XX9ZZ", "6-Dec-26") << false;
    QTest::newRow("ISO date") << listing("14025.0", "XX9ZZ", "2026-12-06") << false;
    QTest::newRow("time 0946") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "0946") << false;
    QTest::newRow("time 0946z") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "0946z") << false;
    QTest::newRow("time 09.6Z") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "09.6Z") << false;
    QTest::newRow("time 0946ZZ") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "0946ZZ") << false;
    QTest::newRow("frequency abc") << listing("abc", "XX9ZZ") << false;
    QTest::newRow("999.9") << listing("999.9", "XX9ZZ") << false;
    QTest::newRow("1000.0") << listing("1000.0", "XX9ZZ") << true;
    QTest::newRow("11000000000.0") << listing("11000000000.0", "XX9ZZ") << true;
}

void SpotParserTest::listingLine() {
    QFETCH(QByteArray, line);
    QFETCH(bool, accepted);
    QCOMPARE(SpotParser::IsListingLine(line), accepted);
}

void SpotParserTest::parse_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("freqText");
    QTest::addColumn<QByteArray>("dxCall");
    QTest::addColumn<QByteArray>("remark");

    QTest::newRow("worked example") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ DX up 2")
                                    << QByteArray("  14025.0") << QByteArray("XX9ZZ       ")
                                    << QByteArray("CQ DX up 2 0655Z                       <XX1AA>");
    QTest::newRow("locator after the time")
        << QByteArray("DX de W3LPL:      3525.1  E51DWC       Heard in WA                    "
                      "0919Z FM19")
        << QByteArray("   3525.1") << QByteArray("E51DWC      ")
        << QByteArray("Heard in WA 0919Z FM19                 <W3LPL>");
    QTest::newRow("remark cut at 50")
        << dxDe("XX1AA:", "14025.0", "XX9ZZ", "QSX 14025.2 up 2 listening for EU only", 90)
        << QByteArray("  14025.0") << QByteArray("XX9ZZ       ")
        << QByteArray("QSX 14025.2 up 2 listening for EU only 0655Z  <XX1");
    QTest::newRow("13-character call")
        << dxDe("XX1AA:", "14025.0", "XX9ZZABCDEFGH", "") << QByteArray("  14025.0")
        << QByteArray("XX9ZZABCDEFG")
        << QByteArray("0655Z                                  <XX1AA>");
    QTest::newRow("two decimals") << dxDe("AK7V-#:", "7025.30", "AC2K", "CW")
                                  << QByteArray("   7025.3") << QByteArray("AC2K        ")
                                  << QByteArray("CW 0655Z                               <AK7V-#>");
    QTest::newRow("highest frequency")
        << dxDe("XX1AA:", "11000000000.0", "XX9ZZ", "") << QByteArray("11000000000.0")
        << QByteArray("XX9ZZ       ")
        << QByteArray("0655Z                                  <XX1AA>");
    QTest::newRow("listing") << listing("14025.0", "XX9ZZ", "6-Dec-2026", "0946Z", "test")
                             << QByteArray("  14025.0") << QByteArray("XX9ZZ       ")
                             << QByteArray("6-Dec-2026 0946Z test <XX1AA>                  ");
    QTest::newRow("listing remark cut at 47")
        << listing("7074.0", "N8PNK", "1-Mar-2026", "0331Z", "FT8 -15dB from EN74 1608Hz")
        << QByteArray("   7074.0") << QByteArray("N8PNK       ")
        << QByteArray("1-Mar-2026 0331Z FT8 -15dB from EN74 1608Hz <XX");
    QTest::newRow("listing, 13-character call")
        << listing("1000.0", "XX9ZZABCDEFGH", "06-Dec-2026") << QByteArray("   1000.0")
        << QByteArray("XX9ZZABCDEFG")
        << QByteArray("06-Dec-2026 0946Z CQ DX <XX1AA>                ");
}

void SpotParserTest::parse() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, freqText);
    QFETCH(QByteArray, dxCall);
    QFETCH(QByteArray, remark);

    DxSpot spot;
    spot.isNew = true;
    spot.received = 12345;
    spot.remark.fill('x');
    if (SpotParser::IsDxDeLine(line)) {
        SpotParser::ParseDxDeLine(line, spot);
    } else {
        QVERIFY(SpotParser::IsListingLine(line));
        SpotParser::ParseListingLine(line, spot);
    }
    QCOMPARE(spot.freqTextView(), freqText);
    QCOMPARE(spot.dxCallView(), dxCall);
    QCOMPARE(spot.remarkView(), remark);
    QCOMPARE(spot.freqKhz, freqText.trimmed().toDouble());
    QCOMPARE(spot.wholeKhz, qint64(freqText.trimmed().toDouble()));
    QVERIFY(!spot.isNew);
    QCOMPARE(spot.received, 0);
    QVERIFY(restIsZero(spot.freqText, freqText.size()));
    QVERIFY(restIsZero(spot.dxCall, dxCall.size()));
    QVERIFY(restIsZero(spot.remark, remark.size()));
}

void SpotParserTest::bandOf_data() {
    QTest::addColumn<QByteArray>("freq");
    QTest::addColumn<int>("band"); // -1: no band

    const struct {
        const char* freq;
        int band;
    } rows[] = {
        {"1000.0", 0},      {"1999.9", 0},      {"2000.9", 0},         {"2001.0", -1},
        {"3499.9", -1},     {"3500.0", 1},      {"4000.9", 1},         {"5357.0", -1},
        {"7000.0", 2},      {"8000.0", 2},      {"10136.0", 3},        {"14025.0", 4},
        {"18100.0", 5},     {"21000.0", 6},     {"24915.0", 7},        {"28000.0", 8},
        {"30000.9", 8},     {"50313.0", 9},     {"54001.0", -1},       {"70000.0", -1},
        {"143999.9", -1},   {"144000.0", 10},   {"430000.0", 10},      {"10000000.9", 10},
        {"10000001.0", -1}, {"10368961.9", -1}, {"11000000000.0", -1},
    };
    for (const auto& row : rows)
        QTest::newRow(row.freq) << QByteArray(row.freq) << row.band;
}

// BandOf on the whole kHz of a parsed spot, so the truncation counts too.
void SpotParserTest::bandOf() {
    QFETCH(QByteArray, freq);
    QFETCH(int, band);

    const QByteArray line = dxDe("XX1AA:", freq, "XX9ZZ");
    QVERIFY(SpotParser::IsDxDeLine(line));
    DxSpot spot;
    SpotParser::ParseDxDeLine(line, spot);
    const std::optional<Band> found = BandOf(spot.wholeKhz);
    QCOMPARE(found ? int(*found) : -1, band);
}

QTEST_GUILESS_MAIN(SpotParserTest)
#include "tst_spotparser.moc"
