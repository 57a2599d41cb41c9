#pragma once

#include "CSQL3Table.h"
#include "CategoryRecord.h"

namespace skyloom {

// The Categories table: the groups that Photo Folder Shortcuts belong to.
class CCategoriesTable final : public CSQL3Table<CategoryRecord> {
public:
    // The category that new shortcuts fall back to; it cannot be renamed or deleted.
    static constexpr char kFallbackName[] = "Miscellaneous";

    using CSQL3Table::CSQL3Table;

    int Insert(CategoryRecord& record);
    int Update(CategoryRecord& record);
    int Delete(int id);
    // Deletes a category and moves its shortcuts to another in one transaction, so that no
    // shortcut is ever left in a category that is gone. 1 on success; on an error nothing
    // changes.
    int DeleteMovingShortcuts(int id, int newCategoryId);
    // True when a category of exactly this name (letter case counts) is stored.
    bool Exists(const QString& name);

protected:
    const char* TableName() const override { return "Categories"; }
    const char* CreateTableSql() const override;
    void InsertDefaults() override;
};

// The id of the category with the given name in the library at path, or -1 when there is
// none. Opening the library creates it, with its default categories, when it is missing.
int FindCategoryId(const QString& databasePath, const QString& name);

} // namespace skyloom
