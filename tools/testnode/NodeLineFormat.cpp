#include "NodeLineFormat.h"

#include <algorithm>
#include <array>

namespace testnode::NodeLineFormat {

namespace {

// DXSpider cuts the "DX de" front (spotter, frequency, call) here, whatever overflowed.
constexpr qsizetype SpotFrontWidth = 38;
constexpr qsizetype SpotCommentWidth = 30;
// A listing line is this long unless the call overflows its column; the comment gives
// way to the spotter's "<call>" at the end.
constexpr qsizetype ListingWidth = 77;
constexpr qsizetype ListingHeadWidth = 40;

QByteArray frequency(double freqKhz, int width) {
    return QByteArray::number(freqKhz, 'f', 1).rightJustified(width);
}

QByteArray twoDigits(int value) {
    return QByteArray::number(value).rightJustified(2, '0');
}

} // namespace

QByteArray clusterDate(const QDateTime& utc) {
    static constexpr std::array<const char*, 12> months = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate date = utc.toUTC().date();
    if (!date.isValid())
        return QByteArrayLiteral(" 0-Nul-0000");
    return QByteArray::number(date.day()).rightJustified(2) + '-' + months.at(date.month() - 1) +
           '-' + QByteArray::number(date.year()).rightJustified(4, '0');
}

QByteArray clusterTime(const QDateTime& utc) {
    const QTime time = utc.toUTC().time();
    if (!time.isValid())
        return QByteArrayLiteral("0000Z");
    return twoDigits(time.hour()) + twoDigits(time.minute()) + 'Z';
}

QByteArray spot(const TestNodeSpot& spot) {
    // "%-9s%9.1f" rather than "%-9s %8.1f": a 9-digit frequency eats the space instead
    // of pushing the call right, as real DXSpider lines show.
    QByteArray front = "DX de " + (spot.spotter + ':').leftJustified(9) +
                       frequency(spot.freqKhz, 9) + "  " + spot.dxCall.leftJustified(12);
    front.truncate(SpotFrontWidth);
    return front + ' ' + spot.remarks.leftJustified(SpotCommentWidth, ' ', true) + ' ' +
           clusterTime(spot.utc);
}

QByteArray listing(const TestNodeSpot& spot) {
    const QByteArray head = frequency(spot.freqKhz, 9) + ' ' + spot.dxCall.leftJustified(11) + ' ' +
                            clusterDate(spot.utc) + ' ' + clusterTime(spot.utc) + ' ';
    const QByteArray spotter = '<' + spot.spotter + '>';
    const qsizetype commentWidth =
        std::max<qsizetype>(0, ListingWidth - ListingHeadWidth - spotter.size());
    return head + spot.remarks.leftJustified(commentWidth, ' ', true) + spotter;
}

QByteArray prompt(const QByteArray& call, const QByteArray& nodeCall, const QDateTime& utc) {
    return call + " de " + nodeCall + ' ' + clusterDate(utc) + ' ' + clusterTime(utc) +
           " dxspider >";
}

} // namespace testnode::NodeLineFormat
