#pragma once

// Spot lines for the scope's tests: built the way a DXSpider node lays them out, at any
// length wanted (the comment column is widened or narrowed to make the line exactly
// `length` bytes long), or read from the real lines kept in tests/data.

#include <QByteArray>
#include <QFile>

namespace SpotLines {

// "DX de XX1AA:     14025.0  XX9ZZ        CQ DX up 2                     0655Z"
inline QByteArray dxDe(const QByteArray& spotter, const QByteArray& freq, const QByteArray& call,
                       const QByteArray& comment = "CQ DX up 2", int length = 75) {
    const QByteArray head = "DX de " + spotter.leftJustified(9) + ' ' + freq.rightJustified(8) +
                            "  " + call.leftJustified(12) + ' ';
    const QByteArray tail = " 0655Z";
    return head + comment.leftJustified(length - head.size() - tail.size(), ' ', true) + tail;
}

// "  14025.0 XX9ZZ        6-Dec-2026 0946Z CQ DX                                <XX1AA>"
inline QByteArray listing(const QByteArray& freq, const QByteArray& call,
                          const QByteArray& date = "6-Dec-2026", const QByteArray& time = "0946Z",
                          const QByteArray& comment = "CQ DX", int length = 77) {
    const QByteArray head = freq.rightJustified(9) + ' ' + call.leftJustified(12) + ' ' +
                            date.rightJustified(10) + ' ' + time + ' ';
    const QByteArray tail = "<XX1AA>";
    return head + comment.leftJustified(length - head.size() - tail.size(), ' ', true) + tail;
}

// The lines of real_spots.txt or real_lines.txt as the terminal hands them on: without
// the comments, the line ends and the BEL bytes.
inline QByteArrayList realLines(const char* file) {
    QFile data(QStringLiteral(KESTREL_TEST_DATA "/") + QLatin1String(file));
    QByteArrayList lines;
    for (QByteArray& line :
         (data.open(QIODevice::ReadOnly) ? data.readAll() : QByteArray()).split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            lines << line.replace('\r', QByteArray()).replace('\a', QByteArray());
    }
    return lines;
}

} // namespace SpotLines
