#include "LibraryQueries.h"

#include "CCategoriesTable.h"
#include "CShortcutsTable.h"
#include "SqlText.h"
#include "TextHelpers.h"

#include <QCollator>

#include <algorithm>

namespace skyloom {
namespace {

std::vector<ShortcutRecord> LoadShortcutsWhere(const QString& databasePath, const QByteArray& sql) {
    CShortcutsTable table(databasePath);
    std::vector<ShortcutRecord> records;
    if (!table.Open() || !table.Load(sql))
        return records;
    records.reserve(table.Records().size());
    for (ShortcutRecord record; table.GetCurrent(record); table.MoveNext())
        records.push_back(record);
    return records;
}

} // namespace

bool ShortcutListLess(const ShortcutRecord& a, const ShortcutRecord& b) {
    // The user's language decides where "Été" goes (beside "Eagle", not after "Zoo").
    static const QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int order = collator.compare(a.name, b.name);
    return order != 0 ? order < 0 : a.id < b.id;
}

std::vector<ShortcutRecord> LoadShortcuts(const QString& databasePath, int categoryId) {
    std::vector<ShortcutRecord> records =
        categoryId == -1
            ? LoadShortcutsWhere(databasePath, "SELECT * FROM Shortcuts ORDER By Name;")
            : LoadShortcutsWhere(
                  databasePath,
                  SqlText("SELECT * FROM Shortcuts WHERE CatId=%d ORDER By Name;", categoryId));
    std::sort(records.begin(), records.end(), ShortcutListLess);
    return records;
}

std::vector<CategoryRecord> LoadCategories(const QString& databasePath) {
    CCategoriesTable table(databasePath);
    std::vector<CategoryRecord> categories;
    if (!table.Open() || !table.Load("SELECT * FROM Categories ORDER BY Name ASC;"))
        return categories;
    for (CategoryRecord record; table.GetCurrent(record); table.MoveNext())
        categories.push_back(record);
    return categories;
}

std::optional<ShortcutRecord> LoadShortcut(const QString& databasePath, int id) {
    std::vector<ShortcutRecord> records =
        LoadShortcutsWhere(databasePath, SqlText("SELECT * FROM Shortcuts WHERE Id=%d;", id));
    if (records.empty())
        return std::nullopt;
    return records.front();
}

bool CategoryExists(const QString& databasePath, int id) {
    CCategoriesTable table(databasePath);
    return table.Open() && table.Load(SqlText("SELECT * FROM Categories WHERE Id=%d;", id)) &&
           !table.Records().empty();
}

int ShortcutIdByName(const QString& databasePath, const QString& name) {
    const std::vector<ShortcutRecord> records =
        LoadShortcutsWhere(databasePath, SqlText("SELECT * FROM Shortcuts WHERE Name='%s';",
                                                 EncodeForQuery(name).toUtf8().constData()));
    return records.empty() ? -1 : records.front().id;
}

bool ShortcutNameTaken(const QString& databasePath, const QString& name, int exceptId) {
    return !LoadShortcutsWhere(databasePath,
                               SqlText("SELECT * FROM Shortcuts WHERE Name='%s' AND Id<>%d;",
                                       EncodeForQuery(name).toUtf8().constData(), exceptId))
                .empty();
}

} // namespace skyloom
