#include "scope/SpotMarks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double TunedWithinKhz = 1.0;

// The frequency text is "%9.1f": it ends one digit after its point, and a call never
// holds a point.
qsizetype callStart(QByteArrayView key) {
    const qsizetype point = key.indexOf('.');
    return point < 0 ? key.size() : std::min(point + 2, key.size());
}

} // namespace

QByteArray SpotKey::of(const DxSpot& spot) {
    return spot.freqTextView().toByteArray().append(spot.dxCallView());
}

double SpotKey::frequencyKhz(QByteArrayView key) {
    bool ok = false;
    const double khz = key.first(callStart(key)).trimmed().toDouble(&ok);
    return ok ? khz : 0;
}

QByteArrayView SpotKey::call(QByteArrayView key) {
    return key.sliced(callStart(key)).trimmed();
}

void SpotMarks::setWatchTest(WatchTest watched) {
    m_watched = std::move(watched);
    emit changed();
}

void SpotMarks::setNeedTest(NeedTest need) {
    m_need = std::move(need);
    m_needs.clear();
    emit changed();
}

void SpotMarks::setNeedColors(const NeedColors& colors) {
    if (colors == m_needColors)
        return;
    m_needColors = colors;
    emit changed();
}

// A spot is asked about at every redraw, and several times as its row is drawn (its
// marks, its colour): each answer is kept until the test changes or newer spots took its
// place.
SpotNeed SpotMarks::needOf(QByteArrayView spotKey) const {
    if (!m_need)
        return SpotNeed::Unknown;
    return m_needs.answer(spotKey, [this](QByteArrayView key) {
        return m_need(SpotKey::call(key), SpotKey::frequencyKhz(key));
    });
}

void SpotMarks::setRigFrequency(std::optional<qint64> hz) {
    if (hz == m_rigHz)
        return;
    m_rigHz = hz;
    emit changed();
}

int SpotMarks::tunedRow(const QList<QByteArray>& spotKeys) const {
    if (!m_rigHz)
        return -1;
    const double rigKhz = double(*m_rigHz) / 1000.0;
    const std::optional<Band> rigBand = BandOf(qint64(rigKhz));
    if (!rigBand)
        return -1;
    int nearest = -1;
    double nearestDistance = TunedWithinKhz;
    for (int row = 0; row < spotKeys.size(); ++row) {
        const double khz = SpotKey::frequencyKhz(spotKeys[row]);
        const double distance = std::abs(khz - rigKhz);
        if (distance <= nearestDistance && BandOf(qint64(khz)) == rigBand &&
            (nearest < 0 || distance < nearestDistance)) {
            nearest = row;
            nearestDistance = distance;
        }
    }
    return nearest;
}
