#pragma once

// The amateur bands as ADIF names them ("160m" … "70cm" …), with ADIF's edges: the one
// band table behind "new band", the filters and the band map. (The scope's eleven tables
// keep their own, wider ranges.)

#include <QByteArrayView>

#include <array>
#include <cstdint>

struct AdifBand {
    const char* name; // as ADIF writes it, lower case
    std::int64_t lowerHz;
    std::int64_t upperHz; // both edges belong to the band

    bool holds(std::int64_t hz) const { return hz >= lowerHz && hz <= upperHz; }
};

namespace AdifBands {
inline constexpr int Count = 33;
const std::array<AdifBand, Count>& all();
// The band's index in all(), -1 for a frequency outside every band.
int indexOfHz(std::int64_t hz);
int indexOfKhz(double khz);
// The index of a band named as ADIF names it, in any case; -1 for an unknown name.
int indexOfName(QByteArrayView name);
} // namespace AdifBands
