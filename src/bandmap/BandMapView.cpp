#include "bandmap/BandMapView.h"

#include "bandmap/BandMapAccessible.h"
#include "bandmap/BandMapTexts.h"
#include "scope/ScopeListModel.h"
#include "widgets/Accessibility.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int TickPixels = 8;
constexpr int LabelSpacingRows = 3; // labelled ticks at least three text rows apart
constexpr int LeaderWidth = 40;
constexpr int LeaderRows = 8; // how far a crowded call may stray from its frequency
constexpr double WheelStep = 1.25;
constexpr qsizetype TextPixmapLimit = 1024;

const QColor WatchedBackground(0xFF, 0xD7, 0x5E); // as the lists draw watched calls
const QColor RigLine(0xD0, 0x20, 0x20);

} // namespace

BandMapView::BandMapView(QWidget* parent)
    : QWidget(parent)
    , m_panBar(new QScrollBar(Qt::Vertical, this)) {
    BandMapAccessible::install();
    describeControl(m_panBar, BandMapTexts::PanBar);
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    connect(m_panBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_settingBar)
            return;
        m_scale.panPixels(value - (m_scale.topKhz() - m_scale.lowerKhz()) / m_scale.khzPerPixel());
        scaleChanged();
    });
}

void BandMapView::setBand(double lowerKhz, double upperKhz) {
    m_scale.setBand(lowerKhz, upperKhz);
    if (m_followRig && m_rigKhz && *m_rigKhz >= lowerKhz && *m_rigKhz <= upperKhz)
        m_scale.centreOn(*m_rigKhz);
    scaleChanged();
}

void BandMapView::setSpots(QList<BandMapSpot> spots, int lifetimeMinutes) {
    lifetimeMinutes = std::max(lifetimeMinutes, 1);
    if (spots == m_spots && lifetimeMinutes == m_lifetimeMinutes)
        return; // nothing to draw again
    const QByteArray selectedKey = m_selected >= 0 ? m_spots[m_selected].key : QByteArray();
    m_spots = std::move(spots);
    m_lifetimeMinutes = lifetimeMinutes;
    if (m_selected >= 0) {
        const auto kept =
            std::find_if(m_spots.cbegin(), m_spots.cend(),
                         [&](const BandMapSpot& spot) { return spot.key == selectedKey; });
        m_selected = kept != m_spots.cend() ? int(kept - m_spots.cbegin())
                                            : std::min(m_selected, int(m_spots.size()) - 1);
    }
    if (QAccessible::isActive()) {
        if (auto* list =
                dynamic_cast<BandMapAccessible*>(QAccessible::queryAccessibleInterface(this)))
            list->spotsChanged();
    }
    placeCalls();
    updateMap();
}

void BandMapView::setRigKhz(std::optional<double> khz) {
    if (khz == m_rigKhz)
        return;
    m_rigKhz = khz;
    if (m_followRig && m_rigKhz && *m_rigKhz >= m_scale.lowerKhz() &&
        *m_rigKhz <= m_scale.upperKhz()) {
        m_scale.centreOn(*m_rigKhz);
        scaleChanged();
        return;
    }
    updateMap();
}

void BandMapView::setFollowRig(bool follow) {
    m_followRig = follow;
    const std::optional<double> rig = std::exchange(m_rigKhz, std::nullopt);
    setRigKhz(rig);
}

void BandMapView::setDetailsOf(std::function<QString(const BandMapSpot&)> detailsOf) {
    m_detailsOf = std::move(detailsOf);
}

void BandMapView::setNeedColors(const QColor& newOne, const QColor& newBand) {
    if (newOne == m_newOne && newBand == m_newBand)
        return;
    m_newOne = newOne;
    m_newBand = newBand;
    updateMap();
}

std::optional<QRect> BandMapView::labelRectOf(int spot) const {
    for (const PlacedLabel& label : m_placed) {
        if (label.spot == spot)
            return labelRect(label);
    }
    return std::nullopt;
}

std::optional<int> BandMapView::rigLineRow() const {
    if (!m_rigKhz)
        return std::nullopt;
    const double y = m_scale.yOf(*m_rigKhz);
    if (y < 0 || y > m_scale.height())
        return std::nullopt;
    return int(std::lround(y));
}

