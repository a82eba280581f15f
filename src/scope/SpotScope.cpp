#include "scope/SpotScope.h"

#include "scope/SpotMarks.h"
#include "scope/SpotParser.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

std::optional<Band> BandOf(qint64 wholeKhz) {
    for (int i = 0; i < BandCount; ++i) {
        if (BandPlan[size_t(i)].holds(wholeKhz))
            return Band(i);
    }
    return std::nullopt;
}

qint64 ScopeContext::currentTime() const {
    return now ? now() : QDateTime::currentSecsSinceEpoch();
}

SpotScope::SpotScope(const ScopeContext& context)
    : m_context(context) {
    for (size_t slot = 0; slot < m_order.size(); ++slot)
        m_order[slot] = quint8(slot);
}

// Of spots received in the same second, the first to arrive is the oldest: a burst
// (a long "sh/dx" answer) loses its first spots, not its lowest frequencies.
int SpotScope::FindOldest() const {
    int oldest = -1;
    std::pair<qint64, quint64> oldestAge;
    for (int i = 0; i < m_count; ++i) {
        const std::pair age(entry(i).received, entry(i).arrival);
        if (oldest < 0 || age < oldestAge) {
            oldest = i;
            oldestAge = age;
        }
    }
    return oldest;
}

// Ascending by whole kHz; spots of the same whole kHz keep their order. Only the spot
// just appended is ever out of place: it goes after the spots of its whole kHz and
// below, the ones above it moving up by one in a single copy.
void SpotScope::Sort() {
    if (m_count > 1) {
        const auto first = m_order.begin();
        const auto last = first + m_count - 1;
        const quint8 appended = *last;
        const auto place = std::upper_bound(
            first, last, m_pool[appended].wholeKhz,
            [this](qint64 khz, quint8 kept) { return khz < m_pool[kept].wholeKhz; });
        std::move_backward(place, last, last + 1);
        *place = appended;
    }
    ++m_changes;
}

bool SpotScope::IsDxDeLine(QByteArrayView line) const {
    return SpotParser::IsDxDeLine(line);
}

void SpotScope::ParseDxDeLine(QByteArrayView line, DxSpot& spot) const {
    SpotParser::ParseDxDeLine(line, spot);
}

bool SpotScope::IsListingLine(QByteArrayView line) const {
    return SpotParser::IsListingLine(line);
}

void SpotScope::ParseListingLine(QByteArrayView line, DxSpot& spot) const {
    SpotParser::ParseListingLine(line, spot);
}

namespace {

constexpr const char* BandListFormat = "%s [%2d] %s %s";

// The same call, all twelve padded characters alike (case counts), less than 1 kHz
// away. Calls are always padded to their full width, so the widths compare alike.
bool isDuplicate(const DxSpot& kept, const DxSpot& spot) {
    return std::fabs(kept.freqKhz - spot.freqKhz) < 1.0 &&
           std::memcmp(kept.dxCall.data(), spot.dxCall.data(), DxSpot::DxCallWidth) == 0;
}

} // namespace

int SpotScope::FindDuplicate(const DxSpot& spot) const {
    for (int i = 0; i < m_count; ++i) {
        if (isDuplicate(entry(i), spot))
            return i;
    }
    return -1;
}

void SpotScope::Delete(int index) {
    if (index < 0 || index >= m_count)
        return;
    const quint8 freed = m_order[size_t(index)];
    std::move(m_order.begin() + index + 1, m_order.begin() + m_count, m_order.begin() + index);
    m_order[size_t(--m_count)] = freed;
    m_pool[freed] = DxSpot{};
    ++m_changes;
}

// Only the slots in use hold spots.
void SpotScope::Clear() {
    for (int i = 0; i < m_count; ++i)
        slotOf(i) = DxSpot{};
    m_count = 0;
    ++m_changes;
}

ScopeListing SpotScope::ShowList() const {
    return listing(BandListFormat, {});
}

ScopeListing SpotScope::listBetween(double lowerKhz, double upperKhz) const {
    return listing(BandListFormat, [lowerKhz, upperKhz](const DxSpot& spot) {
        return spot.freqKhz >= lowerKhz && spot.freqKhz <= upperKhz;
    });
}

const DxSpot* SpotScope::entryWithKey(QByteArrayView spotKey) const {
    for (int i = 0; i < m_count; ++i) {
        if (SpotKey::of(entry(i)) == spotKey)
            return &entry(i);
    }
    return nullptr;
}

