#include "country/WorkedLog.h"

#include "country/CountryFile.h"

WorkedLog::WorkedLog(const AdifLog& log, const CountryFile* countries)
    : m_loaded(true)
    , m_qsoCount(int(log.qsos.size())) {
    for (const AdifQso& qso : log.qsos) {
        int adif = qso.dxcc;
        if (adif <= 0 && countries) {
            const CountryInfo* info = countries->lookup(qso.call);
            adif = info ? countries->entityOf(*info).adif : -1;
        }
        if (adif <= 0) {
            ++m_unplaced;
            continue;
        }
        m_entities.insert(adif);
        if (qso.band < 0)
            continue;
        m_slots.insert(slotOf(adif, qso.band));
        if (qso.confirmed)
            m_confirmedSlots.insert(slotOf(adif, qso.band));
    }
}

SpotNeed WorkedLog::needOf(int adif, int band) const {
    if (!m_loaded || adif <= 0)
        return SpotNeed::Unknown;
    if (!m_entities.contains(adif))
        return SpotNeed::NewOne;
    if (band >= 0 && !m_slots.contains(slotOf(adif, band)))
        return SpotNeed::NewBand;
    return SpotNeed::Worked;
}
