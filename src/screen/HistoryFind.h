#pragma once

// The history sheet's logic: a snapshot of the newest terminal lines as one text, oldest
// first, and the searches the operator runs in it. Positions are those of the text as
// the memo holds it (one character per line break), and ignoring case compares
// case-folded characters rather than upper-casing the text, so a match is always where
// the memo shows it ("ß" upper-cases to two letters and would shift every later match).

#include <QString>
#include <QStringView>

#include <optional>

class DisplayCharset;
class ScreenBuffer;

namespace HistoryFind {

// More lines than this would reach back into slots the ring is about to overwrite.
inline constexpr int MaxLines = 4900;

// The newest historyLines lines (at most MaxLines), oldest first, the line under
// construction last, decoded for display and joined by line feeds.
QString historyText(const ScreenBuffer& screen, int historyLines, DisplayCharset& charset);

enum class Direction {
    Find, // from the selection start on: the selection itself may be the match
    Next, // from just after a match at the selection start
    Prev, // the last match that ends at or before the selection start
};

// Where the key is found searching from selectionStart in the given direction; nothing
// for an empty key or no match. The match is key.size() characters long.
std::optional<qsizetype> search(QStringView text, qsizetype selectionStart, QStringView key,
                                Direction direction, Qt::CaseSensitivity caseSensitivity);

} // namespace HistoryFind
