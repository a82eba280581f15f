#pragma once

// Recognises spots among the lines a node sends, and reads them:
//   format A, the announcement a node pushes as spots arrive:
//     "DX de M0TST:     14025.0  XX9ZZ        test                           0944Z"
//   format B, a line of a spot listing ("sh/dx"):
//     "  14025.0 XX9ZZ        6-Dec-2026 0946Z test                          <M0TST>"
// Lines to all users ("ALL de ") and propagation bulletins ("WWV") are never spots.
// Pure functions; a line that does not fit is silently not a spot.

#include "scope/DxSpot.h"

#include <QByteArrayView>

namespace SpotParser {

inline constexpr double LowestKhz = 1000.0;
inline constexpr double HighestKhz = 11000000000.0;

bool IsDxDeLine(QByteArrayView line);
void ParseDxDeLine(QByteArrayView line, DxSpot& spot);
bool IsListingLine(QByteArrayView line);
void ParseListingLine(QByteArrayView line, DxSpot& spot);

} // namespace SpotParser