void SpotScope::Insert(const DxSpot& spot) {
    // A listing comes newest first: an older spot of a station listed after its newer
    // one leaves the newer one be.
    if (spot.listed && spot.spotTime > 0) {
        for (int i = 0; i < m_count; ++i) {
            if (isDuplicate(entry(i), spot) && entry(i).spotTime > spot.spotTime)
                return;
        }
    }
    // One look at each entry: from the top, so a removal moves only entries already seen.
    for (int i = m_count - 1; i >= 0; --i) {
        if (isDuplicate(entry(i), spot))
            Delete(i);
        else
            slotOf(i).isNew = false;
    }
    if (m_count == Capacity)
        Delete(FindOldest());
    DxSpot& added = slotOf(m_count); // the first free slot
    added = spot;
    added.isNew = true;
    added.arrival = ++m_arrivals;
    ++m_count;
    Sort();
}

const DxSpot* SpotScope::parsed(QByteArrayView line) {
    const std::optional<DxSpot>* known = m_context.lastParsed.find(line);
    if (!known) {
        std::optional<DxSpot> spot(std::in_place);
        if (IsDxDeLine(line))
            ParseDxDeLine(line, *spot);
        else if (IsListingLine(line))
            ParseListingLine(line, *spot);
        else
            spot.reset();
        known = &m_context.lastParsed.keep(line, spot);
    }
    return known->has_value() ? &**known : nullptr;
}

const std::optional<DxSpot>* ParsedLine::find(QByteArrayView line) const {
    if (line.size() != m_length || line != QByteArrayView(m_line.data(), m_length))
        return nullptr;
    return &m_spot;
}

const std::optional<DxSpot>& ParsedLine::keep(QByteArrayView line,
                                              const std::optional<DxSpot>& spot) {
    m_spot = spot;
    if (line.size() > qsizetype(m_line.size())) {
        m_length = -1; // longer lines never reach the tables: nothing to remember
        return m_spot;
    }
    std::copy(line.begin(), line.end(), m_line.begin());
    m_length = line.size();
    return m_spot;
}

ScopeListing SpotScope::listing(const char* format,
                                const std::function<bool(const DxSpot&)>& shown) const {
    ScopeListing result;
    const qint64 now = m_context.currentTime();
    char line[DxSpot::FreqTextSize + DxSpot::RemarkSize + 40];
    for (int i = 0; i < m_count; ++i) {
        const DxSpot& spot = entry(i);
        const qint64 ageMinutes = std::llabs(spot.received - now) / 60;
        if (ageMinutes > m_context.lifetimeMinutes || (shown && !shown(spot)) ||
            (m_context.annotator && !m_context.annotator->shows(spot)))
            continue;
        if (spot.isNew && m_context.focus)
            result.selected = int(result.lines.size());
        const int length = std::snprintf(line, sizeof line, format, spot.freqText.data(),
                                         int(ageMinutes), spot.dxCall.data(), spot.remark.data());
        QByteArray row(line, std::min<int>(length, int(sizeof line) - 1));
        if (m_context.annotator)
            m_context.annotator->annotate(spot, row);
        result.lines.append(std::move(row));
        result.spotKeys.append(SpotKey::of(spot));
        result.ageMinutes.append(int(ageMinutes));
        result.entries.append(i);
    }
    return result;
}

void AllBandsScope::AddLine(QByteArrayView line) {
    if (const DxSpot* spot = parsed(line))
        insertStamped(*spot);
}

// When the spot came, and when a live one was made.
void SpotScope::insertStamped(const DxSpot& spot) {
    m_scratch = spot;
    m_scratch.received = m_context.currentTime();
    if (m_scratch.minuteOfDay >= 0)
        m_scratch.spotTime = SpotParser::liveSpotTime(m_scratch.received, m_scratch.minuteOfDay);
    Insert(m_scratch);
}

ScopeListing AllBandsScope::RefreshAll(const BandFilter& filter) const {
    return listing("%s [%2d] %s  %s",
                   [&filter](const DxSpot& spot) { return filter.BandPasses(spot.wholeKhz); });
}

bool BandFilter::BandPasses(qint64 wholeKhz) const {
    for (int i = 0; i < BandCount; ++i) {
        if (m_checked[size_t(i)] && BandPlan[size_t(i)].holds(wholeKhz))
            return true;
    }
    return false;
}

BandScope::BandScope(const ScopeContext& context, Band band)
    : SpotScope(context)
    , m_band(band) {}

void BandScope::AddLine(QByteArrayView line) {
    const DxSpot* spot = parsed(line);
    if (spot && bandRange(m_band).holds(spot->wholeKhz))
        insertStamped(*spot);
}
