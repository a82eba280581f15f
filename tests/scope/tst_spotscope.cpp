#include "SpotLines.h"
#include "scope/ScopeSet.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"

#include <QTest>

using SpotLines::dxDe;

namespace {

constexpr qint64 Start = 1767225600; // 2026-01-01 00:00 UTC

const char* const tableNames[] = {"all", "160", "80", "40", "30", "20",
                                  "17",  "15",  "12", "10", "6",  "2"};

// Band edges in whole kHz, 160 m first.
constexpr qint64 bandEdges[BandCount][2] = {
    {1000, 2000},   {3500, 4000},   {7000, 8000},       {10000, 11000},
    {14000, 15000}, {18000, 19000}, {21000, 22000},     {24000, 25000},
    {28000, 30000}, {50000, 54000}, {144000, 10000000},
};

// The twelve tables behind a screen, on a clock the test sets.
struct Scope {
    qint64 now = Start;
    ScreenBuffer screen;
    LinePipeline pipeline;
    ScopeSet set;

    Scope() {
        set.context().now = [this] { return now; };
        set.attach(pipeline);
        screen.setPipeline(&pipeline);
    }
    void receive(const QByteArray& line) { screen.PutString(line + "\r\n"); }
    void spot(const QByteArray& call, const QByteArray& freq) {
        receive(dxDe("XX1AA:", freq, call));
    }
    AllBandsScope& all() { return set.all(); }
    BandScope& band(Band band) { return set.band(band); }
    SpotScope& table(int i) { return i == 0 ? static_cast<SpotScope&>(all()) : band(Band(i - 1)); }
    ScopeListing allList() { return all().RefreshAll(set.filter()); }
};

// Each entry as "<frequency> <call>", in table order.
QByteArrayList entries(const SpotScope& scope) {
    QByteArrayList result;
    for (int i = 0; i < scope.count(); ++i) {
        const DxSpot& spot = scope.entry(i);
        result << spot.freqTextView().trimmed().toByteArray() + ' ' +
                      spot.dxCallView().trimmed().toByteArray();
    }
    return result;
}

} // namespace

class SpotScopeTest : public QObject {
    Q_OBJECT

private slots:
    void fullTableDropsOldest_data();
    void fullTableDropsOldest();
    void respotWithinOneKhzReplaces_data();
    void respotWithinOneKhzReplaces();
    void lifetimeHidesButKeepsSpots();
    void focusSelectsNewestWhenShown_data();
    void focusSelectsNewestWhenShown();
    void lineLayout();
    void sortedAndListedByCheckedBand();
    void bandPasses_data();
    void bandPasses();
    void pipelineFeedsTables_data();
    void pipelineFeedsTables();
};

void SpotScopeTest::fullTableDropsOldest_data() {
    QTest::addColumn<QList<int>>("early"); // spots received before all the others
    QTest::addColumn<QByteArray>("dropped");

    QTest::newRow("oldest highest") << QList<int>{99} << QByteArray("14099.0 XX99");
    QTest::newRow("two equally old") << QList<int>{30, 70} << QByteArray("14030.0 XX30");
}

void SpotScopeTest::fullTableDropsOldest() {
    QFETCH(QList<int>, early);
    QFETCH(QByteArray, dropped);

    Scope scope;
    for (int i = 0; i < 100; ++i) {
        scope.now = Start + (early.contains(i) ? -600 : i);
        scope.spot("XX" + QByteArray::number(i), QByteArray::number(14000 + i) + ".0");
    }
    QByteArrayList expected = entries(scope.all());
    QCOMPARE(expected.size(), 100);

    scope.now = Start + 1000;
    scope.spot("YY1A", "14050.5");
    QVERIFY(expected.removeOne(dropped));
    expected.insert(expected.indexOf("14050.0 XX50") + 1, "14050.5 YY1A");
    QCOMPARE(entries(scope.all()), expected);
    QCOMPARE(entries(scope.band(Band::M20)), expected);
}

void SpotScopeTest::respotWithinOneKhzReplaces_data() {
    QTest::addColumn<QByteArrayList>("spots"); // "<call> <frequency>", in arrival order
    QTest::addColumn<QByteArrayList>("kept");

    QTest::newRow("0.5 kHz up") << QByteArrayList{"XX9ZZ 14024.5", "XX9ZZ 14025.0"}
                                << QByteArrayList{"14025.0 XX9ZZ"};
    QTest::newRow("0.9 kHz down") << QByteArrayList{"XX9ZZ 14025.9", "XX9ZZ 14025.0"}
                                  << QByteArrayList{"14025.0 XX9ZZ"};
    QTest::newRow("1.0 kHz up") << QByteArrayList{"XX9ZZ 14025.0", "XX9ZZ 14026.0"}
                                << QByteArrayList{"14025.0 XX9ZZ", "14026.0 XX9ZZ"};
    QTest::newRow("other case") << QByteArrayList{"XX9ZZ 14025.0", "xx9zz 14025.0"}
                                << QByteArrayList{"14025.0 XX9ZZ", "14025.0 xx9zz"};
}

