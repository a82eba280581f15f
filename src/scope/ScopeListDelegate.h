#pragma once

// Paints the rows of a scope list: one line of text on the list's background, or on the
// style's highlight when the row is selected (which also marks the current row); a
// watched station's row on amber, the spot the rig is tuned to framed. Each
// text is laid out once and kept while it is being painted, so a repaint costs little
// more than drawing its glyphs. Every row is one line high.

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

    // The texts laid out lately in this font; the older half is dropped as new ones come.
    mutable QFont m_font;
    mutable QHash<QString, QStaticText> m_recentTexts;
    mutable QHash<QString, QStaticText> m_olderTexts;
};
