#include "BenchCorpus.h"

#include <QFile>
#include <QList>

namespace {

QList<QByteArray> realLines(const char* name) {
    QFile file(QString::fromLatin1(KESTREL_BENCH_DATA) + QLatin1Char('/') +
               QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", name);
    QList<QByteArray> lines;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && !line.startsWith('#'))
            lines.append(line);
    }
    return lines;
}

bool isSpot(const QByteArray& line) {
    return line.startsWith("DX de ");
}

} // namespace

BenchCorpus buildBenchCorpus(qsizetype targetBytes, CorpusKind kind) {
    QList<QByteArray> spots;
    QList<QByteArray> other;
    for (const char* name : {"real_spots.txt", "real_lines.txt"}) {
        for (const QByteArray& line : realLines(name))
            (isSpot(line) ? spots : other).append(line);
    }
    // A node's telnet housekeeping: go-aheads after prompts, a NOP, an option request.
    const QByteArray goAhead("\xff\xf9", 2);
    const QByteArray noOperation("\xff\xf1", 2);
    const QByteArray willEcho("\xff\xfb\x01", 3);

    BenchCorpus corpus;
    corpus.bytes.reserve(targetBytes + 256);
    qsizetype spot = 0;
    qsizetype text = 0;
    while (corpus.bytes.size() < targetBytes) {
        const bool sendSpot = kind == CorpusKind::AllSpots || corpus.lines % 2 == 0;

        const QByteArray& line =
            sendSpot ? spots[spot++ % spots.size()] : other[text++ % other.size()];
        corpus.bytes += line;
        corpus.bytes += "\r\n";
        ++corpus.lines;
        if (corpus.lines % 50 == 0)
            corpus.bytes += goAhead;
        if (corpus.lines % 500 == 0)
            corpus.bytes += noOperation + willEcho;
    }
    return corpus;
}
