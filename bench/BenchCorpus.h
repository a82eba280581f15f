#pragma once

// A realistic stream from a node for the benchmarks: about half spot lines and half
// other node text (listings, announcements, bulletins, prompts), taken from lines real
// nodes sent, with some telnet commands between them, as the bytes would arrive.

#include <QByteArray>

struct BenchCorpus {
    QByteArray bytes;
    qint64 lines = 0;
};

enum class CorpusKind {
    Mixed,    // half spots, half other node text, with telnet commands
    AllSpots, // nothing but "DX de" spot lines
};

BenchCorpus buildBenchCorpus(qsizetype targetBytes, CorpusKind kind = CorpusKind::Mixed);
