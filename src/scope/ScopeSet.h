#pragma once

// The band scope's tables: the all-bands table, one table per band of the band plan
// (Scope160 … Scope2), the settings they share and the band filter of the "All" list.

#include "scope/SpotScope.h"

#include <QList>

#include <array>
#include <memory>

class ScopeSet {
public:
    ScopeSet();

    // Every table, in the order the fan-out feeds them: all bands first, then the bands
    // in the order of the band plan.
    QList<LineSink*> spotConsumers();

    ScopeContext& context() { return m_context; }
    BandFilter& filter() { return m_filter; }
    AllBandsScope& all() { return m_all; }
    BandScope& band(Band band) { return *m_bands[size_t(band)]; }

    // Empties every table ("ALL Clear").
    void Clear();

private:
    ScopeContext m_context;
    BandFilter m_filter;
    AllBandsScope m_all{m_context};
    std::array<std::unique_ptr<BandScope>, BandCount> m_bands;
};
