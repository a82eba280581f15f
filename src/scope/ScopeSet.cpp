#include "scope/ScopeSet.h"

#include "screen/LinePipeline.h"

ScopeSet::ScopeSet() {
    for (int i = 0; i < BandCount; ++i)
        m_bands[size_t(i)] = std::make_unique<BandScope>(m_context, Band(i));
}

QList<LineSink*> ScopeSet::spotConsumers() {
    QList<LineSink*> consumers{&m_all};
    for (const auto& scope : m_bands)
        consumers.append(scope.get());
    return consumers;
}

void ScopeSet::Clear() {
    m_all.Clear();
    for (auto& scope : m_bands)
        scope->Clear();
}
