#include "bandmap/LabelPlacement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double Slack = 1e-9;

// One row to place: a shown spot's call, or a "+n" for a run of hidden spots between
// two shown ones. Its top may go from lowest to highest: its leader stays within
// maxLeader and the row on the map.
struct Row {
    int spot;
    int hidden;
    double anchor;
    double lowest;
    double highest;
};

// The shown spots in order along the scale, each run of hidden spots between them as
// one "+n" row.
QList<Row> rowsOf(const QList<LabelRequest>& requests, const QList<bool>& shown, double rowHeight,
                  double viewHeight, double maxLeader) {
    QList<Row> rows;
    const auto add = [&](int spot, int hidden, double anchor) {
        const double wanted = anchor - rowHeight / 2;
        rows.append({spot, hidden, anchor, std::max(0.0, wanted - maxLeader),
                     std::min(viewHeight - rowHeight, wanted + maxLeader)});
    };
    int hidden = 0;
    double hiddenSum = 0;
    for (int i = 0; i <= requests.size(); ++i) {
        if (i < requests.size() && !shown[i]) {
            ++hidden;
            hiddenSum += requests[i].anchor;
            continue;
        }
        if (hidden > 0)
            add(-1, hidden, hiddenSum / hidden);
        hidden = 0;
        hiddenSum = 0;
        if (i < requests.size())
            add(i, 0, requests[i].anchor);
    }
    return rows;
}

// Each row as high as it may go below the one above: where they all fit if anywhere.
bool packFromTop(QList<Row>& rows, QList<double>& tops, double rowHeight) {
    tops.resize(rows.size());
    double free = 0;
    for (int i = 0; i < rows.size(); ++i) {
        tops[i] = std::max(rows[i].lowest, free);
        if (tops[i] > rows[i].highest + Slack)
            return false;
        free = tops[i] + rowHeight;
    }
    return true;
}

// Rows as near their frequencies as they fit: neighbours pressed together move as one
// block, centred on their spots (least squares) within what each of them allows.
void settle(const QList<Row>& rows, QList<double>& tops, double rowHeight) {
    struct Block {
        int first;
        int count;
        double top;
    };
    const auto lay = [&](Block& block) {
        double sum = 0;
        double lowest = -1e300;
        double highest = 1e300;
        for (int j = 0; j < block.count; ++j) {
            const Row& row = rows[block.first + j];
            sum += row.anchor - rowHeight / 2 - j * rowHeight;
            lowest = std::max(lowest, row.lowest - j * rowHeight);
            highest = std::min(highest, row.highest - j * rowHeight);
        }
        block.top = std::clamp(sum / block.count, lowest, std::max(lowest, highest));
    };
    QList<Block> blocks;
    for (int i = 0; i < rows.size(); ++i) {
        Block block{i, 1, 0};
        lay(block);
        while (!blocks.isEmpty() &&
               blocks.last().top + blocks.last().count * rowHeight > block.top + Slack) {
            const Block above = blocks.takeLast();
            block = Block{above.first, above.count + block.count, 0};
            lay(block);
        }
        blocks.append(block);
    }
    QList<double> settled;
    settled.reserve(rows.size());
    for (const Block& block : blocks) {
        for (int j = 0; j < block.count; ++j)
            settled.append(block.top + j * rowHeight);
    }
    // Kept only where every row keeps its bounds; the packed tops are right anyway.
    for (int i = 0; i < rows.size(); ++i) {
        if (settled[i] < rows[i].lowest - Slack || settled[i] > rows[i].highest + Slack)
            return;
    }
    tops = settled;
}

} // namespace

QList<PlacedLabel> placeLabels(const QList<LabelRequest>& requests, double rowHeight,
                               double viewHeight, double maxLeader) {
    if (requests.isEmpty() || viewHeight < rowHeight)
        return {};
    // The least wanted are hidden one by one until the rest fit.
    QList<int> leastWantedFirst(requests.size());
    std::iota(leastWantedFirst.begin(), leastWantedFirst.end(), 0);
    std::stable_sort(leastWantedFirst.begin(), leastWantedFirst.end(),
                     [&](int a, int b) { return requests[a].priority < requests[b].priority; });
    // The fewest hidden that let the rest fit, found by halving: hiding all but a "+n"
    // always fits.
    const auto fitsHiding = [&](int hidden, QList<Row>& rows, QList<double>& tops) {
        QList<bool> shown(requests.size(), true);
        for (int i = 0; i < hidden; ++i)
            shown[leastWantedFirst[i]] = false;
        rows = rowsOf(requests, shown, rowHeight, viewHeight, maxLeader);
        return packFromTop(rows, tops, rowHeight);
    };
    QList<Row> rows;
    QList<double> tops;
    int fits = int(requests.size());
    for (int tooFew = -1; fits - tooFew > 1;) {
        const int hidden = (tooFew + fits) / 2;
        (fitsHiding(hidden, rows, tops) ? fits : tooFew) = hidden;
    }
    fitsHiding(fits, rows, tops);
    settle(rows, tops, rowHeight);
    QList<PlacedLabel> placed;
    placed.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        placed.append({rows[i].spot, rows[i].hidden, tops[i], rows[i].anchor});
    return placed;
}
