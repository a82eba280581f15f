#include "bandmap/BandMapSheet.h"

#include "bandmap/BandMapTexts.h"
#include "bandmap/BandMapView.h"
#include "country/AdifBands.h"
#include "scope/ScopeSet.h"
#include "scope/ScopeSheet.h"
#include "scope/SpotMarks.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "widgets/Accessibility.h"
#include "widgets/TextViewLook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// The scope keeps spots from 1000 kHz upward: the bands below it would stay empty.
constexpr std::int64_t LowestTableHz = 1000 * 1000;
constexpr int AgeMilliseconds = 60 * 1000;
constexpr const char* FirstBand = "20m";

} // namespace

BandMapSheet::BandMapSheet(ScopeSet& scopes, const LinePipeline& pipeline,
                           const ScreenBuffer& screen, SpotMarks& marks, DisplayCharset& charset,
                           QWidget* parent)
    : QWidget(parent)
    , m_scopes(scopes)
    , m_pipeline(pipeline)
    , m_marks(marks)
    , m_charset(charset)
    , m_rows(charset, marks, this)
    , m_redraw(ScopeSheet::ListRedrawMilliseconds, this)
    , m_map(new BandMapView) {
    setObjectName(QStringLiteral("BandMapSheet"));
    m_map->setObjectName(QStringLiteral("BandMap"));
    describeControl(m_map, BandMapTexts::Sheet);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildToolBar());
    layout->addWidget(m_map, 1);

    for (const auto& [keys, step] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
                                     std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1}}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, by = step] { stepBand(by); });
    }
    connect(&m_redraw, &RepaintThrottle::due, this, &BandMapSheet::drawMap);
    // Every change of the terminal may be a spot: the map follows it as the lists do.
    connect(&screen, &ScreenBuffer::contentChanged, &m_redraw, &RepaintThrottle::request);
    connect(&m_marks, &SpotMarks::changed, this, [this] {
        m_rows.refreshMarks();
        followRig();
        redraw();
    });
    m_ageTimer.setInterval(AgeMilliseconds);
    connect(&m_ageTimer, &QTimer::timeout, this, &BandMapSheet::redraw);
    m_ageTimer.start();
    connect(m_map, &BandMapView::spotActivated, this, &BandMapSheet::activateSpot);
    m_map->setDetailsOf([this](const BandMapSpot& spot) { return detailsOf(spot.key); });
    setBand(AdifBands::indexOfName(FirstBand));
}

QWidget* BandMapSheet::buildToolBar() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("BandMapBar"));
    m_cbBand = named(new QComboBox, "cbBand", BandMapTexts::BandCaption);
    for (int i = 0; i < AdifBands::Count; ++i) {
        if (AdifBands::all()[size_t(i)].lowerHz >= LowestTableHz)
            m_cbBand->addItem(QLatin1String(AdifBands::all()[size_t(i)].name), i);
    }
    auto* bandLabel = new QLabel(BandMapTexts::BandCaption);
    bandLabel->setBuddy(m_cbBand);
    m_chkFollow = named(new QCheckBox(BandMapTexts::FollowCaption), "chkFollow",
                        BandMapTexts::FollowCaption, BandMapTexts::FollowHint);
    connect(m_cbBand, &QComboBox::currentIndexChanged, this,
            [this](int item) { setBand(m_cbBand->itemData(item).toInt()); });
    // toggled, not clicked: a screen reader's toggle must act as a click does.
    connect(m_chkFollow, &QCheckBox::toggled, this, [this](bool follow) {
        m_map->setFollowRig(follow);
        followRig();
    });
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bandLabel);
    layout->addWidget(m_cbBand);
    layout->addWidget(m_chkFollow);
    layout->addStretch();
    return panel;
}

void BandMapSheet::setBand(int adifBand) {
    const int item = m_cbBand->findData(adifBand);
    if (item < 0 || adifBand == m_band)
        return;
    m_band = adifBand;
    m_cbBand->setCurrentIndex(item);
    const AdifBand& band = AdifBands::all()[size_t(adifBand)];
    m_map->setBand(double(band.lowerHz) / 1000, double(band.upperHz) / 1000);
    m_rows.show({}); // the new band's spots are all new to the map
    redraw();
}

