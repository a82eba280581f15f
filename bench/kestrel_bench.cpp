// Speed of the receive path against a plain copy of the same bytes, in one run:
//   kestrel_bench [--benchmark_filter=...]

#include "BenchCorpus.h"
#include "net/GuardedSender.h"
#include "net/NodeReceiver.h"
#include "scope/ScopeSet.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"

#include <QApplication>
#include <QBuffer>

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr qsizetype CorpusBytes = 8 * 1024 * 1024;
constexpr qsizetype ScopeCorpusBytes = 1024 * 1024;

const BenchCorpus& corpus() {
    static const BenchCorpus built = buildBenchCorpus(CorpusBytes);
    return built;
}

struct NoStage : LineSink {
    void takeLine(QByteArrayView line) override { benchmark::DoNotOptimize(line.data()); }
};

// The receive path as the window wires it, reading from a buffer instead of a socket:
// the telnet decoder, the screen buffer and every slot of the fan-out, with empty
// stages or, for the scope benchmarks, the twelve spot tables.
struct ReceivePath {
    ScreenBuffer screen;
    LinePipeline pipeline;
    NoStage stages[5]; // log, sounds, saver, link check, and one for every spot table
    ScopeSet scopes;
    GuardedSender sender{screen};
    NodeReceiver receiver{screen, sender};
    QBuffer node;
    QBuffer answers;

    ReceivePath(const BenchCorpus& corpus, bool withScopes) {
        if (withScopes)
            pipeline.setSpotConsumers(scopes.spotConsumers());
        else
            pipeline.setSpotConsumers(QList<LineSink*>(scopes.spotConsumers().size(), &stages[4]));
        pipeline.setLog(&stages[0]);
        pipeline.setSoundTriggers(&stages[1]);
        pipeline.setScreenSaverCheck(&stages[2]);
        pipeline.setLinkCheck(&stages[3]);
        screen.setPipeline(&pipeline);
        node.setData(corpus.bytes);
        node.open(QIODevice::ReadOnly);
        answers.open(QIODevice::WriteOnly);
        sender.setSocket(&answers);
        receiver.attach(&node);
    }

    void receiveAll() {
        node.seek(0);
        answers.seek(0);
        receiver.readPending();
        while (node.bytesAvailable() > 0)
            QCoreApplication::processEvents(); // the next slices, one per pass
    }
};

void countLines(benchmark::State& state, const BenchCorpus& corpus) {
    state.counters["lines/s"] =
        benchmark::Counter(double(state.iterations() * corpus.lines), benchmark::Counter::kIsRate);
}

void BM_Pipeline(benchmark::State& state) {
    ReceivePath path(corpus(), false);
    for (auto _ : state)
        path.receiveAll();
    state.SetBytesProcessed(state.iterations() * corpus().bytes.size());
    countLines(state, corpus());
}
BENCHMARK(BM_Pipeline)->Unit(benchmark::kMillisecond);

void BM_PlainCopy(benchmark::State& state) {
    const QByteArray& bytes = corpus().bytes;
    QByteArray copy(bytes.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.constData(), size_t(bytes.size()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    countLines(state, corpus());
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);

// Lines a second through the receive path into all twelve spot tables.
void runScopes(benchmark::State& state, CorpusKind kind) {
    static const BenchCorpus mixed = buildBenchCorpus(ScopeCorpusBytes, CorpusKind::Mixed);
    static const BenchCorpus spots = buildBenchCorpus(ScopeCorpusBytes, CorpusKind::AllSpots);
    const BenchCorpus& lines = kind == CorpusKind::Mixed ? mixed : spots;
    ReceivePath path(lines, true);
    for (auto _ : state)
        path.receiveAll();
    state.SetItemsProcessed(state.iterations() * lines.lines);
}

void BM_ScopeMixed(benchmark::State& state) {
    runScopes(state, CorpusKind::Mixed);
}
BENCHMARK(BM_ScopeMixed)->Unit(benchmark::kMillisecond);

void BM_ScopeAllSpots(benchmark::State& state) {
    runScopes(state, CorpusKind::AllSpots);
}
BENCHMARK(BM_ScopeAllSpots)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    // The paint benchmarks need a GUI; they draw off screen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
