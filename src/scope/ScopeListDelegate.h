#pragma once

// Paints the rows of a scope list: one line of text on the list's background, or on the
// style's highlight when the row is selected (which also marks the current row); a
// watched station's row on amber, the spot the rig is tuned to framed. Rows in the
// list's own colours or on amber are put together from the font's character cells where
// the font allows; other rows are laid out once and kept while they are being painted.
// Every row is one line high.

#include "screen/GlyphCells.h"

#include <QAbstractItemDelegate>
#include <QFont>
#include <QHash>
#include <QStaticText>

class ScopeListDelegate : public QAbstractItemDelegate {
    Q_OBJECT

public:
    explicit ScopeListDelegate(QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const QStaticText& laidOut(const QString& text, const QFont& font) const;
    void drawLine(QPainter* painter, const QStyleOptionViewItem& option, const QString& text,
                  GlyphCells* cells) const;

    mutable GlyphCells m_plainCells;   // in the list's own colours
    mutable GlyphCells m_watchedCells; // on amber
    mutable GlyphCells m_newOneCells;  // on the new one's colour
    mutable GlyphCells m_newBandCells; // on the new band's colour

    // The texts laid out lately in this font; the older half is dropped as new ones come.
    mutable QFont m_font;
    mutable QHash<QString, QStaticText> m_recentTexts;
    mutable QHash<QString, QStaticText> m_olderTexts;
};
