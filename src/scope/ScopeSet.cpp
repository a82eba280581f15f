#include "scope/ScopeSet.h"

#include "screen/LinePipeline.h"

ScopeSet::ScopeSet() {
    for (int i = 0; i < BandCount; ++i)
        m_bands[size_t(i)] = std::make_unique<BandScope>(m_context, Band(i));
}

void ScopeSet::attach(LinePipeline& pipeline) {
    pipeline.setSpotConsumer(ScopeSlot::AllBands, &m_all);
    for (int i = 0; i < BandCount; ++i)
        pipeline.setSpotConsumer(ScopeSlot(int(ScopeSlot::Band160) + i), m_bands[size_t(i)].get());
}

void ScopeSet::Clear() {
    m_all.Clear();
    for (auto& scope : m_bands)
        scope->Clear();
}
