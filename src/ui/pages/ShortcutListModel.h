#pragma once

#include "library/ShortcutRecord.h"

#include <QAbstractListModel>

#include <vector>

namespace skyloom {

// The shortcuts one list of the Photo Folder Shortcuts page shows, kept in the list's order:
// by name without regard to letter case. The records are read from the library when the list
// is filled and again after every write, never while painting.
class ShortcutListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { IdRole = Qt::UserRole + 1, PhotosRole };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Replaces every item; the records are sorted here.
    void SetRecords(std::vector<ShortcutRecord> records);
    // Adds one item at its place in the order and returns its row.
    int Add(const ShortcutRecord& record);
    void RemoveRow(int row);
    void Clear() { SetRecords({}); }
    // The row of the item with that id, or -1.
    int RowOfId(int id) const;
    const ShortcutRecord& At(int row) const { return m_records.at(std::size_t(row)); }
    const std::vector<ShortcutRecord>& Records() const { return m_records; }
    int Count() const { return int(m_records.size()); }

private:
    std::vector<ShortcutRecord> m_records;
};

} // namespace skyloom
