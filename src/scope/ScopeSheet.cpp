#include "scope/ScopeSheet.h"

#include "scope/ScopeListDelegate.h"
#include "scope/ScopeListModel.h"
#include "scope/ScopeListView.h"
#include "scope/ScopeSet.h"
#include "scope/ScopeTexts.h"
#include "scope/TfFilter.h"
#include "screen/LinePipeline.h"
#include "screen/ScreenBuffer.h"
#include "widgets/Accessibility.h"
#include "widgets/MessageBoxes.h"
#include "widgets/TextViewLook.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// "7 MHz spots" for the tab "7", "144 MHz and above spots" for "144 above ".
QString spokenListName(QLatin1StringView tabCaption) {
    const QString caption = QString(tabCaption).trimmed();
    if (caption.endsWith(ScopeTexts::OpenBandTabEnd))
        return ScopeTexts::OpenBandListName.arg(caption.chopped(ScopeTexts::OpenBandTabEnd.size()));
    return ScopeTexts::BandListName.arg(caption);
}

} // namespace

ScopeSheet::ScopeSheet(ScopeSet& scopes, LinePipeline& pipeline, const ScreenBuffer& screen,
                       QWidget* parent)
    : QWidget(parent)
    , m_scopes(scopes)
    , m_pipeline(pipeline)
    , m_filter(std::make_unique<TfFilter>(scopes.filter(), this)) {
    setObjectName(QStringLiteral("ScopeSheet"));
    m_redraw.setObjectName(QStringLiteral("ScopeListRedraw"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildToolBar());
    layout->addWidget(buildLists(), 1);
    m_stale.fill(true);

    connect(&m_redraw, &RepaintThrottle::due, this, &ScopeSheet::drawVisibleLists);
    // Every change of the terminal is a paint of the main window: the lists follow it.
    connect(&screen, &ScreenBuffer::contentChanged, this, &ScopeSheet::RedrawAllScopes);
    connect(m_filter.get(), &TfFilter::refreshAll, this, &ScopeSheet::RefreshAll);
    m_refreshTimer.setObjectName(QStringLiteral("ScopeRefreshTimer"));
    m_refreshTimer.setInterval(RefreshMilliseconds);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ScopeSheet::RefreshAll);
    m_refreshTimer.start();
    connect(&m_marks, &SpotMarks::changed, this, [this] {
        for (QListView* list : m_lists)
            static_cast<ScopeListModel*>(list->model())->refreshMarks();
    });
}

ScopeSheet::~ScopeSheet() = default;

QWidget* ScopeSheet::buildToolBar() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel4"));
    m_udLifeTime =
        named(new QSpinBox, "udLifeTime", ScopeTexts::LifeTimeHint, ScopeTexts::LifeTimeHint);
    m_udLifeTime->setRange(1, 99);
    m_udLifeTime->setValue(m_scopes.context().lifetimeMinutes);
    m_udLifeTime->setWrapping(false);
    m_eLifeTime = m_udLifeTime->findChild<QLineEdit*>();
    m_eLifeTime->setObjectName(QStringLiteral("eLifeTime"));
    m_eLifeTime->setReadOnly(true); // the arrows set the lifetime
    describeControl(m_eLifeTime, ScopeTexts::LifeTimeHint, ScopeTexts::LifeTimeHint);
    connect(m_udLifeTime, &QSpinBox::valueChanged, this, [this](int minutes) {
        m_scopes.context().lifetimeMinutes = minutes;
        RedrawAllScopes();
    });

    auto* bFilter = named(new QPushButton(ScopeTexts::FilterCaption), "bFilter",
                          ScopeTexts::FilterCaption, ScopeTexts::FilterHint);
    auto* sbLower = named(new QToolButton, "sbLower", ScopeTexts::LowerHint, ScopeTexts::LowerHint);
    sbLower->setArrowType(Qt::LeftArrow);
    auto* sbHigher =
        named(new QToolButton, "sbHigher", ScopeTexts::HigherHint, ScopeTexts::HigherHint);
    sbHigher->setArrowType(Qt::RightArrow);
    auto* bAllClear = named(new QPushButton(ScopeTexts::AllClearCaption), "bAllClear",
                            ScopeTexts::AllClearCaption);
    m_chkFocus =
        named(new QCheckBox(ScopeTexts::FocusCaption), "chkFocus", ScopeTexts::FocusCaption);
    m_chkLock = named(new QCheckBox(ScopeTexts::LockCaption), "chkLock", ScopeTexts::LockCaption);
    connect(bFilter, &QPushButton::clicked, this, &ScopeSheet::bFilterClick);
    connect(sbLower, &QToolButton::clicked, this, &ScopeSheet::sbLowerClick);
    connect(sbHigher, &QToolButton::clicked, this, &ScopeSheet::sbHigherClick);
    connect(bAllClear, &QPushButton::clicked, this, &ScopeSheet::bAllClearClick);
    // toggled, not clicked: a screen reader's toggle must act as a click does.
    connect(m_chkFocus, &QCheckBox::toggled, this, &ScopeSheet::chkFocusClick);
    connect(m_chkLock, &QCheckBox::toggled, this, &ScopeSheet::chkLockClick);

    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_udLifeTime, bFilter, sbLower, sbHigher, bAllClear, m_chkFocus, m_chkLock})
        layout->addWidget(control);
    layout->addStretch();
    return panel;
}

