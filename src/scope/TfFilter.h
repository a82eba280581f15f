#pragma once

// The band filter of the "All" list ("Filter for AllTab"): one box per band and four
// group buttons. It only decides what the "All" list shows; nothing stored changes.
// The 160 m and 80 m boxes change the filter without redrawing the list, which
// follows at its next redraw; every other box redraws it at once.

#include "scope/DxSpot.h"

#include <QDialog>

#include <array>

class BandFilter;
class QCheckBox;

class TfFilter : public QDialog {
    Q_OBJECT

public:
    explicit TfFilter(BandFilter& filter, QWidget* parent = nullptr);

    QCheckBox* box(Band band) const { return m_boxes[size_t(band)]; }

    void bAllClick();
    void bWarcClick();
    void bLowClick();
    void bHighClick();

signals:
    // The "All" list should be drawn again.
    void refreshAll();

private:
    void chk160Click(Band band);
    void checkOnly(std::initializer_list<Band> bands);
    void setBox(Band band, bool checked);

    BandFilter& m_filter;
    std::array<QCheckBox*, BandCount> m_boxes{};
};
