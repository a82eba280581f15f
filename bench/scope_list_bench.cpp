// The cost of showing one new spot in a full "All" list on screen: the table takes the
// spot, the list is brought up to date and the view paints what that changed. Beside it
// a plain fill of the list's area, the least any repaint of it could cost.

#include "country/StationInsight.h"
#include "country/StationSettings.h"
#include "scope/ScopeSet.h"
#include "scope/ScopeSheet.h"
#include "screen/LinePipeline.h"
#include "screen/RepaintThrottle.h"
#include "screen/ScreenBuffer.h"
#include "screen/TerminalFont.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QListView>
#include <QPaintEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr qint64 SpotTime = 1'796'550'240; // 2026-12-06 09:44 UTC: every spot is fresh

// "DX de M0TST:     14025.0  K1234        CQ                             0944Z", each
// call new and the spots spread over the bands from 160 m to 10 m, so that one sorts in
// anywhere.
QByteArray spotLine(int arrival) {
    const BandRange& band = BandPlan[size_t(arrival % int(Band::M6))];
    const qint64 tenthsKhz = band.lowerKhz * 10 + (arrival * 7'919) % 5'000;
    const QByteArray freq =
        QByteArray::number(tenthsKhz / 10) + '.' + QByteArray::number(tenthsKhz % 10);
    const QByteArray head = "DX de M0TST:  " + freq.rightJustified(8) + "  " +
                            ("K" + QByteArray::number(arrival)).leftJustified(12) + ' ';
    return head + QByteArray("CQ").leftJustified(75 - head.size() - 6) + " 0944Z";
}

// Counts the paints a widget receives and the rows' worth of area they cover.
struct PaintCounter : QObject {
    int paints = 0;
    qint64 pixels = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                pixels += qint64(rect.width()) * rect.height();
        }
        return false;
    }
};

// What the lists know of stations when the operator has country data: the real country
// file, a locator, and a log with the USA worked on 20 m, so rows read "worked" and "new
// band" and are coloured.
struct StationData {
    StationInsight insight;

    StationData() {
        QFile file(QStringLiteral(KESTREL_BENCH_DATA "/cty.csv"));
        file.open(QIODevice::ReadOnly);
        insight.setCountries(
            std::make_shared<const CountryFile>(CountryFile::parse(file.readAll())));
        StationSettings station;
        station.locator = QStringLiteral("JN58td");
        insight.setStation(station);
        insight.setWorked(
            WorkedLog(AdifReader::read("<CALL:4>W1AW<BAND:3>20m<EOR>"), insight.countries()));
    }
};

// The scope sheet alone on screen, the "All" list in front and full; with station data
// when asked.
struct AllListOnScreen {
    ScreenBuffer screen;
    LinePipeline pipeline;
    ScopeSet scopes;
    ScopeSheet sheet{scopes, pipeline, screen};
    StationData station;
    QListView* list = nullptr;
    RepaintThrottle* redraw = nullptr;
    int arrivals = 0;

    explicit AllListOnScreen(bool withStation = false) {
        scopes.context().now = [] { return SpotTime; };
        if (withStation) {
            scopes.context().annotator = &station.insight;
            sheet.marks().setNeedTest([this](QByteArrayView call, double khz) {
                return station.insight.needOf(call, khz);
            });
        }
        // In the terminal's font and colours, as the client shows its lists.
        sheet.setListFont(asTerminalFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
                          Qt::white, Qt::black);
        sheet.resize(800, 900);
        sheet.show();
        list = sheet.findChild<QListView*>(QStringLiteral("lstScope"));
        redraw = sheet.findChild<RepaintThrottle*>(QStringLiteral("ScopeListRedraw"));
        while (scopes.all().count() < SpotScope::Capacity)
            addSpot();
        showNewSpot();
    }

    void addSpot() { scopes.all().AddLine(spotLine(arrivals++)); }

    // The throttled redraw comes at once.
    void updateList() {
        sheet.RefreshAll();
        emit redraw->due();
    }
    // Then the view lays out and paints what changed.
    void showNewSpot() {
        updateList();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
    }
};

void BM_ScopeListOneSpot(benchmark::State& state) {
    AllListOnScreen onScreen(state.range(0) != 0);
    PaintCounter counter;
    onScreen.list->viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        onScreen.addSpot();
        onScreen.showNewSpot();
    }
    state.counters["rows"] = double(onScreen.list->model()->rowCount());
    const QSize area = onScreen.list->viewport()->size();
    state.counters["paints"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
    state.counters["areas"] =
        benchmark::Counter(double(counter.pixels) / (area.width() * area.height()),
                           benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScopeListOneSpot)->Arg(0)->Arg(1)->ArgName("station")->Unit(benchmark::kMicrosecond);

// The list brought up to date, the paint it asks for left undone.
void BM_ScopeListOneSpotUnpainted(benchmark::State& state) {
    AllListOnScreen onScreen(state.range(0) != 0);
    for (auto _ : state) {
        onScreen.addSpot();
        onScreen.updateList();
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_ScopeListOneSpotUnpainted)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("station")
    ->Unit(benchmark::kMicrosecond);

// A flood's redraw: every row of the list is new since the last one.
void BM_ScopeListAllNew(benchmark::State& state) {
    AllListOnScreen onScreen(state.range(0) != 0);
    for (auto _ : state) {
        for (int i = 0; i < SpotScope::Capacity; ++i)
            onScreen.addSpot();
        onScreen.showNewSpot();
    }
}
BENCHMARK(BM_ScopeListAllNew)->Arg(0)->Arg(1)->ArgName("station")->Unit(benchmark::kMicrosecond);

// The same update, then the whole visible list painted again.
void BM_ScopeListOneSpotFullRepaint(benchmark::State& state) {
    AllListOnScreen onScreen;
    for (auto _ : state) {
        onScreen.addSpot();
        onScreen.showNewSpot();
        onScreen.list->viewport()->repaint();
    }
}
BENCHMARK(BM_ScopeListOneSpotFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_ScopeListPlainFill(benchmark::State& state) {
    AllListOnScreen onScreen;
    QImage area(onScreen.list->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&area);
        painter.fillRect(area.rect(), Qt::white);
    }
    benchmark::DoNotOptimize(area.constBits());
}
BENCHMARK(BM_ScopeListPlainFill)->Unit(benchmark::kMicrosecond);

} // namespace
