#pragma once

// The band scope's tables: the all-bands table, the eleven band tables Scope160 …
// Scope2, the settings they share and the band filter of the "All" list. Plugged into
// the line fan-out, which feeds them in that order.

#include "scope/SpotScope.h"

#include <array>
#include <memory>

class LinePipeline;

class ScopeSet {
public:
    ScopeSet();

    // Feeds every table from the fan-out: all bands first, then 160 m … 2 m.
    void attach(LinePipeline& pipeline);

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