void BandMapView::selectSpot(int spot) {
    if (spot < 0 || spot >= m_spots.size())
        return;
    m_selected = spot;
    const double y = m_scale.yOf(m_spots[spot].khz);
    if (y < 0 || y > m_scale.height()) { // brought into view
        m_scale.centreOn(m_spots[spot].khz);
        scaleChanged();
    }
    selectionMoved();
    updateMap();
}

// A screen reader follows the selection as it follows the current row of a list.
void BandMapView::selectionMoved() {
    if (!QAccessible::isActive() || !hasFocus())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_selected);
    QAccessible::updateAccessibility(&focus);
}

int BandMapView::rowHeight() const {
    return fontMetrics().height() + 2;
}

int BandMapView::scaleWidth() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("14350.0")) + TickPixels + 6;
}

// Each text is drawn once in each look and kept: a redraw under a flood of spots copies
// pixels rather than laying out text again.
const QPixmap& BandMapView::textPixmap(const QString& text, const QColor& pen,
                                       const QColor& background) const {
    const QString key = QStringLiteral("%1 %2 %3").arg(pen.rgba()).arg(background.rgba()).arg(text);
    if (const auto drawn = m_textPixmaps.constFind(key); drawn != m_textPixmaps.cend())
        return *drawn;
    if (m_textPixmaps.size() >= TextPixmapLimit)
        m_textPixmaps.clear();
    const qreal ratio = devicePixelRatioF();
    const QSize size(fontMetrics().horizontalAdvance(text) + 6, rowHeight());
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(background);
    QPainter painter(&pixmap);
    painter.setFont(font());
    painter.setPen(pen);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
    return *m_textPixmaps.insert(key, pixmap);
}

void BandMapView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_textPixmaps.clear();
        if (event->type() == QEvent::FontChange)
            scaleChanged(); // rows of another height
    }
    QWidget::changeEvent(event);
}

QRect BandMapView::labelRect(const PlacedLabel& label) const {
    const QString text =
        label.spot >= 0 ? m_spots[label.spot].call : QStringLiteral("+%1").arg(label.hidden);
    return {scaleWidth() + LeaderWidth, int(std::lround(label.top)),
            fontMetrics().horizontalAdvance(text) + 6, rowHeight()};
}

// The map, not its scroll bar: a bar repainted with every spot costs more than the map.
void BandMapView::updateMap() {
    update(0, 0, width() - m_panBar->width(), height());
}

// Zoom, pan or a new size: the calls are placed again and the bar follows.
void BandMapView::scaleChanged() {
    const double rows = (m_scale.upperKhz() - m_scale.lowerKhz()) / m_scale.khzPerPixel();
    m_settingBar = true;
    m_panBar->setRange(0, std::max(0, int(std::lround(rows)) - m_scale.height()));
    m_panBar->setPageStep(m_scale.height());
    m_panBar->setSingleStep(rowHeight());
    m_panBar->setValue(
        int(std::lround((m_scale.topKhz() - m_scale.lowerKhz()) / m_scale.khzPerPixel())));
    m_settingBar = false;
    placeCalls();
    updateMap();
}

void BandMapView::placeCalls() {
    QList<LabelRequest> requests;
    requests.reserve(m_spots.size());
    for (const BandMapSpot& spot : m_spots)
        requests.append({m_scale.yOf(spot.khz), -double(spot.ageMinutes)});
    // Calls of spots off the map are placed too, each at its frequency beyond the edge, so
    // that they crowd nobody on it; only those on the map are kept.
    m_placed.clear();
    const double height = m_scale.height();
    QList<LabelRequest> onMap;
    QList<int> spotOf;
    for (int i = 0; i < requests.size(); ++i) {
        if (requests[i].anchor >= 0 && requests[i].anchor <= height) {
            onMap.append(requests[i]);
            spotOf.append(i);
        }
    }
    for (PlacedLabel label :
         placeLabels(onMap, rowHeight(), height, double(LeaderRows * rowHeight()))) {
        if (label.spot >= 0)
            label.spot = spotOf[label.spot];
        m_placed.append(label);
    }
}

QColor BandMapView::backgroundOf(const BandMapSpot& spot) const {
    if (spot.marks & ScopeListModel::Watched)
        return WatchedBackground;
    if (spot.marks & ScopeListModel::NewOne)
        return m_newOne;
    if (spot.marks & ScopeListModel::NewBand)
        return m_newBand;
    return {};
}

void BandMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    const QColor text = palette().color(group, QPalette::Text);
    const QColor base = palette().color(QPalette::Base);
    const int scaleRight = scaleWidth();
    const int rows = rowHeight();
    painter.setPen(text);
    painter.drawLine(scaleRight, 0, scaleRight, m_scale.height());
    for (const BandMapScale::Tick& tick : m_scale.ticks(TickPixels, LabelSpacingRows * rows)) {
        const int y = int(std::lround(m_scale.yOf(tick.khz)));
        painter.drawLine(scaleRight - (tick.labelled ? TickPixels : TickPixels / 2), y, scaleRight,
                         y);
        // A label at the map's edge is kept whole on the map, beside its tick.
        const int labelTop = std::clamp(y - rows / 2, 0, std::max(0, height() - rows));
        if (tick.labelled) {
            const QPixmap& label = textPixmap(
                m_scale.labelOf(tick.khz, TickPixels, LabelSpacingRows * rows), text, base);
            painter.drawPixmap(scaleRight - TickPixels - 2 - label.deviceIndependentSize().width(),
                               labelTop, label);
        }
    }
    // The rig's line runs under the calls: it never strikes one through.
    if (const std::optional<int> rig = rigLineRow()) {
        painter.setPen(QPen(RigLine, 2));
        painter.drawLine(0, *rig, m_panBar->x(), *rig);
    }
    for (const PlacedLabel& label : m_placed) {
        const QRect box = labelRect(label);
        painter.setPen(text);
        painter.drawLine(QPointF(scaleRight, label.anchor), QPointF(box.left(), box.center().y()));
        if (label.spot < 0) {
            painter.drawPixmap(box.topLeft(),
                               textPixmap(QStringLiteral("+%1").arg(label.hidden),
                                          palette().color(QPalette::Disabled, QPalette::Text),
                                          base));
            continue;
        }
        const BandMapSpot& spot = m_spots[label.spot];
        const bool selected = label.spot == m_selected;
        const QColor background =
            selected ? palette().color(group, QPalette::Highlight) : backgroundOf(spot);
        // Newest strongest: the shade fades as the spot ages towards the lists' lifetime.
        QColor pen = selected               ? palette().color(group, QPalette::HighlightedText)
                     : background.isValid() ? QColor(Qt::black)
                                            : text;
        pen.setAlphaF(1.0 -
                      0.7 * std::clamp(double(spot.ageMinutes) / m_lifetimeMinutes, 0.0, 1.0));
        painter.drawPixmap(box.topLeft(),
                           textPixmap(spot.call, pen, background.isValid() ? background : base));
        if (spot.marks & ScopeListModel::Tuned) {
            painter.setPen(text);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }
}

void BandMapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int barWidth = m_panBar->sizeHint().width();
    m_panBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_scale.setHeight(std::max(height(), 1));
    scaleChanged();
}

void BandMapView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    m_scale.zoomAround(event->position().y(), std::pow(WheelStep, steps));
    scaleChanged();
    event->accept();
}

void BandMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const int spot = spotAt(event->position().toPoint());
    if (spot >= 0) {
        selectSpot(spot);
        emit spotActivated(spot);
        return;
    }
    m_dragRow = event->position().toPoint().y();
}

void BandMapView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragRow || !(event->buttons() & Qt::LeftButton))
        return;
    const int row = event->position().toPoint().y();
    m_scale.panPixels(*m_dragRow - row);
    m_dragRow = row;
    scaleChanged();
}

void BandMapView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        selectSpot(m_selected < 0 ? int(m_spots.size()) - 1 : std::max(m_selected - 1, 0));
        return;
    case Qt::Key_Down:
        selectSpot(std::min(m_selected + 1, int(m_spots.size()) - 1));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_selected >= 0)
            emit spotActivated(m_selected);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool BandMapView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int spot = spotAt(help->pos());
        if (spot >= 0) {
            const QString details = m_detailsOf ? m_detailsOf(m_spots[spot]) : QString();
            QToolTip::showText(help->globalPos(), details.isEmpty() ? m_spots[spot].text : details,
                               this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

int BandMapView::spotAt(QPoint point) const {
    for (const PlacedLabel& label : m_placed) {
        if (label.spot >= 0 && labelRect(label).contains(point))
            return label.spot;
    }
    return -1;
}
