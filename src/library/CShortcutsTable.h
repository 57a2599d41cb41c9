#pragma once

#include "CSQL3Table.h"
#include "ShortcutRecord.h"

namespace skyloom {

// The Shortcuts table: the Photo Folder Shortcuts. It has no default rows.
class CShortcutsTable final : public CSQL3Table<ShortcutRecord> {
public:
    using CSQL3Table::CSQL3Table;

    // Insert and Update write an encoded copy; the caller's record keeps its plain text.
    int Insert(const ShortcutRecord& record);
    int Update(const ShortcutRecord& record);
    // Writes one shortcut's photo count and nothing else, so that edits made to its other
    // columns since it was loaded stand.
    int UpdatePhotoCount(int id, int numPhotos);
    // Moves every shortcut of one category to another.
    int MoveCategory(int oldCategoryId, int newCategoryId);
    int Delete(int id);
    // The index in Records() of the first record with that id, or -1.
    int FindIndex(int id) const;
    // The record with that id, decoded for use; false when it is not loaded.
    bool GetById(int id, ShortcutRecord& record) const;
    // Runs a COUNT or TOTAL query; 0 when the table is not open or on an error.
    int Count(const QByteArray& sql) { return Scalar(sql); }

protected:
    const char* TableName() const override { return "Shortcuts"; }
    const char* CreateTableSql() const override;
};

} // namespace skyloom
