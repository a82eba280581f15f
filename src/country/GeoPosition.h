#pragma once

// Positions on the earth: a Maidenhead locator's square, and the great-circle distance
// and short-path bearing from one position to another (a sphere of the earth's mean
// radius, as every amateur program reckons them).

#include <QStringView>

#include <optional>

struct GeoPosition {
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
};

namespace Maidenhead {
// A field and square ("PM95"), optionally with its subsquare ("PM95vq"), in either case.
bool isValid(QStringView locator);
// The centre of the locator's square or subsquare; nothing when it is not valid.
std::optional<GeoPosition> centreOf(QStringView locator);
} // namespace Maidenhead

namespace GreatCircle {
double distanceKm(const GeoPosition& from, const GeoPosition& to);
// Degrees from true north, 0 to 359.
int bearingDegrees(const GeoPosition& from, const GeoPosition& to);
} // namespace GreatCircle
