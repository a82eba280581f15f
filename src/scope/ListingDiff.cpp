#include "scope/ListingDiff.h"

#include <QSet>

namespace {

// A list keeping fewer of its rows than this share is shown afresh.
constexpr int KeptShareDivisor = 4;

void addEdit(QList<RowEdit>& edits, RowEdit::Kind kind, int row) {
    if (!edits.isEmpty()) {
        RowEdit& last = edits.last();
        // Removals all happen at the same row; inserts and changes follow on.
        const int nextRow = kind == RowEdit::Kind::Remove ? last.row : last.row + last.count;
        if (last.kind == kind && nextRow == row) {
            ++last.count;
            return;
        }
    }
    edits.append({kind, row, 1});
}

} // namespace

ListingDiff diffListings(const ScopeListing& shown, const ScopeListing& next) {
    const QList<QByteArray>& before = shown.spotKeys;
    const QList<QByteArray>& after = next.spotKeys;
    const QSet<QByteArray> inBefore(before.begin(), before.end());
    const QSet<QByteArray> inAfter(after.begin(), after.end());
    ListingDiff diff;
    if (inBefore.size() != before.size() || inAfter.size() != after.size()) {
        diff.showAfresh = true; // a key twice: rows cannot be told apart
        return diff;
    }
    QSet<QByteArray> movedDown; // removed where they were, inserted where they went
    qsizetype old = 0;
    qsizetype row = 0; // rows before it are final; the shown rows from `old` follow
    qsizetype kept = 0;
    while (old < before.size() || row < after.size()) {
        const bool bothLeft = old < before.size() && row < after.size();
        if (bothLeft && before[old] == after[row]) {
            if (shown.lines[old] != next.lines[row])
                addEdit(diff.edits, RowEdit::Kind::Change, int(row));
            ++old, ++row, ++kept;
        } else if (row == after.size() || (old < before.size() && !inAfter.contains(before[old]))) {
            addEdit(diff.edits, RowEdit::Kind::Remove, int(row));
            ++old;
        } else if (old == before.size() || !inBefore.contains(after[row]) ||
                   movedDown.contains(after[row])) {
            addEdit(diff.edits, RowEdit::Kind::Insert, int(row));
            ++row;
        } else {
            movedDown.insert(before[old]);
            addEdit(diff.edits, RowEdit::Kind::Remove, int(row));
            ++old;
        }
    }
    diff.showAfresh =
        !before.isEmpty() && kept * KeptShareDivisor < std::max(before.size(), after.size());
    return diff;
}
