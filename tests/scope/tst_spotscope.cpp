#include "SpotLines.h"
#include "scope/ScopeSet.h"
#include "screen/ScreenBuffer.h"

#include <QTest>

namespace {

constexpr qint64 Start = 1767225600; // 2026-01-01 00:00 UTC

// The tables behind a screen, on a clock the test sets.
struct Scope {
    qint64 now = Start;
    ScreenBuffer screen;
    LinePipeline pipeline;
    ScopeSet set;

    Scope() {
        set.context().now = [this] { return now; };
        pipeline.setSpotConsumers(set.spotConsumers());
        screen.setPipeline(&pipeline);
    }
    void receive(const QByteArray& line) { screen.PutString(line + "\r\n"); }
    // An announcement of "<call> <kHz>".
    void spot(const QByteArray& callAndKhz) {
        const QByteArrayList words = callAndKhz.split(' ');
        receive(SpotLines::dxDe("XX1AA:", words[1], words[0]));
    }
    ScopeListing allList() { return set.all().RefreshAll(set.filter()); }
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
    void fullTableDropsFirstArrived_data();
    void fullTableDropsFirstArrived();
    void respotWithinOneKhzReplaces_data();
    void respotWithinOneKhzReplaces();
    void lifetimeHidesButKeepsSpots();
    void sortedAndListedByCheckedBand();
    void tablesAfterRealLines();
};

void SpotScopeTest::fullTableDropsFirstArrived_data() {
    QTest::addColumn<QList<int>>("early"); // these came ten minutes before the others
    QTest::addColumn<QByteArray>("dropped");

    // A burst in one second ("sh/dx 100"): its first spot goes, wherever it sorts.
    QTest::newRow("one second") << QList<int>{} << QByteArray("14099.0 XX99");
    QTest::newRow("two equally old") << QList<int>{30, 70} << QByteArray("14070.0 XX70");
}

void SpotScopeTest::fullTableDropsFirstArrived() {
    QFETCH(QList<int>, early);
    QFETCH(QByteArray, dropped);

    Scope scope;
    for (int i = 99; i >= 0; --i) { // the first to arrive sorts last
        scope.now = Start - (early.contains(i) ? 600 : 0);
        scope.spot("XX" + QByteArray::number(i) + ' ' + QByteArray::number(14000 + i) + ".0");
    }
    QByteArrayList expected = entries(scope.set.all());
    scope.now = Start + 1;
    scope.spot("YY1A 14050.5");
    QVERIFY(expected.removeOne(dropped));
    expected.insert(expected.indexOf("14050.0 XX50") + 1, "14050.5 YY1A");
    QCOMPARE(entries(scope.set.all()), expected);
    QCOMPARE(entries(scope.set.band(Band::M20)), expected);
}

void SpotScopeTest::respotWithinOneKhzReplaces_data() {
    QTest::addColumn<QByteArray>("spots"); // "<call> <kHz>", in arrival order
    QTest::addColumn<QByteArray>("kept");  // "<frequency> <call>", in table order

    QTest::newRow("0.5 kHz up") << QByteArray("XX9ZZ 14024.5|XX9ZZ 14025.0")
                                << QByteArray("14025.0 XX9ZZ");
    QTest::newRow("0.9 kHz down") << QByteArray("XX9ZZ 14025.9|XX9ZZ 14025.0")
                                  << QByteArray("14025.0 XX9ZZ");
    QTest::newRow("1.0 kHz up") << QByteArray("XX9ZZ 14025.0|XX9ZZ 14026.0")
                                << QByteArray("14025.0 XX9ZZ|14026.0 XX9ZZ");
    QTest::newRow("other case") << QByteArray("XX9ZZ 14025.0|xx9zz 14025.0")
                                << QByteArray("14025.0 XX9ZZ|14025.0 xx9zz");
}

void SpotScopeTest::respotWithinOneKhzReplaces() {
    QFETCH(QByteArray, spots);
    QFETCH(QByteArray, kept);

    Scope scope;
    for (const QByteArray& spot : spots.split('|')) {
        ++scope.now;
        scope.spot(spot);
    }
    QCOMPARE(entries(scope.set.all()).join('|'), kept);
    QCOMPARE(entries(scope.set.band(Band::M20)).join('|'), kept);
}

// Lifetime 1 minute: shown at 119 s, hidden at 120 s; a hidden spot stays in the table.
// With "Focus to new report" the newest spot's line is selected while it is shown.
void SpotScopeTest::lifetimeHidesButKeepsSpots() {
    Scope scope;
    ScopeContext& context = scope.set.context();
    context.lifetimeMinutes = 1;
    context.focus = true;
    scope.spot("XX9ZZ 14025.0");
    const auto shown = [&] {
        return scope.allList().lines + scope.set.band(Band::M20).ShowList().lines;
    };
    scope.now += 119;
    QCOMPARE(shown().size(), 2);
    QCOMPARE(shown()[1].left(20), QByteArray("  14025.0 [ 1] XX9ZZ"));
    QCOMPARE(scope.allList().selected, 0);
    scope.now += 1;
    QVERIFY(shown().isEmpty());
    QCOMPARE(scope.allList().selected, -1);

    context.lifetimeMinutes = 10;
    QCOMPARE(scope.allList().lines.value(0).left(20), QByteArray("  14025.0 [ 2] XX9ZZ"));
    context.lifetimeMinutes = 1;
    scope.spot("XX9ZZ 14025.4"); // still a duplicate of the hidden spot
    QCOMPARE(entries(scope.set.all()), QByteArrayList{"14025.4 XX9ZZ"});
    scope.now -= 120; // the clock set back: received 120 s in the future
    QVERIFY(shown().isEmpty());
}

// Sorted by whole kHz, spots of the same kHz in the order they came. The "All" list shows
// only the spots of a checked band, and selects the newest only when it shows it.
void SpotScopeTest::sortedAndListedByCheckedBand() {
    Scope scope;
    scope.set.context().focus = true;
    for (const char* spot : {"XX1A 14025.8", "XX2B 14025.1", "XX3C 7000.0", "XX4D 14024.9",
                             "XX5E 11000000000.0", "XX6F 2147483648.0", "XX7G 14025.5"})
        scope.spot(spot);
    const QByteArrayList expected{"7000.0 XX3C",       "14024.9 XX4D", "14025.8 XX1A",
                                  "14025.1 XX2B",      "14025.5 XX7G", "2147483648.0 XX6F",
                                  "11000000000.0 XX5E"};
    QCOMPARE(entries(scope.set.all()), expected);
    QCOMPARE(entries(scope.set.band(Band::M20)), expected.mid(1, 4));

    QCOMPARE(scope.allList().lines.size(), 5);
    QCOMPARE(scope.allList().selected, 4);
    scope.set.filter().setChecked(Band::M20, false);
    QCOMPARE(scope.allList().lines.size(), 1);
    QCOMPARE(scope.allList().selected, -1);
    QCOMPARE(scope.set.band(Band::M20).ShowList().selected, 3);
}

// Every real line through the screen into the tables, one second apart.
void SpotScopeTest::tablesAfterRealLines() {
    Scope scope;
    scope.set.context().focus = true;
    for (const QByteArray& line :
         SpotLines::realLines("real_spots.txt") + SpotLines::realLines("real_lines.txt")) {
        ++scope.now;
        scope.receive(line);
    }
    // All, then 160 m to 2 m; 30, 17, 15, 12, 10, 6 and 2 m never filled up.
    const QList<int> counts{100, 100, 100, 100, 12, 100, 53, 28, 9, 41, 34, 3};
    const QList<LineSink*> tables = scope.set.spotConsumers();
    for (int t = 0; t < tables.size(); ++t) {
        const auto* table = dynamic_cast<const SpotScope*>(tables[t]);
        QCOMPARE(table->count(), counts[t]);
        for (int i = 0; i < table->count(); ++i) {
            const qint64 khz = table->entry(i).wholeKhz;
            QVERIFY(t == 0 || BandPlan[size_t(t - 1)].holds(khz));
            QVERIFY(i == 0 || table->entry(i - 1).wholeKhz <= khz);
        }
    }
    // Only the 10 GHz beacon is in no band; the last spot of the files is the newest.
    const ScopeListing all = scope.allList();
    QCOMPARE(all.lines.size(), 99);
    QVERIFY(all.lines.value(all.selected).contains(" TZ1CE "));
}

QTEST_GUILESS_MAIN(SpotScopeTest)
#include "tst_spotscope.moc"
