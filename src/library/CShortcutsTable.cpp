#include "CShortcutsTable.h"

namespace skyloom {

const char* CShortcutsTable::CreateTableSql() const {
    return "CREATE TABLE Shortcuts (Id INTEGER PRIMARY KEY AUTOINCREMENT, CatId INTEGER, Name "
           "VARCHAR(100), Folder VARCHAR(1024), JPG INTEGER, BMP INTEGER, TIFF INTEGER, PNG "
           "INTEGER, Recursive INTEGER, NumPhotos INTEGER);";
}

int CShortcutsTable::Insert(const ShortcutRecord& record) {
    ShortcutRecord stored = record;
    stored.Encode();
    return Write(SqlText("INSERT INTO Shortcuts (CatId, Name, Folder, JPG, BMP, TIFF, PNG, "
                         "Recursive, NumPhotos) VALUES ('%d', '%s', '%s', '%d', '%d', '%d', "
                         "'%d', '%d', '%d');",
                         stored.catId, stored.name.toUtf8().constData(),
                         stored.folder.toUtf8().constData(), stored.jpg, stored.bmp, stored.tiff,
                         stored.png, stored.recursive, stored.numPhotos),
                 Via::Execute);
}

int CShortcutsTable::Update(const ShortcutRecord& record) {
    ShortcutRecord stored = record;
    stored.Encode();
    const int result =
        Write(SqlText("UPDATE Shortcuts SET CatId='%d', Name='%s', Folder='%s', JPG='%d', "
                      "BMP='%d', TIFF='%d', PNG='%d', Recursive='%d', NumPhotos='%d' WHERE Id=%d",
                      stored.catId, stored.name.toUtf8().constData(),
                      stored.folder.toUtf8().constData(), stored.jpg, stored.bmp, stored.tiff,
                      stored.png, stored.recursive, stored.numPhotos, stored.id),
              Via::Query);
    if (result == 1) {
        stored.Decode(); // the once-decoded form the loaded records hold
        if (const int index = FindIndex(stored.id); index >= 0)
            m_records[index] = stored;
    }
    return result;
}

int CShortcutsTable::UpdatePhotoCount(int id, int numPhotos) {
    const int result = Write(
        SqlText("UPDATE Shortcuts SET NumPhotos='%d' WHERE Id=%d", numPhotos, id), Via::Query);
    if (const int index = FindIndex(id); result == 1 && index >= 0)
        m_records[index].numPhotos = numPhotos;
    return result;
}

int CShortcutsTable::MoveCategory(int oldCategoryId, int newCategoryId) {
    return Write(SqlText("UPDATE Shortcuts SET %s='%d' WHERE %s='%d'", "CatId", newCategoryId,
                         "CatId", oldCategoryId),
                 Via::Query);
}

int CShortcutsTable::Delete(int id) {
    const int result = Write(SqlText("DELETE FROM Shortcuts WHERE Id=%d", id), Via::Query);
    if (const int index = FindIndex(id); result == 1 && index >= 0)
        m_records.erase(m_records.begin() + index);
    return result;
}

int CShortcutsTable::FindIndex(int id) const {
    const auto it = std::find_if(m_records.begin(), m_records.end(),
                                 [id](const ShortcutRecord& r) { return r.id == id; });
    return it == m_records.end() ? -1 : int(it - m_records.begin());
}

bool CShortcutsTable::GetById(int id, ShortcutRecord& record) const {
    const int index = FindIndex(id);
    if (index < 0)
        return false;
    record = m_records[index];
    record.Decode();
    return true;
}

} // namespace skyloom
