#include "SpotLines.h"
#include "scope/SpotParser.h"

#include <QTest>

#include <algorithm>

using SpotLines::dxDe;
using SpotLines::listing;

namespace {

// An announcement of XX9ZZ on 14025.0 kHz, and a listing line of it, changed in one part.
QByteArray spotBy(const QByteArray& spotter, const QByteArray& freq = "14025.0", int length = 75) {
    return dxDe(spotter, freq, "XX9ZZ", "CQ", length);
}

QByteArray listed(const QByteArray& date, const QByteArray& time = "0946Z",
                  const QByteArray& freq = "14025.0", int length = 77) {
    return listing(freq, "XX9ZZ", date, time, "CQ", length);
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
    void recognise_data();
    void recognise();
    void realLinesParseSanely_data();
    void realLinesParseSanely();
    void parse_data();
    void parse();
    void liveSpotTime_data();
    void liveSpotTime();
    void bandOf_data();
    void bandOf();
};

void SpotParserTest::recognise_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<char>("format"); // 'A' an announcement, 'B' a listing line, '-' neither

    const QByteArray spot = spotBy("XX1AA:");
    const QByteArray notice = QByteArray("ALL de 6-Dec-2026 0946Z CQ DX").leftJustified(70) + "<X>";
    QTest::newRow("A, 59 bytes") << spotBy("XX1AA:", "14025.0", 59) << '-';
    QTest::newRow("A, 60 bytes") << spotBy("XX1AA:", "14025.0", 60) << 'A';
    QTest::newRow("A, 90 bytes") << spotBy("XX1AA:", "14025.0", 90) << 'A';
    QTest::newRow("A, 91 bytes") << spotBy("XX1AA:", "14025.0", 91) << '-';
    QTest::newRow("ALL de") << "ALL de " + spot.mid(6) << '-';
    QTest::newRow("WWV de") << "WWV de " + spot.mid(6) << '-';
    QTest::newRow("spotter without colon") << spotBy("XX1AA") << '-';
    QTest::newRow("spotter of 10") << spotBy("XX1AA-1-#:") << '-';
    QTest::newRow("spotter of 9") << spotBy("XX1A-1-#:") << 'A';
    QTest::newRow("spotter of 2") << spotBy("X:") << 'A';
    QTest::newRow("four tokens") << QByteArray("DX de XX1AA: 14025.0").leftJustified(70) << '-';
    QTest::newRow("A, frequency abc") << spotBy("XX1AA:", "abc") << '-';
    QTest::newRow("A, 999.9") << spotBy("XX1AA:", "999.9") << '-';
    QTest::newRow("A, 1000.0") << spotBy("XX1AA:", "1000.0") << 'A';
    QTest::newRow("A, 11000000000.0") << spotBy("XX1AA:", "11000000000.0") << 'A';
    QTest::newRow("A, 11000000000.1") << spotBy("XX1AA:", "11000000000.1") << '-';
    QTest::newRow("A, exponent") << spotBy("XX1AA:", "1.4025e4") << 'A';
    QTest::newRow("B, 59 bytes") << listed("6-Dec-2026", "0946Z", "14025.0", 59) << '-';
    QTest::newRow("B, 60 bytes") << listed("6-Dec-2026", "0946Z", "14025.0", 60) << 'B';
    QTest::newRow("B, 79 bytes") << listed("6-Dec-2026", "0946Z", "14025.0", 79) << 'B';
    QTest::newRow("B, 80 bytes") << listed("6-Dec-2026", "0946Z", "14025.0", 80) << '-';
    QTest::newRow("B, ALL de") << notice << '-';
    QTest::newRow("three tokens") << QByteArray("14025.0 XX9ZZ 6-Dec-2026").leftJustified(70)
                                  << '-';
    QTest::newRow("day 06") << listed("06-Dec-2026") << 'B';
    QTest::newRow("day x") << listed("x-Dec-2026") << '-';
    QTest::newRow("year 1999") << listed("06-Dec-1999") << '-';
    QTest::newRow("time 0946") << listed("6-Dec-2026", "0946") << '-';
    QTest::newRow("time 09.6Z") << listed("6-Dec-2026", "09.6Z") << '-';
    QTest::newRow("B, frequency abc") << listed("6-Dec-2026", "0946Z", "abc") << '-';
}

void SpotParserTest::recognise() {
    QFETCH(QByteArray, line);
    QFETCH(char, format);
    QCOMPARE(SpotParser::IsDxDeLine(line), format == 'A');
    QCOMPARE(SpotParser::IsListingLine(line), format == 'B');
}

