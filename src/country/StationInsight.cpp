#include "country/StationInsight.h"

#include "country/AdifBands.h"
#include "country/StationSettings.h"

#include <cmath>

void StationInsight::setCountries(std::shared_ptr<const CountryFile> countries) {
    m_countries = std::move(countries);
    m_annotations.clear();
    m_infoByCall.clear();
}

// The lists ask about the same calls at every redraw: each is looked up in the country
// file once, until the file changes or newer calls took its place.
const CountryInfo* StationInsight::lookup(QByteArrayView call) const {
    if (!m_countries)
        return nullptr;
    return m_infoByCall.answer(call,
                               [this](QByteArrayView asked) { return m_countries->lookup(asked); });
}

void StationInsight::setStation(const StationSettings& station) {
    m_home = Maidenhead::centreOf(station.locator);
    m_annotations.clear();
    m_spotterContinents = station.spotterContinents.toLatin1().toUpper().simplified().split(' ');
    m_spotterContinents.removeAll(QByteArray());
    m_hideWorked = station.hideWorked;
}

QByteArrayView StationInsight::spotterContinent(const DxSpot& spot) const {
    const CountryInfo* spotter = lookup(Callsign::withoutNodeSuffix(spot.spotterView()));
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
    const CountryInfo* info = lookup(spot.dxCallView().trimmed());
    if (!info)
        return;
    while (row.endsWith(' '))
        row.chop(1);
    const QByteArray& annotation = annotationOf(*info);
    row.reserve(std::max<qsizetype>(row.size(), AnnotationColumn) + annotation.size());
    if (row.size() < AnnotationColumn)
        row.append(AnnotationColumn - row.size(), ' ');
    row += annotation;
}

const QByteArray& StationInsight::annotationOf(const CountryInfo& info) const {
    if (const auto known = m_annotations.constFind(&info); known != m_annotations.cend())
        return *known;
    QByteArray annotation("  ");
    // Entity names are ASCII in the country file; anything else is left out rather than
    // shown through the terminal's character set.
    for (const QChar c : m_countries->entityOf(info).name)
        annotation += c.unicode() < 0x80 ? char(c.unicode()) : '?';
    annotation += ", ";
    annotation += info.continent.data();
    annotation += ", CQ ";
    annotation += QByteArray::number(info.cqZone);
    if (m_home) {
        const GeoPosition there{info.latitude, info.longitude};
        annotation += ", ";
        annotation += QByteArray::number(std::lround(GreatCircle::distanceKm(*m_home, there)));
        annotation += " km, ";
        annotation += QByteArray::number(GreatCircle::bearingDegrees(*m_home, there));
        annotation += " deg";
    }
    return *m_annotations.insert(&info, annotation);
}

SpotNeed StationInsight::needOf(QByteArrayView call, double khz) const {
    const CountryInfo* info = lookup(call);
    if (!info)
        return SpotNeed::Unknown;
    return m_worked.needOf(m_countries->entityOf(*info).adif, AdifBands::indexOfKhz(khz));
}