QListView* ScopeSheet::addList(const QString& name, const QString& sheet,
                               QLatin1StringView tabCaption, const QString& spokenName) {
    auto* list = new ScopeListView;
    list->setModel(new ScopeListModel(m_charset, m_marks, list));
    list->setItemDelegate(new ScopeListDelegate(list));
    list->setObjectName(name);
    list->setProperty("sheet", sheet);
    list->setUniformItemSizes(true);
    describeControl(list, spokenName);
    const int tab = m_pageControl3->addTab(list, tabCaption);
    connect(list, &QListView::activated, this,
            [this, tab](const QModelIndex& index) { activateRow(tab, index.row()); });
    return list;
}

QTabWidget* ScopeSheet::buildLists() {
    m_pageControl3 = new QTabWidget;
    m_pageControl3->setObjectName(QStringLiteral("PageControl3"));
    m_pageControl3->setTabPosition(QTabWidget::South);
    m_lists[0] = addList(QStringLiteral("lstScope"), QStringLiteral("SheetAll"),
                         ScopeTexts::AllTabCaption, ScopeTexts::AllListName);
    for (int i = 0; i < BandCount; ++i) {
        const BandRange& range = BandPlan[size_t(i)];
        const QLatin1StringView caption(range.tabCaption);
        m_lists[size_t(i + 1)] = addList(QStringLiteral("lstScope") + QLatin1String(range.name),
                                         QStringLiteral("Sheet") + QLatin1String(range.name),
                                         caption, spokenListName(caption));
    }
    connect(m_pageControl3, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab >= 0 && m_stale[size_t(tab)])
            drawList(tab);
    });
    return m_pageControl3;
}

void ScopeSheet::setListFont(const QFont& font, const QColor& text, const QColor& background) {
    for (QListView* list : m_lists)
        showInTerminalLook(*list, font, text, background);
}

void ScopeSheet::setCharset(int windowsCharset) {
    m_charset.setCharset(windowsCharset);
    RedrawAllScopes();
}

void ScopeSheet::RedrawAllScopes() {
    m_stale.fill(true);
    if (isVisible()) // a hidden sheet draws its list when it is shown
        m_redraw.request();
}

void ScopeSheet::RefreshAll() {
    m_stale[0] = true;
    m_redraw.request();
}

void ScopeSheet::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    drawVisibleLists();
}

void ScopeSheet::drawVisibleLists() {
    const int tab = m_pageControl3->currentIndex();
    if (isVisible() && tab >= 0 && m_stale[size_t(tab)])
        drawList(tab);
}

void ScopeSheet::drawList(int tab) {
    if (m_pipeline.isScopeLocked())
        return; // the lists keep their last content and ages
    const ScopeListing listing =
        tab == 0 ? m_scopes.all().RefreshAll(m_scopes.filter()) : scopeOf(tab).ShowList();
    showListing(tab, listing);
    m_stale[size_t(tab)] = false;
}

// The selection goes to the newest spot with "Focus to new report", else it stays on the
// spot the operator chose while that is listed, wherever it sorts to.
void ScopeSheet::showListing(int tab, const ScopeListing& listing) {
    QListView* list = m_lists[size_t(tab)];
    auto* model = static_cast<ScopeListModel*>(list->model());
    const QModelIndex current = list->currentIndex();
    const QByteArray chosenSpot = model->spotKey(current.row());
    model->show(listing);
    const bool focus = m_scopes.context().focus;
    if (!focus && !current.isValid())
        return; // nothing chosen
    const int selected = focus ? listing.selected : model->rowOf(chosenSpot);
    list->selectionModel()->setCurrentIndex(model->index(selected),
                                            QItemSelectionModel::ClearAndSelect);
}

const SpotScope& ScopeSheet::scopeOf(int tab) {
    return tab == 0 ? static_cast<const SpotScope&>(m_scopes.all()) : m_scopes.band(Band(tab - 1));
}

// The row shows the spot as it was at the last redraw: the table's entry with its key
// is the spot, and one that has left the table since is not offered.
void ScopeSheet::activateRow(int tab, int row) {
    const QByteArray key =
        static_cast<ScopeListModel*>(m_lists[size_t(tab)]->model())->spotKey(row);
    if (const DxSpot* spot = scopeOf(tab).entryWithKey(key))
        emit spotActivated(*spot);
}

void ScopeSheet::bFilterClick() {
    m_filter->setVisible(!m_filter->isVisible());
}

void ScopeSheet::stepTab(int step) {
    const int tabs = m_pageControl3->count();
    m_pageControl3->setCurrentIndex((m_pageControl3->currentIndex() + step + tabs) % tabs);
}

void ScopeSheet::sbLowerClick() {
    stepTab(-1);
}

void ScopeSheet::sbHigherClick() {
    stepTab(1);
}

void ScopeSheet::bAllClearClick() {
    if (!askYesNo(this, ScopeTexts::ClearQuestion))
        return;
    m_scopes.Clear();
    RedrawAllScopes();
}

void ScopeSheet::chkLockClick() {
    const bool locked = m_chkLock->isChecked();
    m_pipeline.setScopeLocked(locked);
    m_udLifeTime->setEnabled(!locked);
    QPalette palette = m_eLifeTime->palette();
    palette.setColor(QPalette::Base,
                     locked ? QColor(0xC0, 0xC0, 0xC0)
                            : QApplication::palette(m_eLifeTime).color(QPalette::Base));
    m_eLifeTime->setPalette(palette);
}

void ScopeSheet::chkFocusClick() {
    m_scopes.context().focus = m_chkFocus->isChecked();
    RedrawAllScopes();
}
