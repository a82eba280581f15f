// The band map's layout without a window: frequencies to rows at every zoom, round ticks
// that stay apart, and calls that never cover one another however crowded the band.

#include "bandmap/BandMapScale.h"
#include "bandmap/LabelPlacement.h"

#include <QTest>

#include <cmath>

namespace {

// 20 m in 700 rows: the whole band is 0.5 kHz a row.
BandMapScale twentyMetres() {
    BandMapScale scale;
    scale.setHeight(700);
    scale.setBand(14000, 14350);
    return scale;
}

// rows spots within spanKhz from 14020 kHz at the scale's zoom, the later ones newer.
QList<LabelRequest> crowd(const BandMapScale& scale, int spots, double spanKhz) {
    QList<LabelRequest> requests;
    for (int i = 0; i < spots; ++i)
        requests.append({scale.yOf(14020 + spanKhz * i / spots), double(i)});
    return requests;
}

constexpr double RowHeight = 16;
constexpr double MaxLeader = 4 * RowHeight;

} // namespace

class BandMapLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void zoomKeepsTheFrequencyUnderThePointer_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("atRow");
        QTest::addColumn<double>("khzPerPixel");
        QTest::addColumn<double>("topKhz");
        const auto row = [](const char* name, double factor, double at, double kpp, double top) {
            QTest::newRow(name) << factor << at << kpp << top;
        };
        row("whole band", 1, 50, 0.5, 14000);
        row("twice", 2, 50, 0.25, 14025 - 50 * 0.25);
        row("down to 50 Hz a row", 100, 50, 0.05, 14025 - 50 * 0.05);
        row("at the upper edge", 2, 700, 0.25, 14350 - 700 * 0.25);
        row("out past the band", 0.1, 300, 0.5, 14000);
    }

    void zoomKeepsTheFrequencyUnderThePointer() {
        QFETCH(double, factor);
        QFETCH(double, atRow);
        QFETCH(double, khzPerPixel);
        QFETCH(double, topKhz);
        BandMapScale scale = twentyMetres();
        scale.zoomAround(atRow, factor);
        QCOMPARE(scale.khzPerPixel(), khzPerPixel);
        QCOMPARE(scale.topKhz(), topKhz);
        QCOMPARE(scale.khzAt(scale.yOf(14025.3)), 14025.3);
        if (khzPerPixel < 0.5 && atRow < 700)
            QCOMPARE(scale.khzAt(atRow), 14000 + atRow * 0.5);
    }

    void panningStopsAtTheBandEdges() {
        BandMapScale scale = twentyMetres();
        scale.zoomAround(0, 10); // 35 kHz shown
        scale.panPixels(-100);
        QCOMPARE(scale.topKhz(), 14000.0);
        scale.panPixels(1e6);
        QCOMPARE(scale.bottomKhz(), 14350.0);
        scale.centreOn(14200);
        QCOMPARE(scale.yOf(14200), 350.0);
        scale.centreOn(14000); // out again at the lower edge: no further than it
        scale.zoomAround(600, 0.5);
        QCOMPARE(scale.topKhz(), 14000.0);
        scale.zoomAround(0, 100);
        scale.setHeight(350); // a shorter map keeps its zoom and its top
        QCOMPARE(scale.khzPerPixel(), 0.05);
    }

    void ticksAreRoundAndApart_data() {
        QTest::addColumn<double>("factor");
        for (const double factor : {1.0, 7.0, 10.0})
            QTest::addRow("zoomed %g times", factor) << factor;
    }

    void ticksAreRoundAndApart() {
        QFETCH(double, factor);
        BandMapScale scale = twentyMetres();
        scale.zoomAround(333, factor);
        const QList<BandMapScale::Tick> ticks = scale.ticks(8, 40);
        QVERIFY(ticks.size() > 5);
        double lastLabelled = -1e9;
        double labelGap = 0;
        for (qsizetype i = 0; i < ticks.size(); ++i) {
            const double y = scale.yOf(ticks[i].khz);
            QVERIFY(y >= -1e-6 && y <= 700 + 1e-6);
            if (i > 0)
                QVERIFY(y - scale.yOf(ticks[i - 1].khz) >= 8 - 1e-6);
            if (ticks[i].labelled) {
                QVERIFY(y - lastLabelled >= 40 - 1e-6);
                // Evenly, and no further apart than the next round step needs.
                if (lastLabelled > -1e9 && labelGap > 0)
                    QCOMPARE(y - lastLabelled, labelGap);
                if (lastLabelled > -1e9)
                    labelGap = y - lastLabelled;
                QVERIFY(labelGap <= 2.5 * 40 + 1e-6);
                lastLabelled = y;
                const QString label = scale.labelOf(ticks[i].khz, 8, 40);
                QCOMPARE(label.toDouble(), ticks[i].khz); // round, said exactly
            }
        }
        QVERIFY(lastLabelled > 0);
    }

    void aLoneCallSitsOnItsFrequency() {
        QList<PlacedLabel> placed = placeLabels({{100, 0}}, RowHeight, 700, MaxLeader);
        QCOMPARE(placed.size(), 1);
        QCOMPARE(placed[0].top, 100 - RowHeight / 2);
        // Two on one frequency share the rows around it; at the map's edge they stay on it.
        placed = placeLabels({{100, 0}, {100, 0}}, RowHeight, 700, MaxLeader);
        QCOMPARE(placed[0].top, 100 - RowHeight);
        QCOMPARE(placed[1].top, 100.0);
        placed = placeLabels({{1, 0}, {2, 0}}, RowHeight, 700, MaxLeader);
        QCOMPARE(placed[0].top, 0.0);
    }

    void crowdedCallsNeverOverlap_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("spots");
        QTest::addColumn<double>("spanKhz");
        QTest::addRow("whole band") << 1.0 << 100 << 5.0;
        QTest::addRow("zoomed in") << 20.0 << 100 << 5.0;
        QTest::addRow("few") << 1.0 << 3 << 5.0;
        // Far more than fit, newest at the top end: the shown calls stay beside their own
        // frequencies rather than spread over the map.
        QTest::addRow("over the band") << 1.0 << 100 << 330.0;
    }

    // Every spot is shown or counted in a "+n", no two rows overlap, all stay on the map
    // and near their frequencies, and the newest are the ones shown.
    void crowdedCallsNeverOverlap() {
        QFETCH(double, factor);
        QFETCH(int, spots);
        QFETCH(double, spanKhz);
        BandMapScale scale = twentyMetres();
        scale.zoomAround(scale.yOf(14022.5), factor);
        const QList<LabelRequest> requests = crowd(scale, spots, spanKhz);
        const QList<PlacedLabel> placed = placeLabels(requests, RowHeight, 700, MaxLeader);
        int accounted = 0;
        int newestHidden = -1;
        for (qsizetype i = 0; i < placed.size(); ++i) {
            const PlacedLabel& label = placed[i];
            accounted += label.spot >= 0 ? 1 : label.hidden;
            QVERIFY(label.top >= 0 && label.top + RowHeight <= 700);
            if (i > 0)
                QVERIFY2(placed[i - 1].top + RowHeight <= label.top + 1e-9,
                         qPrintable(QString::number(i)));
            QVERIFY(std::abs(label.top + RowHeight / 2 - label.anchor) <= MaxLeader + 1e-9);
            if (label.spot < 0)
                newestHidden = std::max(newestHidden, label.hidden);
        }
        QCOMPARE(accounted, spots);
        const bool allShown = newestHidden < 0;
        QCOMPARE(allShown, spots * RowHeight <= spanKhz / scale.khzPerPixel() + 2 * MaxLeader);
        if (!allShown) // the newest spot is shown
            QVERIFY(std::any_of(placed.cbegin(), placed.cend(),
                                [&](const PlacedLabel& label) { return label.spot == spots - 1; }));
    }
};

QTEST_GUILESS_MAIN(BandMapLayoutTest)
#include "tst_bandmaplayout.moc"
