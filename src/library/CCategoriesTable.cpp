#include "CCategoriesTable.h"

#include "StoredForm.h"
#include "TextHelpers.h"

namespace skyloom {

const char* CCategoriesTable::CreateTableSql() const {
    return "CREATE TABLE Categories (Id INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(100));";
}

void CCategoriesTable::InsertDefaults() {
    for (const char* name :
         {"Models", "Actresses", kFallbackName, "Family", "Friends", "Vacations"}) {
        CategoryRecord record;
        record.name = QString::fromLatin1(name);
        Insert(record);
    }
}

int CCategoriesTable::Insert(CategoryRecord& record) {
    record.Encode();
    const int result = Write(
        SqlText("INSERT INTO Categories (Name) VALUES ('%s');", record.name.toUtf8().constData()),
        Via::Execute);
    record.Decode();
    return result;
}

int CCategoriesTable::Update(CategoryRecord& record) {
    record.Encode();
    const int result = Write(SqlText("UPDATE Categories SET Name='%s' WHERE Id=%d",
                                     record.name.toUtf8().constData(), record.id),
                             Via::Query);
    record.Decode();
    if (result == 1) {
        auto it = std::find_if(m_records.begin(), m_records.end(),
                               [&record](const CategoryRecord& r) { return r.id == record.id; });
        if (it != m_records.end())
            *it = record;
    }
    return result;
}

int CCategoriesTable::Delete(int id) {
    const int result = Write(SqlText("DELETE FROM Categories WHERE Id=%d", id), Via::Query);
    if (result == 1) {
        auto it = std::find_if(m_records.begin(), m_records.end(),
                               [id](const CategoryRecord& r) { return r.id == id; });
        if (it != m_records.end())
            m_records.erase(it);
    }
    return result;
}

int CCategoriesTable::DeleteMovingShortcuts(int id, int newCategoryId) {
    if (!BeginTransaction())
        return 0;
    const bool hasShortcuts =
        Scalar("select count(*) from sqlite_master where type='table' and name='Shortcuts'") > 0;
    const bool moved = !hasShortcuts || Write(SqlText("UPDATE Shortcuts SET %s='%d' WHERE %s='%d'",
                                                      "CatId", newCategoryId, "CatId", id),
                                              Via::Query) == 1;
    if (!moved || Delete(id) != 1 || !CommitTransaction()) {
        Write("ROLLBACK;", Via::Execute);
        return 0;
    }
    return 1;
}

bool CCategoriesTable::Exists(const QString& name) {
    return Scalar(SqlText("SELECT COUNT(*) FROM Categories WHERE %s='%s';", "Name",
                          EncodeCategoryText(name).toUtf8().constData())) > 0;
}

int FindCategoryId(const QString& databasePath, const QString& name) {
    CCategoriesTable table(databasePath);
    if (!table.Open())
        return -1;
    CategoryRecord record;
    if (table.Load(SqlText("SELECT * FROM Categories WHERE Name='%s';",
                           EncodeForQuery(name).toUtf8().constData())))
        table.GetCurrent(record);
    table.Close();
    return record.id;
}

} // namespace skyloom