void SpotParserTest::realLinesParseSanely_data() {
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QList<int>>("counts"); // announcements, listing lines, neither

    QTest::newRow("real_spots") << SpotLines::realLines("real_spots.txt") << QList{591, 713, 14};
    QTest::newRow("real_lines") << SpotLines::realLines("real_lines.txt") << QList{23, 4, 31};
}

void SpotParserTest::realLinesParseSanely() {
    QFETCH(QByteArrayList, lines);
    QFETCH(QList<int>, counts);

    QList<int> found{0, 0, 0};
    for (const QByteArray& line : lines) {
        const bool announcement = SpotParser::IsDxDeLine(line);
        const bool listed = !announcement && SpotParser::IsListingLine(line);
        ++found[announcement ? 0 : listed ? 1 : 2];
        DxSpot spot;
        if (announcement || listed)
            (announcement ? SpotParser::ParseDxDeLine : SpotParser::ParseListingLine)(line, spot);
        QVERIFY2(spot.freqKhz == 0 || (spot.freqKhz >= 1000 && spot.dxCall[0] != ' ' &&
                                       spot.remarkView().size() <= 50),
                 line.constData());
    }
    QCOMPARE(found, counts);
}

// A live spot's time is on the UTC day that puts it nearest to its reception.
void SpotParserTest::liveSpotTime_data() {
    QTest::addColumn<QDateTime>("received");
    QTest::addColumn<int>("minuteOfDay");
    QTest::addColumn<QDateTime>("spotTime");
    const QDate day(2026, 12, 6);
    QTest::newRow("same day") << QDateTime(day, QTime(9, 46, 30), Qt::UTC) << 9 * 60 + 44
                              << QDateTime(day, QTime(9, 44), Qt::UTC);
    QTest::newRow("spotted before midnight")
        << QDateTime(day, QTime(0, 0, 30), Qt::UTC) << 23 * 60 + 59
        << QDateTime(day.addDays(-1), QTime(23, 59), Qt::UTC);
    QTest::newRow("node clock ahead past midnight")
        << QDateTime(day, QTime(23, 59, 50), Qt::UTC) << 1
        << QDateTime(day.addDays(1), QTime(0, 1), Qt::UTC);
}
void SpotParserTest::liveSpotTime() {
    QFETCH(QDateTime, received);
    QFETCH(int, minuteOfDay);
    QFETCH(QDateTime, spotTime);
    QCOMPARE(SpotParser::liveSpotTime(received.toSecsSinceEpoch(), minuteOfDay),
             spotTime.toSecsSinceEpoch());
}

void SpotParserTest::parse_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("fields"); // freqText|dxCall|remark
    // Each spot keeps its spotter and its own time: a live spot's HHMMZ as read (-1 none),
    // a listing's date and time.
    QTest::addColumn<QByteArray>("origin"); // spotter minuteOfDay spotTime
    const auto row = [](const char* name, const QByteArray& line, const char* fields,
                        const char* origin) {
        QTest::newRow(name) << line << QByteArray(fields) << QByteArray(origin);
    };

    row("worked example", dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ DX up 2"),
        "  14025.0|XX9ZZ       |CQ DX up 2 0655Z                       <XX1AA>", "XX1AA 415 -");
    row("locator after the time",
        "DX de W3LPL:      3525.1  E51DWC       Heard in WA                    0919Z FM19",
        "   3525.1|E51DWC      |Heard in WA 0919Z FM19                 <W3LPL>", "W3LPL 559 -");
    row("live spot without a time",
        "DX de W3LPL:      3525.1  E51DWC       Heard in WA                    FM19 ",
        "   3525.1|E51DWC      |Heard in WA FM19                       <W3LPL>", "W3LPL -1 -");
    row("remark cut at 50",
        dxDe("XX1AA:", "14025.0", "XX9ZZ", "QSX 14025.2 up 2 listening for EU only", 90),
        "  14025.0|XX9ZZ       |QSX 14025.2 up 2 listening for EU only 0655Z  <XX1", "XX1AA 415 -");
    row("13-character call, two decimals, node suffix",
        dxDe("AK7V-#:", "7025.30", "XX9ZZABCDEFGH", ""),
        "   7025.3|XX9ZZABCDEFG|0655Z                                  <AK7V-#>", "AK7V-# 415 -");
    row("highest frequency", dxDe("XX1AA:", "11000000000.0", "XX9ZZ", ""),
        "11000000000.0|XX9ZZ       |0655Z                                  <XX1AA>", "XX1AA 415 -");
    row("listing remark cut at 47",
        listing("7074.0", "N8PNK", "1-Mar-2026", "0331Z", "FT8 -15dB from EN74 1608Hz"),
        "   7074.0|N8PNK       |1-Mar-2026 0331Z FT8 -15dB from EN74 1608Hz <XX",
        "XX1AA -1 2026-03-01 03:31");
    row("listing, two-digit day", listed("16-Dec-2026", "2359Z"),
        "  14025.0|XX9ZZ       |16-Dec-2026 2359Z CQ <XX1AA>                   ",
        "XX1AA -1 2026-12-16 23:59");
    row("listing, no such day", listed("31-Feb-2026"),
        "  14025.0|XX9ZZ       |31-Feb-2026 0946Z CQ <XX1AA>                   ", "XX1AA -1 -");
}

