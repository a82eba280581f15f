#include "scope/ScopeListDelegate.h"

#include "scope/ScopeListModel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// More rows than any list shows at once, so that a repaint finds every text laid out.
constexpr qsizetype RecentTextCount = 256;

const QStyle* styleOf(const QWidget* view) {
    return view ? view->style() : QApplication::style();
}

// The gap between the text and the row's edges, as the style's own item views leave it.
int textMargin(const QWidget* view) {
    return styleOf(view)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
}

// A watched station's row stands out on any background the operator picked; so do a new
// one's and a new band's, in light colours of the operator's choosing, under black text.
const QColor WatchedBackground(0xFF, 0xD7, 0x5E);
const QColor MarkedText(Qt::black);

QPalette::ColorGroup colorGroup(QStyle::State state) {
    if (!(state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

} // namespace

ScopeListDelegate::ScopeListDelegate(QObject* parent)
    : QAbstractItemDelegate(parent) {}

void ScopeListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const int marks = index.data(ScopeListModel::MarksRole).toInt();
    // The watch list's amber comes first; a new one or new band has the operator's colour.
    const bool watched = !selected && (marks & ScopeListModel::Watched);
    const QVariant needColor = index.data(Qt::BackgroundRole);
    const bool needed = !selected && !watched && needColor.isValid();
    const QColor background = watched  ? WatchedBackground
                              : needed ? needColor.value<QColor>()
                                       : QColor();
    const QPalette::ColorGroup group = colorGroup(option.state);
    if (selected) // the one row drawn by the style, so it looks selected as in other lists
        styleOf(option.widget)
            ->drawControl(QStyle::CE_ItemViewItem, &option, painter, option.widget);
    else if (background.isValid())
        painter->fillRect(option.rect, background);
    const QColor pen =
        background.isValid()
            ? MarkedText
            : option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->save();
    painter->setFont(option.font);
    painter->setPen(pen);
    GlyphCells* cells = selected  ? nullptr
                        : watched ? &m_watchedCells
                        : needed
                            ? (marks & ScopeListModel::NewOne ? &m_newOneCells : &m_newBandCells)
                            : &m_plainCells;
    if (cells)
        cells->setLook(option.font, pen,
                       background.isValid() ? background
                                            : option.palette.color(group, QPalette::Base));
    drawLine(painter, option, index.data().toString(), cells);
    if (marks & ScopeListModel::Tuned) // framed: the spot the rig is on, over the text
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

// The row's text: from the cells where they can show it, else laid out; a text wider than
// its row is cut short with an ellipsis, like other item views.
void ScopeListDelegate::drawLine(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QString& text, GlyphCells* cells) const {
    const int margin = textMargin(option.widget);
    const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
    const QPoint topLeft(textRect.left(),
                         textRect.top() + (textRect.height() - option.fontMetrics.height()) / 2);
    // Cells are copied pixel for pixel: a scaled screen takes the text path. A row wider
    // than the view is put together only as far as the view shows it.
    if (cells && painter->device()->devicePixelRatioF() == 1.0) {
        const int shownWidth =
            std::min(textRect.width(), painter->device()->width() - textRect.left());
        if (shownWidth <= 0)
            return;
        const QImage& row = shownWidth < textRect.width()
                                ? cells->compose(text, shownWidth)
                                : cells->composeWhole(text, textRect.width());
        if (!row.isNull()) {
            painter->drawImage(topLeft, row);
            return;
        }
    }
    const QStaticText& line = laidOut(text, option.font);
    if (line.size().width() <= textRect.width())
        painter->drawStaticText(topLeft, line);
    else
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
}

QSize ScopeListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const qreal textWidth =
        QFontMetricsF(option.font)
            .horizontalAdvance(index.data(ScopeListModel::WidestTextRole).toString());
    // Some fonts space their lines closer than their glyphs reach.
    const int height = std::max(option.fontMetrics.lineSpacing(), option.fontMetrics.height());
    return {int(std::ceil(textWidth)) + 2 * textMargin(option.widget), height};
}

const QStaticText& ScopeListDelegate::laidOut(const QString& text, const QFont& font) const {
    if (font != m_font) {
        m_recentTexts.clear();
        m_olderTexts.clear();
        m_font = font;
    }
    if (const auto recent = m_recentTexts.constFind(text); recent != m_recentTexts.cend())
        return *recent;
    if (m_recentTexts.size() >= RecentTextCount)
        m_olderTexts = std::exchange(m_recentTexts, {});
    QStaticText line = m_olderTexts.take(text);
    if (line.text() != text) { // not laid out lately
        line = QStaticText(text);
        line.setTextFormat(Qt::PlainText);
        line.prepare(QTransform(), font);
    }
    return *m_recentTexts.insert(text, line);
}
