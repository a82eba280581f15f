#include "desktop/CopyProtocol.h"

#include <QList>

#include <algorithm>
#include <array>

namespace {

const QByteArray IdentityWord = QByteArrayLiteral("copy");
const QByteArray MoveWord = QByteArrayLiteral("move");

// The first count blank-separated words, and in rest what follows the blank after them.
std::optional<QList<QByteArray>> leadingWords(const QByteArray& line, int count, QByteArray& rest) {
    QList<QByteArray> words;
    qsizetype from = 0;
    while (words.size() < count) {
        const qsizetype blank = line.indexOf(' ', from);
        if (blank < 0)
            return std::nullopt;
        words.append(line.mid(from, blank - from));
        from = blank + 1;
    }
    rest = line.mid(from);
    return words;
}

// Four numbers from words[first] on: x, y, width, height, each brought within
// MaxCoordinate of 0 (sizes not below 0), so no arithmetic on the frame can overflow.
std::optional<QRect> rectFrom(const QList<QByteArray>& words, qsizetype first) {
    std::array<int, 4> values{};
    for (std::size_t index = 0; index < values.size(); ++index) {
        bool ok = false;
        const int value = words.at(first + qsizetype(index)).toInt(&ok);
        if (!ok)
            return std::nullopt;
        const int lowest = index < 2 ? -CopyProtocol::MaxCoordinate : 0;
        values[index] = std::clamp(value, lowest, CopyProtocol::MaxCoordinate);
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

QByteArray rectWords(const QRect& frame) {
    return QByteArray::number(frame.x()) + ' ' + QByteArray::number(frame.y()) + ' ' +
           QByteArray::number(frame.width()) + ' ' + QByteArray::number(frame.height());
}

} // namespace

namespace CopyProtocol {

QByteArray formatIdentity(const CopyIdentity& identity) {
    QString caption = identity.caption;
    caption.replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
    return IdentityWord + ' ' + QByteArray::number(identity.started) + ' ' +
           (identity.visible ? "1 " : "0 ") + QByteArray::number(identity.marker) + ' ' +
           rectWords(identity.frame) + ' ' + caption.toUtf8();
}

std::optional<CopyIdentity> parseIdentity(const QByteArray& line) {
    QByteArray caption;
    const auto words = leadingWords(line, 8, caption);
    if (!words || words->at(0) != IdentityWord)
        return std::nullopt;
    bool startedOk = false;
    bool markerOk = false;
    CopyIdentity identity{words->at(1).toLongLong(&startedOk),
                          words->at(2) == "1",
                          words->at(3).toUInt(&markerOk),
                          {},
                          QString::fromUtf8(caption)};
    const auto frame = rectFrom(*words, 4);
    if (!startedOk || !markerOk || !frame)
        return std::nullopt;
    identity.frame = *frame;
    return identity;
}

QByteArray formatMove(const QRect& frame) {
    return MoveWord + ' ' + rectWords(frame);
}

std::optional<QRect> parseMove(const QByteArray& line) {
    const QList<QByteArray> words = line.split(' ');
    if (words.size() != 5 || words.front() != MoveWord)
        return std::nullopt;
    return rectFrom(words, 1);
}

} // namespace CopyProtocol
