#pragma once

// Who a spotted station is and whether the operator needs it: the scope's lists ask here
// for each row. The row gains the DX station's entity, continent and CQ zone and, once
// the operator's own locator is known, the distance and short-path bearing to the
// entity; the operator's filters (spotters on chosen continents only, entities already
// worked on the band hidden) decide which spots are listed. Without a country file the
// rows stay as they are and every spot is shown. GUI thread only.

#include "base/RecentAnswers.h"
#include "country/CountryFile.h"
#include "country/GeoPosition.h"
#include "country/WorkedLog.h"
#include "scope/SpotAnnotator.h"

#include <QByteArrayList>
#include <QHash>

#include <memory>
#include <optional>

struct StationSettings;

class StationInsight : public SpotAnnotator {
public:
    // Rows lose their trailing blanks and are padded to this column before what is known
    // of the station, so it lines up: a live spot's row with a spotter of up to nine
    // characters ends before it.
    static constexpr int AnnotationColumn = 78;

    void setCountries(std::shared_ptr<const CountryFile> countries);
    const CountryFile* countries() const { return m_countries.get(); }
    void setWorked(WorkedLog worked) { m_worked = std::move(worked); }
    const WorkedLog& worked() const { return m_worked; }
    void setStation(const StationSettings& station);

    bool shows(const DxSpot& spot) const override;
    void annotate(const DxSpot& spot, QByteArray& row) const override;
    SpotNeed needOf(QByteArrayView call, double khz) const;
    // The continent of the spotter's entity, "" when it is not known.
    QByteArrayView spotterContinent(const DxSpot& spot) const;

private:
    const CountryInfo* lookup(QByteArrayView call) const;
    const QByteArray& annotationOf(const CountryInfo& info) const;

    std::shared_ptr<const CountryFile> m_countries;
    // What a row gains for each entry of the country file, made when first needed: the
    // lists ask for the same few hundred entries over and over.
    mutable QHash<const CountryInfo*, QByteArray> m_annotations;
    // Each call as the country file placed it (null: no entity), until the file changes.
    mutable RecentAnswers<const CountryInfo*, 20, 4096> m_infoByCall;
    WorkedLog m_worked;
    std::optional<GeoPosition> m_home;
    QByteArrayList m_spotterContinents; // empty: spotters anywhere
    bool m_hideWorked = false;
};
