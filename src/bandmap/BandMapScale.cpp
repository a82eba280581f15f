#include "bandmap/BandMapScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Round steps in kHz, finest first: 1, 2 and 5 times a power of ten.
constexpr std::array<double, 15> Steps{0.1, 0.2, 0.5, 1,   2,    5,    10,  20,
                                       50,  100, 200, 500, 1000, 2000, 5000};

double stepAtLeast(double khz) {
    for (const double step : Steps) {
        if (step >= khz)
            return step;
    }
    return Steps.back();
}

} // namespace

void BandMapScale::setBand(double lowerKhz, double upperKhz) {
    m_lowerKhz = lowerKhz;
    m_upperKhz = std::max(upperKhz, lowerKhz + FinestKhzPerPixel);
    m_topKhz = m_lowerKhz;
    m_khzPerPixel = coarsestKhzPerPixel();
}

void BandMapScale::setHeight(int pixels) {
    const bool wholeBand = m_khzPerPixel >= coarsestKhzPerPixel();
    m_height = std::max(pixels, 1);
    if (wholeBand)
        m_khzPerPixel = coarsestKhzPerPixel();
    keepInBand();
}

double BandMapScale::coarsestKhzPerPixel() const {
    return std::max((m_upperKhz - m_lowerKhz) / m_height, FinestKhzPerPixel);
}

void BandMapScale::zoomAround(double y, double factor) {
    if (!(factor > 0))
        return;
    const double anchor = khzAt(y);
    m_khzPerPixel = std::clamp(m_khzPerPixel / factor, FinestKhzPerPixel, coarsestKhzPerPixel());
    m_topKhz = anchor - y * m_khzPerPixel;
    keepInBand();
}

void BandMapScale::panPixels(double dy) {
    m_topKhz += dy * m_khzPerPixel;
    keepInBand();
}

void BandMapScale::centreOn(double khz) {
    m_topKhz = khz - m_khzPerPixel * m_height / 2;
    keepInBand();
}

void BandMapScale::keepInBand() {
    const double span = m_khzPerPixel * m_height;
    m_topKhz = std::clamp(m_topKhz, m_lowerKhz, std::max(m_lowerKhz, m_upperKhz - span));
}

double BandMapScale::labelStep(int minTickPixels, int minLabelPixels) const {
    // The ticks on a multiple of it are labelled.
    return stepAtLeast(m_khzPerPixel * std::max({minTickPixels, minLabelPixels, 1}));
}

QList<BandMapScale::Tick> BandMapScale::ticks(int minTickPixels, int minLabelPixels) const {
    const double tickStep = stepAtLeast(m_khzPerPixel * std::max(minTickPixels, 1));
    const double labelled = labelStep(minTickPixels, minLabelPixels);
    QList<Tick> result;
    // Counted in whole steps from zero, so that ticks sit on round frequencies exactly.
    const auto first = qint64(std::ceil(m_topKhz / tickStep - 1e-9));
    const auto last = qint64(std::floor(bottomKhz() / tickStep + 1e-9));
    for (qint64 n = first; n <= last; ++n) {
        const double khz = double(n) * tickStep;
        const double inLabels = khz / labelled;
        result.append({khz, std::abs(inLabels - std::round(inLabels)) < 1e-6});
    }
    return result;
}

QString BandMapScale::labelOf(double khz, int minTickPixels, int minLabelPixels) const {
    const double step = labelStep(minTickPixels, minLabelPixels);
    const int decimals = step >= 1 ? 0 : step >= 0.1 ? 1 : 2;
    return QString::number(khz, 'f', decimals);
}