void SpotScopeTest::respotWithinOneKhzReplaces() {
    QFETCH(QByteArrayList, spots);
    QFETCH(QByteArrayList, kept);

    Scope scope;
    for (const QByteArray& spot : spots) {
        ++scope.now;
        scope.spot(spot.split(' ')[0], spot.split(' ')[1]);
    }
    QCOMPARE(entries(scope.all()), kept);
    QCOMPARE(entries(scope.band(Band::M20)), kept);
}

// Lifetime 1 minute: shown at 119 s, hidden at 120 s; a hidden spot stays in the table.
void SpotScopeTest::lifetimeHidesButKeepsSpots() {
    Scope scope;
    ScopeContext& context = scope.set.context();
    context.lifetimeMinutes = 1;
    scope.spot("XX9ZZ", "14025.0");
    const auto shown = [&] {
        return scope.allList().lines + scope.band(Band::M20).ShowList().lines;
    };
    scope.now += 119;
    QCOMPARE(shown().size(), 2);
    QCOMPARE(shown()[1].left(20), QByteArray("  14025.0 [ 1] XX9ZZ"));
    scope.now += 1;
    QVERIFY(shown().isEmpty());
    QCOMPARE(scope.all().count(), 1);

    context.lifetimeMinutes = 10;
    QCOMPARE(scope.allList().lines.value(0).left(20), QByteArray("  14025.0 [ 2] XX9ZZ"));
    context.lifetimeMinutes = 1;
    scope.spot("XX9ZZ", "14025.4"); // still a duplicate of the hidden spot
    QCOMPARE(entries(scope.all()), QByteArrayList{"14025.4 XX9ZZ"});
    QCOMPARE(scope.allList().lines.value(0).left(20), QByteArray("  14025.4 [ 0] XX9ZZ"));
    scope.now -= 120; // the clock set back: received 120 s in the future
    QVERIFY(shown().isEmpty());
}

void SpotScopeTest::focusSelectsNewestWhenShown_data() {
    QTest::addColumn<bool>("focus");
    QTest::addColumn<int>("newestAt"); // when the newest spot arrives, seconds after start
    QTest::addColumn<bool>("hide30");
    QTest::addColumn<int>("allSelected");
    QTest::addColumn<int>("bandSelected");

    QTest::newRow("focus off") << false << 120 << false << -1 << -1;
    QTest::newRow("newest shown") << true << 120 << false << 1 << 0;
    QTest::newRow("newest filtered") << true << 120 << true << -1 << 0;
    QTest::newRow("newest past lifetime") << true << -600 << false << -1 << -1;
}

void SpotScopeTest::focusSelectsNewestWhenShown() {
    QFETCH(bool, focus);
    QFETCH(int, newestAt);
    QFETCH(bool, hide30);
    QFETCH(int, allSelected);
    QFETCH(int, bandSelected);

    Scope scope;
    scope.set.context().focus = focus;
    scope.set.context().lifetimeMinutes = 5;
    scope.set.filter().setChecked(Band::M30, !hide30);
    scope.spot("XX1A", "14025.0");
    scope.now = Start + 60;
    scope.spot("XX2B", "7010.0");
    scope.now = Start + newestAt; // a negative time: the clock was set back
    scope.spot("XX3C", "10110.0");
    scope.now = Start + 120;

    const ScopeListing all = scope.allList();
    QCOMPARE(all.selected, allSelected);
    if (allSelected >= 0)
        QVERIFY(all.lines[allSelected].contains(" XX3C "));
    QCOMPARE(scope.band(Band::M30).ShowList().selected, bandSelected);
}

