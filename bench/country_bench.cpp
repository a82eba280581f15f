// Resolving calls to entities, beside the floor of one plain hash lookup a call, over the
// DX and spotter calls of lines real nodes sent (portable calls and node suffixes kept).

#include "country/CountryFile.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>

#include <benchmark/benchmark.h>

namespace {

QByteArray readData(const char* name) {
    QFile file(QStringLiteral(KESTREL_BENCH_DATA "/") + QLatin1StringView(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "DX de SPOTTER:   14025.0  DXCALL   remark   1234Z"
QList<QByteArray> spotCalls() {
    QList<QByteArray> calls;
    for (const QByteArray& line : readData("real_spots.txt").split('\n')) {
        if (!line.startsWith("DX de "))
            continue;
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() < 5)
            continue;
        calls << Callsign::withoutNodeSuffix(words[2].chopped(words[2].endsWith(':') ? 1 : 0))
                     .toByteArray()
              << words[4];
    }
    return calls;
}

const CountryFile& countries() {
    static const CountryFile file = CountryFile::parse(readData("cty.csv"));
    return file;
}

void BM_CountryFileLoad(benchmark::State& state) {
    const QByteArray text = readData("cty.csv");
    for (auto _ : state)
        benchmark::DoNotOptimize(CountryFile::parse(text));
}
BENCHMARK(BM_CountryFileLoad)->Unit(benchmark::kMillisecond);

void BM_CountryLookup(benchmark::State& state) {
    const QList<QByteArray> calls = spotCalls();
    const CountryFile& file = countries();
    qsizetype next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(file.lookup(calls[next]));
        next = next + 1 == calls.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CountryLookup);

void BM_PlainHashLookup(benchmark::State& state) {
    const QList<QByteArray> calls = spotCalls();
    QHash<QByteArray, int> table;
    for (const QByteArray& call : calls)
        table.insert(call, int(table.size()));
    qsizetype next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.value(calls[next], -1));
        next = next + 1 == calls.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlainHashLookup);

} // namespace
