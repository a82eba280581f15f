#include "SpotLines.h"
#include "scope/ScopeSet.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"

#include <QTest>

using SpotLines::dxDe;
using SpotLines::listing;

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
    SpotScope& table(int index) {
        if (index == 0)
            return all();
        return band(Band(index - 1));
    }
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
    void ageAgainstLifetime_data();
    void ageAgainstLifetime();
    void hiddenSpotStaysInTable();
    void focusSelectsNewestWhenShown_data();
    void focusSelectsNewestWhenShown();
    void lineLayout_data();
    void lineLayout();
    void sortedByWholeKhzKeepingArrivalOrder();
    void deleteAndClear();
    void bandPasses_data();
    void bandPasses();
    void filterHidesFromAllListOnly();
    void pipelineFeedsTables_data();
    void pipelineFeedsTables();
};

void SpotScopeTest::fullTableDropsOldest_data() {
    QTest::addColumn<QList<int>>("early"); // spots received before all the others
    QTest::addColumn<QByteArray>("dropped");

    QTest::newRow("oldest mid-table") << QList<int>{60} << QByteArray("14060.0 XX60");
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
    QTest::newRow("same line again")
        << QByteArrayList{"XX9ZZ 14025.0", "XX9ZZ 14025.0"} << QByteArrayList{"14025.0 XX9ZZ"};
    QTest::newRow("0.9 kHz down") << QByteArrayList{"XX9ZZ 14025.9", "XX9ZZ 14025.0"}
                                  << QByteArrayList{"14025.0 XX9ZZ"};
    QTest::newRow("1.0 kHz up") << QByteArrayList{"XX9ZZ 14025.0", "XX9ZZ 14026.0"}
                                << QByteArrayList{"14025.0 XX9ZZ", "14026.0 XX9ZZ"};
    QTest::newRow("other case") << QByteArrayList{"XX9ZZ 14025.0", "xx9zz 14025.0"}
                                << QByteArrayList{"14025.0 XX9ZZ", "14025.0 xx9zz"};
    QTest::newRow("other call") << QByteArrayList{"XX9ZZ 14025.0", "XX9Z 14025.0"}
                                << QByteArrayList{"14025.0 XX9ZZ", "14025.0 XX9Z"};
    QTest::newRow("between two") << QByteArrayList{"XX9ZZ 14024.5", "XX9ZZ 14025.5",
                                                   "XX9ZZ 14025.0"}
                                 << QByteArrayList{"14025.0 XX9ZZ"};
    QTest::newRow("same first 12")
        << QByteArrayList{"XX9ZZABCDEFGH 14025.0", "XX9ZZABCDEFGX 14025.3"}
        << QByteArrayList{"14025.3 XX9ZZABCDEFG"};
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

void SpotScopeTest::ageAgainstLifetime_data() {
    QTest::addColumn<int>("lifetime");
    QTest::addColumn<int>("elapsed");    // seconds from arrival to the redraw
    QTest::addColumn<QByteArray>("age"); // empty: hidden

    QTest::newRow("just in") << 60 << 0 << QByteArray("[ 0]");
    QTest::newRow("119 s, lifetime 1") << 1 << 119 << QByteArray("[ 1]");
    QTest::newRow("120 s, lifetime 1") << 1 << 120 << QByteArray();
    QTest::newRow("120 s, lifetime 2") << 2 << 120 << QByteArray("[ 2]");
    QTest::newRow("clock back 119 s") << 1 << -119 << QByteArray("[ 1]");
    QTest::newRow("clock back 120 s") << 1 << -120 << QByteArray();
    QTest::newRow("99 min") << 99 << 5999 << QByteArray("[99]");
    QTest::newRow("100 min") << 99 << 6000 << QByteArray();
}

void SpotScopeTest::ageAgainstLifetime() {
    QFETCH(int, lifetime);
    QFETCH(int, elapsed);
    QFETCH(QByteArray, age);

    Scope scope;
    scope.set.context().lifetimeMinutes = lifetime;
    scope.spot("XX9ZZ", "14025.0");
    scope.now += elapsed;
    for (const ScopeListing& list : {scope.allList(), scope.band(Band::M20).ShowList()}) {
        if (age.isEmpty()) {
            QVERIFY(list.lines.isEmpty());
        } else {
            QCOMPARE(list.lines.size(), 1);
            QCOMPARE(list.lines[0].mid(10, 4), age);
        }
    }
    QCOMPARE(scope.all().count(), 1);
}

void SpotScopeTest::hiddenSpotStaysInTable() {
    Scope scope;
    ScopeContext& context = scope.set.context();
    context.lifetimeMinutes = 1;
    scope.spot("XX9ZZ", "14025.0");
    scope.now += 600;
    QVERIFY(scope.allList().lines.isEmpty());
    QCOMPARE(scope.all().count(), 1);

    context.lifetimeMinutes = 10;
    QCOMPARE(scope.allList().lines.size(), 1);
    QVERIFY(scope.allList().lines[0].startsWith("  14025.0 [10] XX9ZZ "));

    context.lifetimeMinutes = 1;
    scope.spot("XX9ZZ", "14025.4"); // still a duplicate of the hidden spot
    QCOMPARE(entries(scope.all()), QByteArrayList{"14025.4 XX9ZZ"});
    QCOMPARE(scope.allList().lines.size(), 1);
    QVERIFY(scope.allList().lines[0].startsWith("  14025.4 [ 0] XX9ZZ "));
}

void SpotScopeTest::focusSelectsNewestWhenShown_data() {
    QTest::addColumn<bool>("focus");
    QTest::addColumn<int>("newestAt"); // when the newest spot arrives, seconds after start
    QTest::addColumn<int>("lifetime");
    QTest::addColumn<bool>("hide30");
    QTest::addColumn<int>("allSelected");
    QTest::addColumn<int>("bandSelected");

    QTest::newRow("focus off") << false << 120 << 60 << false << -1 << -1;
    QTest::newRow("newest shown") << true << 120 << 60 << false << 1 << 0;
    QTest::newRow("newest filtered") << true << 120 << 60 << true << -1 << 0;
    QTest::newRow("newest past lifetime") << true << -600 << 5 << false << -1 << -1;
}

void SpotScopeTest::focusSelectsNewestWhenShown() {
    QFETCH(bool, focus);
    QFETCH(int, newestAt);
    QFETCH(int, lifetime);
    QFETCH(bool, hide30);
    QFETCH(int, allSelected);
    QFETCH(int, bandSelected);

    Scope scope;
    scope.set.context().focus = focus;
    scope.set.context().lifetimeMinutes = lifetime;
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

void SpotScopeTest::lineLayout_data() {
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<QByteArray>("allLine");
    QTest::addColumn<QByteArray>("bandLine");

    QTest::newRow("0 min")
        << 59
        << QByteArray("  14025.0 [ 0] XX9ZZ         CQ DX up 2 0655Z                       <XX1AA>")
        << QByteArray("  14025.0 [ 0] XX9ZZ        CQ DX up 2 0655Z                       <XX1AA>");
    QTest::newRow("9 min")
        << 540
        << QByteArray("  14025.0 [ 9] XX9ZZ         CQ DX up 2 0655Z                       <XX1AA>")
        << QByteArray("  14025.0 [ 9] XX9ZZ        CQ DX up 2 0655Z                       <XX1AA>");
    QTest::newRow("10 min")
        << 600
        << QByteArray("  14025.0 [10] XX9ZZ         CQ DX up 2 0655Z                       <XX1AA>")
        << QByteArray("  14025.0 [10] XX9ZZ        CQ DX up 2 0655Z                       <XX1AA>");
    QTest::newRow("99 min")
        << 5999
        << QByteArray("  14025.0 [99] XX9ZZ         CQ DX up 2 0655Z                       <XX1AA>")
        << QByteArray("  14025.0 [99] XX9ZZ        CQ DX up 2 0655Z                       <XX1AA>");
}

void SpotScopeTest::lineLayout() {
    QFETCH(int, elapsed);
    QFETCH(QByteArray, allLine);
    QFETCH(QByteArray, bandLine);

    Scope scope;
    scope.set.context().lifetimeMinutes = 99;
    scope.receive(dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ DX up 2"));
    scope.now += elapsed;
    QCOMPARE(scope.allList().lines, QByteArrayList{allLine});
    QCOMPARE(scope.band(Band::M20).ShowList().lines, QByteArrayList{bandLine});
}

void SpotScopeTest::sortedByWholeKhzKeepingArrivalOrder() {
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

    QByteArrayList listed; // the "All" list shows only the spots of a band
    for (const QByteArray& line : scope.allList().lines)
        listed << line.left(9).trimmed();
    QCOMPARE(listed,
             (QByteArrayList{"1000.0", "7000.0", "14024.9", "14025.8", "14025.1", "14025.5"}));
}

void SpotScopeTest::deleteAndClear() {
    Scope scope;
    AllBandsScope& all = scope.all();
    QCOMPARE(all.FindOldest(), -1);
    all.Delete(0); // nothing to delete
    QCOMPARE(all.count(), 0);

    scope.spot("XX1A", "7010.0");
    scope.spot("XX2B", "14025.0");
    scope.spot("XX3C", "21025.0");
    all.Delete(1);
    all.Delete(2);
    all.Delete(-1);
    QCOMPARE(entries(all), (QByteArrayList{"7010.0 XX1A", "21025.0 XX3C"}));

    all.Clear();
    QCOMPARE(all.count(), 0);
    QVERIFY(scope.allList().lines.isEmpty());
    QCOMPARE(all.entry(0).received, 0);
    QVERIFY(all.entry(0).freqTextView().isEmpty());
    QVERIFY(all.entry(1).dxCallView().isEmpty());

    scope.spot("XX4D", "14025.0");
    scope.spot("XX5E", "144300.0");
    scope.set.Clear();
    for (int i = 0; i < 12; ++i)
        QCOMPARE(scope.table(i).count(), 0);
}

void SpotScopeTest::bandPasses_data() {
    QTest::addColumn<QByteArray>("checked"); // one digit per band, 160 m first

    QTest::newRow("all") << QByteArray("11111111111");
    QTest::newRow("none") << QByteArray("00000000000");
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

void SpotScopeTest::filterHidesFromAllListOnly() {
    Scope scope;
    scope.spot("XX1A", "1830.0");
    scope.spot("XX2B", "14025.0");
    scope.spot("XX3C", "18100.0");
    scope.set.filter().setChecked(Band::M20, false);
    QCOMPARE(scope.allList().lines.size(), 2);
    QVERIFY(!scope.allList().lines.join().contains("XX2B"));
    QCOMPARE(scope.band(Band::M20).ShowList().lines.size(), 1);

    scope.set.filter().setAll(false);
    scope.set.filter().setChecked(Band::M17, true);
    QCOMPARE(scope.allList().lines.size(), 1);
    QVERIFY(scope.allList().lines[0].contains("XX3C"));
    QCOMPARE(scope.all().count(), 3);
}

void SpotScopeTest::pipelineFeedsTables_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QByteArrayList>("holding"); // the tables that take the spot
    QTest::addColumn<bool>("listed");            // in the "All" list

    const QByteArray spot20 = dxDe("XX1AA:", "14025.0", "XX9ZZ");
    QTest::newRow("20 m") << spot20 << false << QByteArrayList{"all", "20"} << true;
    QTest::newRow("60 m") << dxDe("XX1AA:", "5357.0", "XX9ZZ") << false << QByteArrayList{"all"}
                          << false;
    QTest::newRow("70 cm") << dxDe("XX1AA:", "430000.0", "XX9ZZ") << false
                           << QByteArrayList{"all", "2"} << true;
    QTest::newRow("160 m top") << dxDe("XX1AA:", "2000.9", "XX9ZZ") << false
                               << QByteArrayList{"all", "160"} << true;
    QTest::newRow("listing, 40 m")
        << listing("7025.0", "XX9ZZ") << false << QByteArrayList{"all", "40"} << true;
    QTest::newRow("81 bytes") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ", 81) << false
                              << QByteArrayList{"all", "20"} << true;
    QTest::newRow("82 bytes") << dxDe("XX1AA:", "14025.0", "XX9ZZ", "CQ", 82) << false
                              << QByteArrayList{} << false;
    QTest::newRow("locked") << spot20 << true << QByteArrayList{} << false;
    QTest::newRow("not a spot") << QByteArray("WWV de VE7CC <21>:   SFI=70, A=12, K=3, No Storms")
                                << false << QByteArrayList{} << false;
}

void SpotScopeTest::pipelineFeedsTables() {
    QFETCH(QByteArray, line);
    QFETCH(bool, locked);
    QFETCH(QByteArrayList, holding);
    QFETCH(bool, listed);

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
    QCOMPARE(scope.allList().lines.size(), listed ? 1 : 0);
}

QTEST_GUILESS_MAIN(SpotScopeTest)
#include "tst_spotscope.moc"
