#pragma once

// One amateur band laid down the band map, lowest frequency at the top: a frequency's
// pixel row and a row's frequency, zoomed from the whole band in the map's height down to
// 50 Hz a pixel, panned no further than the band's edges, and the ticks that read well
// at the zoom of the moment.

#include <QList>
#include <QString>

class BandMapScale {
public:
    static constexpr double FinestKhzPerPixel = 0.05;

    // Shows the whole band.
    void setBand(double lowerKhz, double upperKhz);
    // Keeps the frequency at the top where it is, unless the band then ends short.
    void setHeight(int pixels);

    double lowerKhz() const { return m_lowerKhz; }
    double upperKhz() const { return m_upperKhz; }
    int height() const { return m_height; }
    double topKhz() const { return m_topKhz; }
    double khzPerPixel() const { return m_khzPerPixel; }
    double bottomKhz() const { return m_topKhz + m_khzPerPixel * m_height; }

    double yOf(double khz) const { return (khz - m_topKhz) / m_khzPerPixel; }
    double khzAt(double y) const { return m_topKhz + y * m_khzPerPixel; }

    // factor > 1 zooms in; the frequency under row y stays under it where the band allows.
    void zoomAround(double y, double factor);
    void panPixels(double dy);
    void centreOn(double khz);

    struct Tick {
        double khz;
        bool labelled;
    };
    // Ticks at least minTickPixels apart, labelled ones at least minLabelPixels apart,
    // at round frequencies (1, 2 or 5 times a power of ten kHz).
    QList<Tick> ticks(int minTickPixels, int minLabelPixels) const;
    // A tick's label, with as many decimals as the labelled ticks' step needs.
    QString labelOf(double khz, int minTickPixels, int minLabelPixels) const;

private:
    double coarsestKhzPerPixel() const;
    void keepInBand();
    double labelStep(int minTickPixels, int minLabelPixels) const;

    double m_lowerKhz = 14000;
    double m_upperKhz = 14350;
    int m_height = 1;
    double m_topKhz = 14000;
    double m_khzPerPixel = 350;
};
