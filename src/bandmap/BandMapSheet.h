#pragma once

// The "Band map" sheet of the main window: one amateur band at a time (ADIF's edges; the
// chooser or Ctrl+PageUp/PageDown step bands) drawn as a map of its spots, the "follow"
// tick keeping the rig's frequency in view.
//
// The map reads only the scope table that holds its band (the all-bands table for a band
// that has none of its own), and only while it shows: it is drawn again when that table
// changed, at most ten times a second as the lists are (a map is looked at, not watched
// frame by frame), with the marks the lists draw. A click or Enter on a spot offers it
// for tuning as the lists do.

#include "base/DisplayCharset.h"
#include "scope/DxSpot.h"
#include "scope/ScopeListModel.h"
#include "screen/RepaintThrottle.h"

#include <QTimer>
#include <QWidget>

class BandMapView;
class LinePipeline;
class QCheckBox;
class QComboBox;
class ScopeSet;
class ScreenBuffer;
class SpotMarks;
class SpotScope;

class BandMapSheet : public QWidget {
    Q_OBJECT

public:
    BandMapSheet(ScopeSet& scopes, const LinePipeline& pipeline, const ScreenBuffer& screen,
                 SpotMarks& marks, DisplayCharset& charset, QWidget* parent = nullptr);

    // The band shown, as an index of AdifBands::all().
    int band() const { return m_band; }
    void setBand(int adifBand);
    void stepBand(int step);
    BandMapView& map() { return *m_map; }
    // The terminal's font and colours, as the lists take them.
    void setMapFont(const QFont& font, const QColor& text, const QColor& background);

signals:
    // The operator chose the spot (a click or Enter on its call).
    void spotActivated(const DxSpot& spot);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildToolBar();
    void redraw();
    void drawMap();
    void followRig();
    void activateSpot(int spot);
    QString detailsOf(const QByteArray& spotKey) const;
    const SpotScope& table() const;

    ScopeSet& m_scopes;
    const LinePipeline& m_pipeline;
    SpotMarks& m_marks;
    DisplayCharset& m_charset;
    ScopeListModel m_rows; // the spots as the lists show them, with their marks
    RepaintThrottle m_redraw;
    QTimer m_ageTimer; // ages are shown in minutes
    bool m_stale = true;
    quint64 m_drawnChanges = 0;
    int m_drawnLifetime = 0;
    int m_band = -1;
    QComboBox* m_cbBand = nullptr;
    QCheckBox* m_chkFollow = nullptr;
    BandMapView* m_map = nullptr;
};
