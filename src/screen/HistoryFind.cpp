#include "screen/HistoryFind.h"

#include "base/DisplayCharset.h"
#include "screen/ScreenBuffer.h"

#include <algorithm>

namespace HistoryFind {

QString historyText(const ScreenBuffer& screen, int historyLines, DisplayCharset& charset) {
    const int count = std::clamp(historyLines, 0, MaxLines);
    // One line more, so a character cut at the oldest line's start can be joined.
    QList<QByteArray> newestFirst;
    screen.GetNewestLines(count + 1, newestFirst);
    QList<QString> lines = charset.decodeLines(newestFirst, screen.lineWidth());
    if (lines.size() > count)
        lines.resize(count);
    std::reverse(lines.begin(), lines.end());
    return lines.join(QLatin1Char('\n'));
}

std::optional<qsizetype> search(QStringView text, qsizetype selectionStart, QStringView key,
                                Direction direction, Qt::CaseSensitivity caseSensitivity) {
    if (key.isEmpty())
        return std::nullopt;
    const qsizetype start = std::clamp<qsizetype>(selectionStart, 0, text.size());
    qsizetype found = -1;
    switch (direction) {
    case Direction::Find:
        found = text.indexOf(key, start, caseSensitivity);
        break;
    case Direction::Next:
        if (start + key.size() <= text.size())
            found = text.indexOf(key, start + key.size(), caseSensitivity);
        break;
    case Direction::Prev:
        found = text.first(start).lastIndexOf(key, caseSensitivity);
        break;
    }
    if (found < 0)
        return std::nullopt;
    return found;
}

} // namespace HistoryFind
