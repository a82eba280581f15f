#include "country/GeoPosition.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double EarthRadiusKm = 6371.0;

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

bool inRange(QChar c, char low, char high) {
    const char16_t upper = c.toUpper().unicode();
    return upper >= char16_t(low) && upper <= char16_t(high);
}

int offsetOf(QChar c, char base) {
    return c.toUpper().unicode() - char16_t(base);
}

} // namespace

bool Maidenhead::isValid(QStringView locator) {
    if (locator.size() != 4 && locator.size() != 6)
        return false;
    return inRange(locator[0], 'A', 'R') && inRange(locator[1], 'A', 'R') &&
           inRange(locator[2], '0', '9') && inRange(locator[3], '0', '9') &&
           (locator.size() == 4 ||
            (inRange(locator[4], 'A', 'X') && inRange(locator[5], 'A', 'X')));
}

std::optional<GeoPosition> Maidenhead::centreOf(QStringView locator) {
    if (!isValid(locator))
        return std::nullopt;
    // A field is 20 by 10 degrees, a square 2 by 1, a subsquare 5 by 2.5 minutes.
    double longitude = -180.0 + offsetOf(locator[0], 'A') * 20.0 + offsetOf(locator[2], '0') * 2.0;
    double latitude = -90.0 + offsetOf(locator[1], 'A') * 10.0 + offsetOf(locator[3], '0') * 1.0;
    if (locator.size() == 6) {
        longitude += offsetOf(locator[4], 'A') * (2.0 / 24.0) + 1.0 / 24.0;
        latitude += offsetOf(locator[5], 'A') * (1.0 / 24.0) + 0.5 / 24.0;
    } else {
        longitude += 1.0;
        latitude += 0.5;
    }
    return GeoPosition{latitude, longitude};
}

double GreatCircle::distanceKm(const GeoPosition& from, const GeoPosition& to) {
    const double dLatitude = radians(to.latitude - from.latitude);
    const double dLongitude = radians(to.longitude - from.longitude);
    const double a = std::sin(dLatitude / 2) * std::sin(dLatitude / 2) +
                     std::cos(radians(from.latitude)) * std::cos(radians(to.latitude)) *
                         std::sin(dLongitude / 2) * std::sin(dLongitude / 2);
    return 2 * EarthRadiusKm * std::atan2(std::sqrt(a), std::sqrt(1 - a));
}

int GreatCircle::bearingDegrees(const GeoPosition& from, const GeoPosition& to) {
    const double fromLatitude = radians(from.latitude);
    const double toLatitude = radians(to.latitude);
    const double dLongitude = radians(to.longitude - from.longitude);
    const double y = std::sin(dLongitude) * std::cos(toLatitude);
    const double x = std::cos(fromLatitude) * std::sin(toLatitude) -
                     std::sin(fromLatitude) * std::cos(toLatitude) * std::cos(dLongitude);
    const double degrees = std::atan2(y, x) * 180.0 / std::numbers::pi;
    return int(std::lround(std::fmod(degrees + 360.0, 360.0))) % 360;
}
