#include "scope/ScopeListModel.h"

#include "scope/ListingDiff.h"
#include "screen/DisplayCharset.h"

ScopeListModel::ScopeListModel(DisplayCharset& charset, QObject* parent)
    : QAbstractListModel(parent)
    , m_charset(charset) {}

void ScopeListModel::show(const ScopeListing& listing) {
    const ListingDiff diff = diffListings(m_shown, listing);
    if (diff.showAfresh || m_decodedCharset != m_charset.charset()) {
        showAfresh(listing);
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
}

void ScopeListModel::showAfresh(const ScopeListing& listing) {
    beginResetModel();
    m_shown = listing;
    m_decodedCharset = m_charset.charset();
    m_texts.clear();
    for (const QByteArray& line : listing.lines)
        m_texts.append(m_charset.decode(line));
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
        m_texts.insert(i, m_charset.decode(listing.lines[i]));
    }
    endInsertRows();
}

void ScopeListModel::changeShownRows(int row, int count, const ScopeListing& listing) {
    for (int i = row; i < row + count; ++i) {
        m_shown.lines[i] = listing.lines[i];
        m_texts[i] = m_charset.decode(listing.lines[i]);
    }
    emit dataChanged(index(row), index(row + count - 1), {Qt::DisplayRole});
}

int ScopeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_texts.size());
}

QVariant ScopeListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_texts[index.row()];
}
