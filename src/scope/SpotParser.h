#pragma once

// Recognises spots among the lines a node sends, and reads them:
//   format A, the announcement a node pushes as spots arrive:
//     "DX de M0TST:     14025.0  XX9ZZ        test                           0944Z"
//   format B, a line of a spot listing ("sh/dx"):
//     "  14025.0 XX9ZZ        6-Dec-2026 0946Z test                          <M0TST>"
// Lines to all users ("ALL de ") and propagation bulletins ("WWV") are never spots.
// Pure functions; a line that does not fit is silently not a spot. A spot keeps its
// spotter, its whole line and its own time (a live spot's HHMMZ, a listing's date and
// time).

#include "scope/DxSpot.h"

#include <QByteArrayView>

namespace SpotParser {

inline constexpr double LowestKhz = 1000.0;
inline constexpr double HighestKhz = 11000000000.0;

// When a live spot's HHMMZ (minuteOfDay, 0 to 1439) was, given when it was received: on
// the UTC day that puts it nearest to its reception (just before midnight, "0001Z" is the
// next day's).
qint64 liveSpotTime(qint64 received, int minuteOfDay);

bool IsDxDeLine(QByteArrayView line);
void ParseDxDeLine(QByteArrayView line, DxSpot& spot);
bool IsListingLine(QByteArrayView line);
void ParseListingLine(QByteArrayView line, DxSpot& spot);

} // namespace SpotParser
