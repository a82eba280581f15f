#include "watch/WatchAlerts.h"

#include "scope/SpotParser.h"
#include "scope/SpotScope.h"

#include <cstdlib>

namespace {

// The scope's tables have read this very line just before: their result is taken over.
std::optional<DxSpot> readSpot(QByteArrayView line, ParsedLine& lastParsed) {
    if (const std::optional<DxSpot>* known = lastParsed.find(line))
        return *known;
    std::optional<DxSpot> spot;
    if (SpotParser::IsDxDeLine(line))
        SpotParser::ParseDxDeLine(line, spot.emplace());
    else if (SpotParser::IsListingLine(line))
        SpotParser::ParseListingLine(line, spot.emplace());
    lastParsed.keep(line, spot);
    return spot;
}

} // namespace

WatchAlerts::WatchAlerts(const WatchSettings& settings, const WatchList& list,
                         const ScopeContext& scope, std::function<int()> charset, AlertSink& sink)
    : m_settings(settings)
    , m_scope(scope)
    , m_charset(std::move(charset))
    , m_sink(sink)
    , m_list(list) {}

void WatchAlerts::takeLine(QByteArrayView line) {
    if (m_list.isEmpty() && !m_needed)
        return; // spares reading every line of a flood
    const std::optional<DxSpot> spot = readSpot(line, m_scope.lastParsed);
    const QByteArrayView call = spot ? spot->dxCallView().trimmed() : QByteArrayView();
    if (!spot || !(m_list.matches(call) || (m_needed && m_needed(call, spot->freqKhz))))
        return;
    const std::optional<Band> band = BandOf(spot->wholeKhz);
    if (!isFirstAlert(call, band ? int(*band) : BandCount))
        return;
    if (m_decoder.charset() != m_charset())
        m_decoder.setCharset(m_charset());
    m_sink.alert({QString::fromLatin1(call), m_decoder.decode(LinePipeline::trimmedForLog(line)),
                  m_settings.soundOn ? m_settings.sound : QString()});
}

// Remembers the alert unless the call already had one on this band within the lifetime.
bool WatchAlerts::isFirstAlert(QByteArrayView call, int band) {
    const qint64 now = m_scope.currentTime();
    std::erase_if(m_alerted, [&](const Alerted& alerted) {
        return std::llabs(now - alerted.at) / 60 > m_scope.lifetimeMinutes;
    });
    for (const Alerted& alerted : m_alerted) {
        if (alerted.band == band && alerted.call.compare(call, Qt::CaseInsensitive) == 0)
            return false;
    }
    if (m_alerted.size() == MaxRemembered)
        m_alerted.erase(m_alerted.begin());
    m_alerted.push_back({call.toByteArray().toUpper(), band, now});
    return true;
}
