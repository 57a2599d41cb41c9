#include "ShortcutListModel.h"

#include "library/LibraryQueries.h"

#include <algorithm>

namespace skyloom {

int ShortcutListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_records.size());
}

QVariant ShortcutListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_records.size()))
        return {};
    const ShortcutRecord& record = m_records[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return record.name;
    case IdRole:
        return record.id;
    case PhotosRole:
        return record.numPhotos;
    default:
        return {};
    }
}

void ShortcutListModel::SetRecords(std::vector<ShortcutRecord> records) {
    std::sort(records.begin(), records.end(), ShortcutListLess);
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

int ShortcutListModel::Add(const ShortcutRecord& record) {
    const auto at = std::upper_bound(m_records.begin(), m_records.end(), record, ShortcutListLess);
    const int row = int(at - m_records.begin());
    beginInsertRows({}, row, row);
    m_records.insert(at, record);
    endInsertRows();
    return row;
}

void ShortcutListModel::RemoveRow(int row) {
    if (row < 0 || row >= int(m_records.size()))
        return;
    beginRemoveRows({}, row, row);
    m_records.erase(m_records.begin() + row);
    endRemoveRows();
}

int ShortcutListModel::RowOfId(int id) const {
    for (std::size_t row = 0; row < m_records.size(); ++row)
        if (m_records[row].id == id)
            return int(row);
    return -1;
}

} // namespace skyloom