void BandMapSheet::setMapFont(const QFont& font, const QColor& text, const QColor& background) {
    showInTerminalLook(*m_map, font, text, background);
}

void BandMapSheet::stepBand(int step) {
    const int item = m_cbBand->currentIndex() + step;
    if (item >= 0 && item < m_cbBand->count())
        setBand(m_cbBand->itemData(item).toInt());
}

void BandMapSheet::redraw() {
    m_stale = true;
    m_redraw.request();
}

void BandMapSheet::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    drawMap();
}

// With "follow", a rig tuned to another band takes the map there.
void BandMapSheet::followRig() {
    const std::optional<qint64> hz = m_marks.rigFrequency();
    if (m_chkFollow->isChecked() && hz && !AdifBands::all()[size_t(m_band)].holds(*hz)) {
        if (const int band = AdifBands::indexOfHz(*hz); band >= 0)
            setBand(band);
    }
    m_map->setRigKhz(hz ? std::optional(double(*hz) / 1000) : std::nullopt);
}

const SpotScope& BandMapSheet::table() const {
    const AdifBand& band = AdifBands::all()[size_t(m_band)];
    const std::optional<Band> scopeBand = BandOf(band.lowerHz / 1000);
    if (scopeBand && bandRange(*scopeBand).holds(band.upperHz / 1000))
        return m_scopes.band(*scopeBand);
    return m_scopes.all();
}

void BandMapSheet::drawMap() {
    const SpotScope& spots = table();
    const int lifetime = m_scopes.context().lifetimeMinutes;
    if (!isVisible() || m_pipeline.isScopeLocked() ||
        (!m_stale && spots.changes() == m_drawnChanges && lifetime == m_drawnLifetime))
        return;
    m_stale = false;
    m_drawnChanges = spots.changes();
    m_drawnLifetime = lifetime;
    const AdifBand& band = AdifBands::all()[size_t(m_band)];
    const ScopeListing listing =
        spots.listBetween(double(band.lowerHz) / 1000, double(band.upperHz) / 1000);
    m_rows.show(listing);
    QList<BandMapSpot> shown;
    shown.reserve(listing.lines.size());
    for (int row = 0; row < listing.lines.size(); ++row) {
        const QModelIndex index = m_rows.index(row);
        const QByteArray& key = listing.spotKeys[row];
        shown.append({key, SpotKey::frequencyKhz(key), QString::fromLatin1(SpotKey::call(key)),
                      index.data().toString(), listing.ageMinutes[row],
                      index.data(ScopeListModel::MarksRole).toInt()});
    }
    const SpotMarks::NeedColors& colors = m_marks.needColors();
    m_map->setNeedColors(QColor(QRgb(colors.newOne)), QColor(QRgb(colors.newBand)));
    m_map->setSpots(std::move(shown), lifetime);
}

void BandMapSheet::activateSpot(int spot) {
    if (spot < 0 || spot >= m_map->spots().size())
        return;
    if (const DxSpot* entry = table().entryWithKey(m_map->spots()[spot].key))
        emit spotActivated(*entry);
}

// The spot's whole line as the node sent it, who spotted it when, and the station.
QString BandMapSheet::detailsOf(const QByteArray& spotKey) const {
    const DxSpot* spot = table().entryWithKey(spotKey);
    if (!spot)
        return {};
    QStringList details{m_charset.decode(spot->lineView()).trimmed()};
    if (!spot->spotterView().isEmpty() && spot->spotTime > 0)
        details << BandMapTexts::SpottedBy.arg(
            QString::fromLatin1(spot->spotterView()),
            QDateTime::fromSecsSinceEpoch(spot->spotTime, Qt::UTC)
                .toString(QStringLiteral("HH:mm")));
    if (const SpotAnnotator* annotator = m_scopes.context().annotator) {
        QByteArray station;
        annotator->annotate(*spot, station);
        if (!station.trimmed().isEmpty())
            details << QString::fromLatin1(station.trimmed());
    }
    return details.join(QLatin1Char('\n'));
}
