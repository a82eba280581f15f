#include "scope/ScopeSet.h"
#include "scope/SpotParser.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

namespace {

// The lines of a file in tests/data as they are stored, without comments and line ends.
QByteArrayList dataLines(const QString& name) {
    QFile file(QStringLiteral(KESTREL_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArrayList lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QByteArrayList result;
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.startsWith('#'))
            result << line;
    }
    return result;
}

// What the terminal's decoder hands on: the line without its BEL bytes.
QByteArray withoutBell(QByteArray line) {
    return line.replace('\a', QByteArray());
}

// The two spot shapes told in plain words, to judge the real lines by.
bool isSpotKhz(const QString& word) {
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const double khz = word.toDouble();
    return number.match(word).hasMatch() && khz >= 1000.0 && khz <= 11000000000.0;
}

bool neverASpot(const QString& line) {
    return line.startsWith(QLatin1String("ALL de ")) || line.startsWith(QLatin1String("WWV"));
}

// "DX de <spotter>: <kHz> <call> ...", 60 to 90 bytes, the spotter 2 to 9 characters.
bool looksLikeAnnouncement(const QByteArray& bytes) {
    const QString line = QString::fromLatin1(bytes);
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return line.size() >= 60 && line.size() <= 90 && !neverASpot(line) &&
           line.startsWith(QLatin1String("DX de ")) && words.size() >= 5 &&
           words[2].contains(QLatin1Char(':')) && words[2].size() >= 2 && words[2].size() <= 9 &&
           isSpotKhz(words[3]);
}

// "<kHz> <call> 6-Dec-2026 0946Z ...", 60 to 79 bytes.
bool looksLikeListing(const QByteArray& bytes) {
    static const QRegularExpression date(QStringLiteral("^\\d\\d?-[A-Za-z]{3}-20\\d\\d$"));
    static const QRegularExpression time(QStringLiteral("^\\d{4}Z$"));
    const QString line = QString::fromLatin1(bytes);
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return line.size() >= 60 && line.size() <= 79 && !neverASpot(line) && words.size() >= 4 &&
           date.match(words[2]).hasMatch() && time.match(words[3]).hasMatch() &&
           isSpotKhz(words[0]);
}

const qint64 bandEdges[BandCount][2] = {
    {1000, 2000},   {3500, 4000},   {7000, 8000},       {10000, 11000},
    {14000, 15000}, {18000, 19000}, {21000, 22000},     {24000, 25000},
    {28000, 30000}, {50000, 54000}, {144000, 10000000},
};

} // namespace

class RealSpotsTest : public QObject {
    Q_OBJECT

private slots:
    void judgedAsSpotsOrNot_data();
    void judgedAsSpotsOrNot();
    void tablesAfterEveryLine();
};

void RealSpotsTest::judgedAsSpotsOrNot_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("announcements");
    QTest::addColumn<int>("listings");
    QTest::addColumn<int>("others");
    QTest::addColumn<int>("withBell");

    QTest::newRow("real_spots") << QStringLiteral("real_spots.txt") << 591 << 713 << 14 << 1;
    QTest::newRow("real_lines") << QStringLiteral("real_lines.txt") << 23 << 4 << 31 << 0;
}

void RealSpotsTest::judgedAsSpotsOrNot() {
    QFETCH(QString, file);
    QFETCH(int, announcements);
    QFETCH(int, listings);
    QFETCH(int, others);
    QFETCH(int, withBell);

    const QByteArrayList lines = dataLines(file);
    QCOMPARE(lines.size(), announcements + listings + others);
    int counts[3] = {};
    int bells = 0;
    for (const QByteArray& stored : lines) {
        QByteArrayList variants{stored};
        if (withoutBell(stored) != stored) {
            variants << withoutBell(stored);
            ++bells;
        }
        for (const QByteArray& line : variants) {
            QVERIFY2(SpotParser::IsDxDeLine(line) == looksLikeAnnouncement(line), line.constData());
            QVERIFY2(SpotParser::IsListingLine(line) == looksLikeListing(line), line.constData());
        }
        ++counts[looksLikeAnnouncement(stored) ? 0 : looksLikeListing(stored) ? 1 : 2];
    }
    QCOMPARE(counts[0], announcements);
    QCOMPARE(counts[1], listings);
    QCOMPARE(counts[2], others);
    QCOMPARE(bells, withBell);
}

// Every real line through the screen into all twelve tables, one second apart.
void RealSpotsTest::tablesAfterEveryLine() {
    qint64 now = 1772323200; // 2026-03-01 00:00 UTC
    ScreenBuffer screen;
    LinePipeline pipeline;
    ScopeSet scopes;
    scopes.context().now = [&now] { return now; };
    scopes.attach(pipeline);
    screen.setPipeline(&pipeline);
    for (const QString& file :
         {QStringLiteral("real_spots.txt"), QStringLiteral("real_lines.txt")}) {
        for (const QByteArray& line : dataLines(file)) {
            ++now;
            screen.PutString(withoutBell(line) + "\r\n");
        }
    }

    // All, then 160 m to 2 m; 30, 17, 15, 12, 10, 6 and 2 m never filled up.
    const int expectedCounts[12] = {100, 100, 100, 100, 12, 100, 53, 28, 9, 41, 34, 3};
    for (int table = 0; table < 12; ++table) {
        const SpotScope& scope =
            table == 0 ? static_cast<const SpotScope&>(scopes.all()) : scopes.band(Band(table - 1));
        QCOMPARE(scope.count(), expectedCounts[table]);
        QByteArrayList newest;
        for (int i = 0; i < scope.count(); ++i) {
            const DxSpot& spot = scope.entry(i);
            const double khz = spot.freqTextView().trimmed().toDouble();
            if (spot.isNew)
                newest << spot.dxCallView().trimmed().toByteArray();
            QVERIFY(khz >= 1000.0);
            if (table > 0) {
                QVERIFY(qint64(khz) >= bandEdges[table - 1][0]);
                QVERIFY(qint64(khz) <= bandEdges[table - 1][1]);
            }
            for (int j = 0; j < i; ++j) {
                const DxSpot& before = scope.entry(j);
                const double beforeKhz = before.freqTextView().trimmed().toDouble();
                QVERIFY(qint64(beforeKhz) <= qint64(khz)); // sorted
                QVERIFY(before.dxCallView() != spot.dxCallView() ||
                        std::fabs(beforeKhz - khz) >= 1.0); // no duplicates left
            }
        }
        QCOMPARE(newest.size(), 1);
        if (table == 0 || table == 10)
            QCOMPARE(newest[0], "TZ1CE"); // the last spot of the files, on 6 m
    }
    // Every spot kept is younger than the lifetime; only the 10 GHz beacon is in no band.
    QCOMPARE(scopes.all().RefreshAll(scopes.filter()).lines.size(), 99);
}

QTEST_GUILESS_MAIN(RealSpotsTest)
#include "tst_realspots.moc"
