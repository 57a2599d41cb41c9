#include "NewShortcuts.h"

#include "CShortcutsTable.h"
#include "LibraryQueries.h"
#include "SqlText.h"
#include "TextHelpers.h"

namespace skyloom {
namespace {

QString WithoutTrailingSeparator(QString folder) {
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

} // namespace

ExistingShortcuts::ExistingShortcuts(const QString& databasePath) {
    for (const ShortcutRecord& r : LoadShortcuts(databasePath, -1)) {
        m_names.insert(r.name.trimmed());
        m_folders.insert(WithoutTrailingSeparator(r.folder.trimmed()));
    }
}

bool ExistingShortcuts::Has(const QString& name, const QString& folder) const {
    return m_names.contains(name.trimmed()) ||
           m_folders.contains(WithoutTrailingSeparator(folder.trimmed()));
}

int CreateShortcuts(const QString& databasePath, const std::vector<ShortcutRecord>& records,
                    ExistingMatch match, QStringList* skipped) {
    CShortcutsTable table(databasePath);
    if (!table.Open())
        return 0;
    int created = 0;
    table.BeginTransaction();
    for (const ShortcutRecord& record : records) {
        const QByteArray name = EncodeForQuery(record.name).toUtf8();
        const QString folder = WithoutTrailingSeparator(record.folder.trimmed());
        const QByteArray bare = EncodeForQuery(folder).toUtf8();
        const QByteArray slashed = EncodeForQuery(folder + u'/').toUtf8();
        const int existing =
            match == ExistingMatch::Name
                ? table.Count(
                      SqlText("SELECT COUNT(*) FROM Shortcuts WHERE Name='%s';", name.constData()))
                : table.Count(SqlText("SELECT COUNT(*) FROM Shortcuts WHERE Name='%s' OR "
                                      "Folder='%s' OR Folder='%s';",
                                      name.constData(), bare.constData(), slashed.constData()));
        if (existing > 0) {
            if (skipped)
                skipped->append(record.name);
            continue;
        }
        if (table.Insert(record) == 1)
            ++created;
    }
    table.CommitTransaction();
    table.Close();
    return created;
}

} // namespace skyloom