// The whole record is written: what the line does not fill is NUL, isNew and the times 0.
void SpotParserTest::parse() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, fields);

    const bool announcement = SpotParser::IsDxDeLine(line);
    QVERIFY(announcement || SpotParser::IsListingLine(line));
    DxSpot spot{.isNew = true,
                .listed = announcement,
                .received = 12345,
                .arrival = 67,
                .spotTime = 1,
                .minuteOfDay = 1};
    const auto dirty = [](auto&... arrays) { (arrays.fill('x'), ...); };
    dirty(spot.freqText, spot.dxCall, spot.remark, spot.spotter, spot.line);
    (announcement ? SpotParser::ParseDxDeLine : SpotParser::ParseListingLine)(line, spot);
    QCOMPARE(QByteArrayList({spot.freqTextView().toByteArray(), spot.dxCallView().toByteArray(),
                             spot.remarkView().toByteArray()})
                 .join('|'),
             fields);
    const QByteArray time = spot.spotTime == 0
                                ? QByteArray("-")
                                : QDateTime::fromSecsSinceEpoch(spot.spotTime, Qt::UTC)
                                      .toString(u"yyyy-MM-dd hh:mm")
                                      .toLatin1();
    QFETCH(QByteArray, origin);
    QCOMPARE(spot.spotterView().toByteArray() + ' ' + QByteArray::number(spot.minuteOfDay) + ' ' +
                 time,
             origin);
    QCOMPARE(spot.listed, !announcement);
    QCOMPARE(spot.lineView(), QByteArrayView(line));
    QCOMPARE(spot.freqKhz, spot.freqTextView().trimmed().toDouble());
    QCOMPARE(spot.wholeKhz, qint64(spot.freqKhz));
    QVERIFY(!spot.isNew && spot.received == 0 && spot.arrival == 0);
    QVERIFY(restIsZero(spot.freqText, spot.freqTextView().size()));
    QVERIFY(restIsZero(spot.dxCall, spot.dxCallView().size()));
    QVERIFY(restIsZero(spot.remark, spot.remarkView().size()));
    QVERIFY(restIsZero(spot.spotter, spot.spotterView().size()));
    QVERIFY(restIsZero(spot.line, spot.lineView().size()));
}

void SpotParserTest::bandOf_data() {
    QTest::addColumn<QByteArray>("freq");
    QTest::addColumn<int>("band"); // -1: no band

    const struct {
        const char* freq;
        int band;
    } rows[] = {
        {"1000.0", 0},    {"1999.9", 0},      {"2000.9", 0},      {"2001.0", -1},  {"3500.0", 1},
        {"5357.0", -1},   {"14025.0", 4},     {"30000.9", 8},     {"54001.0", -1}, {"143999.9", -1},
        {"144000.0", 10}, {"10000000.9", 10}, {"10000001.0", -1},
    };
    for (const auto& row : rows)
        QTest::newRow(row.freq) << QByteArray(row.freq) << row.band;
}

// BandOf on the whole kHz of a parsed spot, so the truncation counts too.
void SpotParserTest::bandOf() {
    QFETCH(QByteArray, freq);
    QFETCH(int, band);

    DxSpot spot;
    SpotParser::ParseDxDeLine(spotBy("XX1AA:", freq), spot);
    const std::optional<Band> found = BandOf(spot.wholeKhz);
    QCOMPARE(found ? int(*found) : -1, band);
}

QTEST_GUILESS_MAIN(SpotParserTest)
#include "tst_spotparser.moc"
