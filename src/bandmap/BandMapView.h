#pragma once

// One band drawn as a frequency scale with the spotted stations beside it: each call at
// its frequency (crowded ones spread along the scale on short leaders, a "+n" where even
// that runs out of room), fading with age, in the lists' colours, and the rig's frequency
// as a line across. The wheel zooms around the pointer, dragging or the bar pans; Up and
// Down move a selection from spot to spot, Enter or a click on a call activates it.

#include "bandmap/BandMapScale.h"
#include "bandmap/LabelPlacement.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QScrollBar;

struct BandMapSpot {
    QByteArray key; // the spot's key, as the lists know it: the selection follows it
    double khz = 0;
    QString call;
    QString text; // the spot's row as the lists show it and a screen reader reads it
    int ageMinutes = 0;
    int marks = 0; // the lists' row marks: watched, tuned, new one, new band

    bool operator==(const BandMapSpot&) const = default;
};

class BandMapView : public QWidget {
    Q_OBJECT

public:
    explicit BandMapView(QWidget* parent = nullptr);

    void setBand(double lowerKhz, double upperKhz);
    // spots in order of frequency; the oldest of them fades to lifetimeMinutes. The
    // selection stays on its spot while that is among them.
    void setSpots(QList<BandMapSpot> spots, int lifetimeMinutes);
    void setRigKhz(std::optional<double> khz);
    void setFollowRig(bool follow);
    void setNeedColors(const QColor& newOne, const QColor& newBand);
    // What hovering over a spot shows, asked for as the pointer rests; its text without.
    void setDetailsOf(std::function<QString(const BandMapSpot&)> detailsOf);

    const BandMapScale& scale() const { return m_scale; }
    const QList<BandMapSpot>& spots() const { return m_spots; }
    // Where each shown call is drawn; a spot hidden behind a "+n" has none.
    std::optional<QRect> labelRectOf(int spot) const;
    std::optional<int> rigLineRow() const;
    int selectedSpot() const { return m_selected; }
    void selectSpot(int spot);

signals:
    void spotActivated(int spot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void scaleChanged();
    void updateMap();
    void selectionMoved();
    void placeCalls();
    int spotAt(QPoint point) const;
    int scaleWidth() const;
    int rowHeight() const;
    QRect labelRect(const PlacedLabel& label) const;
    QColor backgroundOf(const BandMapSpot& spot) const;
    const QPixmap& textPixmap(const QString& text, const QColor& pen,
                              const QColor& background) const;

    BandMapScale m_scale;
    QList<BandMapSpot> m_spots;
    int m_lifetimeMinutes = 60;
    QList<PlacedLabel> m_placed;
    std::optional<double> m_rigKhz;
    bool m_followRig = false;
    QColor m_newOne;
    QColor m_newBand;
    std::function<QString(const BandMapSpot&)> m_detailsOf;
    mutable QHash<QString, QPixmap> m_textPixmaps; // by look and text
    int m_selected = -1;
    std::optional<int> m_dragRow;
    QScrollBar* m_panBar;
    bool m_settingBar = false;
};
