#pragma once

// Spots that look like a busy cluster's: a fixed history for sh/dx to list, and an
// endless varied stream (bands, modes, prefixes, skimmers, long comments) for floods.
// The stream is seeded, so a given node always produces the same spots.

#include "TestNodeSpot.h"

#include <QList>
#include <QRandomGenerator>

namespace testnode {

class NodeSpotGenerator {
public:
    explicit NodeSpotGenerator(quint32 seed = 73);

    // The node's history before anyone spotted anything, oldest first, ending at now.
    static QList<TestNodeSpot> history(const QDateTime& now);

    TestNodeSpot next(const QDateTime& utc);

private:
    QByteArray callsign();
    QByteArray homeCall();
    QByteArray spotter();
    double frequency();
    QByteArray remarks();
    QByteArray gridSquare();
    QByteArray letters(int count);
    int below(qsizetype bound) { return m_random.bounded(static_cast<int>(bound)); }

    QRandomGenerator m_random;
};

} // namespace testnode