// "All" has two spaces after the call column, a band list one; ages take two places.
void SpotScopeTest::lineLayout() {
    Scope scope;
    scope.set.context().lifetimeMinutes = 99;
    scope.receive(dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ DX up 2"));
    scope.now += 540;
    const QByteArray all =
        "  14025.0 [ 9] XX9ZZ         CQ DX up 2 0655Z                       <XX1AA>";
    const QByteArray band =
        "  14025.0 [ 9] XX9ZZ        CQ DX up 2 0655Z                       <XX1AA>";
    QCOMPARE(scope.allList().lines, QByteArrayList{all});
    QCOMPARE(scope.band(Band::M20).ShowList().lines, QByteArrayList{band});
    scope.now += 60;
    QCOMPARE(scope.allList().lines.value(0).mid(10, 4), QByteArray("[10]"));
}

// Sorted by whole kHz, spots of the same kHz in the order they came.
void SpotScopeTest::sortedAndListedByCheckedBand() {
    Scope scope;
    for (const char* spot :
         {"XX1A 14025.8", "XX2B 14025.1", "XX3C 7000.0", "XX4D 14024.9", "XX5E 14025.5",
          "XX6F 11000000000.0", "XX7G 2147483648.0", "XX8H 1000.0"}) {
        const QByteArrayList words = QByteArray(spot).split(' ');
        scope.spot(words[0], words[1]);
    }
    const QByteArrayList expected{"1000.0 XX8H",       "7000.0 XX3C",       "14024.9 XX4D",
                                  "14025.8 XX1A",      "14025.1 XX2B",      "14025.5 XX5E",
                                  "2147483648.0 XX7G", "11000000000.0 XX6F"};
    QCOMPARE(entries(scope.all()), expected);
    QCOMPARE(entries(scope.band(Band::M20)), expected.mid(2, 4));

    // The "All" list shows only the spots of a checked band; the band list shows its own.
    const auto listed = [&] {
        QByteArrayList freqs;
        for (const QByteArray& line : scope.allList().lines)
            freqs << line.left(9).trimmed();
        return freqs;
    };
    QCOMPARE(listed(),
             (QByteArrayList{"1000.0", "7000.0", "14024.9", "14025.8", "14025.1", "14025.5"}));
    scope.set.filter().setChecked(Band::M20, false);
    QCOMPARE(listed(), (QByteArrayList{"1000.0", "7000.0"}));
    QCOMPARE(scope.band(Band::M20).ShowList().lines.size(), 4);
}

void SpotScopeTest::bandPasses_data() {
    QTest::addColumn<QByteArray>("checked"); // one digit per band, 160 m first

    QTest::newRow("all") << QByteArray("11111111111");
    QTest::newRow("WARC") << QByteArray("00010101000");
    QTest::newRow("LOW") << QByteArray("11100000000");
    QTest::newRow("HIGH") << QByteArray("00001010100");
}

void SpotScopeTest::bandPasses() {
    QFETCH(QByteArray, checked);

    BandFilter filter;
    for (int band = 0; band < BandCount; ++band)
        filter.setChecked(Band(band), checked[band] == '1');
    for (int band = 0; band < BandCount; ++band) {
        for (qint64 khz : bandEdges[band])
            QVERIFY2(filter.BandPasses(khz) == (checked[band] == '1'),
                     QByteArray::number(khz).constData());
    }
    for (qint64 khz : {0, 999, 2001, 3499, 5357, 8001, 54001, 70000, 143999, 10000001})
        QVERIFY2(!filter.BandPasses(khz), QByteArray::number(khz).constData());
}

void SpotScopeTest::pipelineFeedsTables_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QByteArrayList>("holding"); // the tables that take the spot

    const QByteArray spot20 = dxDe("XX1AA:", "14025.0", "XX9ZZ");
    QTest::newRow("20 m") << spot20 << false << QByteArrayList{"all", "20"};
    QTest::newRow("60 m") << dxDe("XX1AA:", "5357.0", "XX9ZZ") << false << QByteArrayList{"all"};
    QTest::newRow("listing, 40 m")
        << SpotLines::listing("7025.0", "XX9ZZ") << false << QByteArrayList{"all", "40"};
    QTest::newRow("82 bytes") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ", 82) << false
                              << QByteArrayList{};
    QTest::newRow("locked") << spot20 << true << QByteArrayList{};
}

void SpotScopeTest::pipelineFeedsTables() {
    QFETCH(QByteArray, line);
    QFETCH(bool, locked);
    QFETCH(QByteArrayList, holding);

    Scope scope;
    scope.pipeline.setScopeLocked(locked);
    scope.receive(line);
    QByteArrayList tables;
    for (int i = 0; i < 12; ++i) {
        QVERIFY(scope.table(i).count() <= 1);
        if (scope.table(i).count() == 1)
            tables << tableNames[i];
    }
    QCOMPARE(tables, holding);
    QCOMPARE(scope.allList().lines.size(), holding.size() > 1 ? 1 : 0); // listed with a band
}

QTEST_GUILESS_MAIN(SpotScopeTest)
#include "tst_spotscope.moc"
