// Speed of the "History" sheet over a full ring, beside a plain copy of the same bytes:
//   QT_QPA_PLATFORM=offscreen kestrel_history_bench [--benchmark_filter=...]
// Refresh takes the newest 4900 lines into the memo and paints it; a search that finds
// nothing reads the whole memo.

#include "base/DisplayCharset.h"
#include "screen/HistoryFind.h"
#include "screen/HistorySheet.h"
#include "screen/ScreenBuffer.h"

#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

// A ring that has wrapped, full of spot lines as a busy node sends them.
const ScreenBuffer& fullScreen() {
    static ScreenBuffer screen;
    if (!screen.isWrapped()) {
        for (int i = 0; i < ScreenBuffer::LineCount + 100; ++i)
            screen.PutString("DX de K1ABC:     14025.0  JA1XYZ       cq cq up 2 number " +
                             QByteArray::number(i) + "      1234Z\r\n");
    }
    return screen;
}

// The same lines as bytes, oldest first, as Refresh shows them.
QByteArray historyBytes() {
    QList<QByteArray> lines;
    fullScreen().GetNewestLines(HistoryFind::MaxLines, lines);
    std::reverse(lines.begin(), lines.end());
    return lines.join('\n');
}

struct ShownSheet {
    HistorySheet sheet{fullScreen()};
    ShownSheet() {
        sheet.resize(1000, 600);
        sheet.show();
        sheet.RefreshClick();
        QCoreApplication::processEvents();
    }
};

void BM_HistoryRefresh(benchmark::State& state) {
    ShownSheet shown;
    for (auto _ : state) {
        shown.sheet.RefreshClick();
        QCoreApplication::processEvents(); // the paint
    }
}
BENCHMARK(BM_HistoryRefresh)->Unit(benchmark::kMillisecond);

void BM_HistoryText(benchmark::State& state) {
    DisplayCharset charset;
    for (auto _ : state)
        benchmark::DoNotOptimize(HistoryFind::historyText(fullScreen(), 5000, charset));
}
BENCHMARK(BM_HistoryText)->Unit(benchmark::kMillisecond);

void BM_HistoryFindMiss(benchmark::State& state) {
    ShownSheet shown;
    shown.sheet.findChild<QLineEdit*>(QStringLiteral("eFind"))->setText(QStringLiteral("zz9zz"));
    for (auto _ : state)
        shown.sheet.bFindClick();
}
BENCHMARK(BM_HistoryFindMiss)->Unit(benchmark::kMillisecond);

void BM_HistorySearchMiss(benchmark::State& state) {
    DisplayCharset charset;
    const QString text = HistoryFind::historyText(fullScreen(), 5000, charset);
    for (auto _ : state)
        benchmark::DoNotOptimize(HistoryFind::search(
            text, 0, u"zz9zz", HistoryFind::Direction::Find, Qt::CaseInsensitive));
}
BENCHMARK(BM_HistorySearchMiss)->Unit(benchmark::kMillisecond);

void BM_HistoryPlainCopy(benchmark::State& state) {
    const QByteArray bytes = historyBytes();
    QByteArray copy(bytes.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.constData(), size_t(bytes.size()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_HistoryPlainCopy)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
