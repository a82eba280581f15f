#pragma once

// What the operator still needs, from their log: the entities worked, the entity-band
// slots worked and those confirmed. Counted by ADIF entity number, so a station on an
// island that counts only for some awards is the entity it belongs to. Records without a
// DXCC field are placed through the country file.

#include "country/AdifReader.h"
#include "scope/SpotAnnotator.h"

#include <QSet>

class CountryFile;

class WorkedLog {
public:
    WorkedLog() = default;
    // countries may be null: records without DXCC are then left out and counted.
    WorkedLog(const AdifLog& log, const CountryFile* countries);

    bool isLoaded() const { return m_loaded; }
    int qsoCount() const { return m_qsoCount; }
    int unplacedCount() const { return m_unplaced; }
    int entityCount() const { return int(m_entities.size()); }

    // band is an index into AdifBands::all(), -1 for a frequency outside the bands.
    SpotNeed needOf(int adif, int band) const;
    bool isConfirmed(int adif, int band) const {
        return m_confirmedSlots.contains(slotOf(adif, band));
    }

private:
    static qint64 slotOf(int adif, int band) { return qint64(adif) * 64 + band; }

    bool m_loaded = false;
    int m_qsoCount = 0;
    int m_unplaced = 0;
    QSet<int> m_entities;
    QSet<qint64> m_slots;
    QSet<qint64> m_confirmedSlots;
};
