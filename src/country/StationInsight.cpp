#include "country/StationInsight.h"

#include "country/AdifBands.h"
#include "country/StationSettings.h"

#include <cmath>

void StationInsight::setStation(const StationSettings& station) {
    m_home = Maidenhead::centreOf(station.locator);
    m_spotterContinents = station.spotterContinents.toLatin1().toUpper().simplified().split(' ');
    m_spotterContinents.removeAll(QByteArray());
    m_hideWorked = station.hideWorked;
}

QByteArrayView StationInsight::spotterContinent(const DxSpot& spot) const {
    const CountryInfo* spotter =
        m_countries ? m_countries->lookup(Callsign::withoutNodeSuffix(spot.spotterView()))
                    : nullptr;
    return spotter ? QByteArrayView(spotter->continent.data()) : QByteArrayView();
}

bool StationInsight::shows(const DxSpot& spot) const {
    if (!m_spotterContinents.isEmpty()) {
        const QByteArrayView continent = spotterContinent(spot);
        // A spotter nobody can place is not hidden: the filter hides what it knows to be far.
        if (!continent.isEmpty() && !m_spotterContinents.contains(continent))
            return false;
    }
    return !m_hideWorked || AdifBands::indexOfKhz(spot.freqKhz) < 0 ||
           needOf(spot.dxCallView().trimmed(), spot.freqKhz) != SpotNeed::Worked;
}

void StationInsight::annotate(const DxSpot& spot, QByteArray& row) const {
    const CountryInfo* info =
        m_countries ? m_countries->lookup(spot.dxCallView().trimmed()) : nullptr;
    if (!info)
        return;
    while (row.endsWith(' '))
        row.chop(1);
    if (row.size() < AnnotationColumn)
        row.append(AnnotationColumn - row.size(), ' ');
    row += "  ";
    // Entity names are ASCII in the country file; anything else is left out rather than
    // shown through the terminal's character set.
    for (const QChar c : m_countries->entityOf(*info).name)
        row += c.unicode() < 0x80 ? char(c.unicode()) : '?';
    row += ", ";
    row += info->continent.data();
    row += ", CQ ";
    row += QByteArray::number(info->cqZone);
    if (m_home) {
        const GeoPosition there{info->latitude, info->longitude};
        row += ", ";
        row += QByteArray::number(std::lround(GreatCircle::distanceKm(*m_home, there)));
        row += " km, ";
        row += QByteArray::number(GreatCircle::bearingDegrees(*m_home, there));
        row += " deg";
    }
}

SpotNeed StationInsight::needOf(QByteArrayView call, double khz) const {
    const CountryInfo* info = m_countries ? m_countries->lookup(call) : nullptr;
    if (!info)
        return SpotNeed::Unknown;
    return m_worked.needOf(m_countries->entityOf(*info).adif, AdifBands::indexOfKhz(khz));
}
