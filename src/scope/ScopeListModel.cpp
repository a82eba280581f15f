#include "scope/ScopeListModel.h"

#include "base/DisplayCharset.h"
#include "scope/ListingDiff.h"
#include "scope/ScopeTexts.h"
#include "scope/SpotMarks.h"

#include <QColor>

#include <utility>

ScopeListModel::ScopeListModel(DisplayCharset& charset, const SpotMarks& marks, QObject* parent)
    : QAbstractListModel(parent)
    , m_charset(charset)
    , m_marks(marks) {}

void ScopeListModel::show(const ScopeListing& listing) {
    const ListingDiff diff = diffListings(m_shown, listing);
    if (diff.showAfresh || m_decodedCharset != m_charset.charset()) {
        showAfresh(listing);
        m_tunedRow = m_marks.tunedRow(m_shown.spotKeys);
        return;
    }
    for (const RowEdit& edit : diff.edits) {
        switch (edit.kind) {
        case RowEdit::Kind::Remove:
            removeShownRows(edit.row, edit.count);
            break;
        case RowEdit::Kind::Insert:
            insertShownRows(edit.row, edit.count, listing);
            break;
        case RowEdit::Kind::Change:
            changeShownRows(edit.row, edit.count, listing);
            break;
        }
    }
    moveTunedRow();
}

void ScopeListModel::refreshMarks() {
    m_tunedRow = m_marks.tunedRow(m_shown.spotKeys);
    if (!m_texts.isEmpty())
        emit dataChanged(index(0), index(int(m_texts.size()) - 1), {MarksRole});
}

void ScopeListModel::moveTunedRow() {
    const int tuned = m_marks.tunedRow(m_shown.spotKeys);
    if (tuned == m_tunedRow)
        return;
    for (const int row : {std::exchange(m_tunedRow, tuned), tuned}) {
        if (row >= 0 && row < m_texts.size())
            emit dataChanged(index(row), index(row), {MarksRole});
    }
}

void ScopeListModel::showAfresh(const ScopeListing& listing) {
    beginResetModel();
    m_shown = listing;
    m_decodedCharset = m_charset.charset();
    m_texts.clear();
    // A flood fills the list afresh at every redraw: the width holds until the list is
    // empty, so that the scroll bar under it is not laid out again each time.
    if (listing.lines.isEmpty())
        m_widestText.clear();
    for (const QByteArray& line : listing.lines)
        keepWidest(m_texts.emplace_back(m_charset.decode(line)));
    endResetModel();
}

void ScopeListModel::removeShownRows(int row, int count) {
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_shown.lines.remove(row, count);
    m_shown.spotKeys.remove(row, count);
    m_texts.remove(row, count);
    endRemoveRows();
}

void ScopeListModel::insertShownRows(int row, int count, const ScopeListing& listing) {
    beginInsertRows(QModelIndex(), row, row + count - 1);
    for (int i = row; i < row + count; ++i) {
        m_shown.lines.insert(i, listing.lines[i]);
        m_shown.spotKeys.insert(i, listing.spotKeys[i]);
        keepWidest(*m_texts.insert(i, m_charset.decode(listing.lines[i])));
    }
    endInsertRows();
}

void ScopeListModel::changeShownRows(int row, int count, const ScopeListing& listing) {
    for (int i = row; i < row + count; ++i) {
        m_shown.lines[i] = listing.lines[i];
        keepWidest(m_texts[i] = m_charset.decode(listing.lines[i]));
    }
    emit dataChanged(index(row), index(row + count - 1), {Qt::DisplayRole});
}

void ScopeListModel::keepWidest(const QString& text) {
    if (text.size() > m_widestText.size())
        m_widestText = text;
}

int ScopeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_texts.size());
}

int ScopeListModel::marksOf(int row) const {
    const QByteArray& key = m_shown.spotKeys[row];
    const int watched = m_marks.isWatched(SpotKey::call(key)) ? Watched : 0;
    const SpotNeed need = m_marks.needOf(key);
    const int needed = need == SpotNeed::NewOne    ? NewOne
                       : need == SpotNeed::NewBand ? NewBand
                       : need == SpotNeed::Worked  ? Worked
                                                   : 0;
    return watched | needed | (row == m_tunedRow ? Tuned : 0);
}

QVariant ScopeListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_texts[index.row()];
    case MarksRole:
        return marksOf(index.row());
    case WidestTextRole:
        return m_widestText;
    case Qt::BackgroundRole: {
        const int marks = marksOf(index.row());
        const SpotMarks::NeedColors& colors = m_marks.needColors();
        if (marks & NewOne)
            return QColor(QRgb(colors.newOne));
        if (marks & NewBand)
            return QColor(QRgb(colors.newBand));
        return {};
    }
    case Qt::AccessibleDescriptionRole:
        return spokenMarks(marksOf(index.row()));
    default:
        return {};
    }
}

QString ScopeListModel::spokenMarks(int marks) {
    QStringList spoken;
    if (marks & Watched)
        spoken << ScopeTexts::WatchedSpotDescription;
    if (marks & NewOne)
        spoken << ScopeTexts::NewOneDescription;
    if (marks & NewBand)
        spoken << ScopeTexts::NewBandDescription;
    if (marks & Worked)
        spoken << ScopeTexts::WorkedDescription;
    if (marks & Tuned)
        spoken << ScopeTexts::TunedSpotDescription;
    return spoken.join(QLatin1String(", "));
}
