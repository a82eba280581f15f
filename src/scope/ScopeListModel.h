#pragma once

// The rows of one scope list as its view shows them: the listing last drawn, its lines
// decoded for display. A new listing changes only the rows that differ from it, with
// row inserts, removals and text changes, so the view keeps its selection and repaints
// only what changed. Each row also tells the marks it carries (a watched station, the
// spot the rig is tuned to, a new one or a new band), which the delegate draws and a
// screen reader hears.

#include "scope/SpotScope.h"

#include <QAbstractListModel>
#include <QString>

class DisplayCharset;
class SpotMarks;

class ScopeListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        MarksRole = Qt::UserRole + 1, // the row's Mark flags
        // The longest text the list has shown since it was last empty, the same for every
        // row: all rows are as wide as it, so the list's width stays put as spots come and
        // go and the view need not lay out its scroll bar again.
        WidestTextRole,
    };
    enum Mark { Watched = 1, Tuned = 2, NewOne = 4, NewBand = 8, Worked = 16 };

    ScopeListModel(DisplayCharset& charset, const SpotMarks& marks, QObject* parent);

    void show(const ScopeListing& listing);
    // The row showing the spot, -1 when it is not listed.
    int rowOf(const QByteArray& spotKey) const { return int(m_shown.spotKeys.indexOf(spotKey)); }
    QByteArray spotKey(int row) const { return m_shown.spotKeys.value(row); }
    // Asks again which rows carry marks, after the watch list or the rig changed.
    void refreshMarks();
    // The marks as a screen reader says them ("new one, the rig is tuned here").
    static QString spokenMarks(int marks);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void showAfresh(const ScopeListing& listing);
    void removeShownRows(int row, int count);
    void insertShownRows(int row, int count, const ScopeListing& listing);
    void changeShownRows(int row, int count, const ScopeListing& listing);
    void moveTunedRow();
    void keepWidest(const QString& text);
    int marksOf(int row) const;

    DisplayCharset& m_charset;
    const SpotMarks& m_marks;
    int m_tunedRow = -1;
    int m_decodedCharset = -1; // the texts are decoded again when the charset changes
    ScopeListing m_shown;
    QList<QString> m_texts;
    QString m_widestText;
};
