#include "country/AdifBands.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int64_t kHz = 1000;
constexpr std::int64_t MHz = 1000 * kHz;

constexpr std::array<AdifBand, AdifBands::Count> Bands{{
    {"2190m", 135700, 137800},
    {"630m", 472 * kHz, 479 * kHz},
    {"560m", 501 * kHz, 504 * kHz},
    {"160m", 1800 * kHz, 2000 * kHz},
    {"80m", 3500 * kHz, 4000 * kHz},
    {"60m", 5060 * kHz, 5450 * kHz},
    {"40m", 7000 * kHz, 7300 * kHz},
    {"30m", 10100 * kHz, 10150 * kHz},
    {"20m", 14000 * kHz, 14350 * kHz},
    {"17m", 18068 * kHz, 18168 * kHz},
    {"15m", 21000 * kHz, 21450 * kHz},
    {"12m", 24890 * kHz, 24990 * kHz},
    {"10m", 28000 * kHz, 29700 * kHz},
    {"8m", 40 * MHz, 45 * MHz},
    {"6m", 50 * MHz, 54 * MHz},
    {"5m", 54 * MHz + 1, 69900 * kHz},
    {"4m", 70 * MHz, 71 * MHz},
    {"2m", 144 * MHz, 148 * MHz},
    {"1.25m", 222 * MHz, 225 * MHz},
    {"70cm", 420 * MHz, 450 * MHz},
    {"33cm", 902 * MHz, 928 * MHz},
    {"23cm", 1240 * MHz, 1300 * MHz},
    {"13cm", 2300 * MHz, 2450 * MHz},
    {"9cm", 3300 * MHz, 3500 * MHz},
    {"6cm", 5650 * MHz, 5925 * MHz},
    {"3cm", 10000 * MHz, 10500 * MHz},
    {"1.25cm", 24000 * MHz, 24250 * MHz},
    {"6mm", 47000 * MHz, 47200 * MHz},
    {"4mm", 75500 * MHz, 81000 * MHz},
    {"2.5mm", 119980 * MHz, 123000 * MHz},
    {"2mm", 134000 * MHz, 149000 * MHz},
    {"1mm", 241000 * MHz, 250000 * MHz},
    {"submm", 300000 * MHz, 7500000 * MHz},
}};

} // namespace

const std::array<AdifBand, AdifBands::Count>& AdifBands::all() {
    return Bands;
}

int AdifBands::indexOfHz(std::int64_t hz) {
    // The bands are in order and do not overlap.
    const auto after = std::upper_bound(
        Bands.begin(), Bands.end(), hz,
        [](std::int64_t value, const AdifBand& band) { return value < band.lowerHz; });
    if (after == Bands.begin() || !std::prev(after)->holds(hz))
        return -1;
    return int(std::prev(after) - Bands.begin());
}

int AdifBands::indexOfKhz(double khz) {
    if (!std::isfinite(khz) || khz <= 0 || khz > 1e10)
        return -1;
    return indexOfHz(std::llround(khz * 1000.0));
}

int AdifBands::indexOfName(QByteArrayView name) {
    name = name.trimmed();
    for (int i = 0; i < Count; ++i) {
        if (name.compare(QByteArrayView(Bands[size_t(i)].name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
