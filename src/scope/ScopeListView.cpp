#include "scope/ScopeListView.h"

#include <QScrollBar>

ScopeListView::ScopeListView(QWidget* parent)
    : QListView(parent)
    , m_downBar(new QScrollBar(Qt::Vertical, this))
    , m_corner(new QWidget) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_downBar->hide();
    // Qt leaves the corner to the horizontal bar unless a widget holds it.
    m_corner->setAutoFillBackground(true);
    setCornerWidget(m_corner);
    m_corner->hide();
    QScrollBar* hidden = verticalScrollBar();
    connect(hidden, &QScrollBar::valueChanged, m_downBar, &QScrollBar::setValue);
    connect(m_downBar, &QScrollBar::valueChanged, hidden, &QScrollBar::setValue);
}

void ScopeListView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    placeDownBar();
}

void ScopeListView::updateGeometries() {
    QListView::updateGeometries();
    followHiddenBar();
}

void ScopeListView::followHiddenBar() {
    const QScrollBar* hidden = verticalScrollBar();
    m_downBar->setRange(hidden->minimum(), hidden->maximum());
    m_downBar->setPageStep(hidden->pageStep());
    m_downBar->setSingleStep(hidden->singleStep());
    m_downBar->setValue(hidden->value());
    const bool needed = hidden->maximum() > hidden->minimum();
    if (needed == m_downBar->isVisibleTo(this))
        return;
    m_downBar->setVisible(needed);
    // The rows end left of the bar: the view's margin makes room for it.
    setViewportMargins(0, 0, needed ? m_downBar->sizeHint().width() : 0, 0);
    placeDownBar();
}

// Right of the viewport, as high as it; the corner below it shows when Qt's horizontal
// bar does.
void ScopeListView::placeDownBar() {
    const bool shown = m_downBar->isVisibleTo(this);
    m_corner->setVisible(shown && horizontalScrollBar()->isVisibleTo(this));
    if (!shown)
        return;
    const QRect rows = viewport()->geometry();
    m_downBar->setGeometry(rows.right() + 1, rows.top(), m_downBar->sizeHint().width(),
                           rows.height());
}
