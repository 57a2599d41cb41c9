#pragma once

#include "ShortcutRecord.h"

#include <QSet>
#include <QString>

#include <vector>

namespace skyloom {

// Which shortcut already in the library makes a new one superfluous.
enum class ExistingMatch {
    NameOrFolder, // a shortcut of that name or of that folder (the Shortcut Builder)
    Name,         // a shortcut of that name (the QuickStart wizard's save)
};

// The names and folders of the library's shortcuts at one moment, for sorting out the found
// folders that already are shortcuts without a query for each. Names compare as the library
// stores them (letter case counts); folders compare with or without a trailing separator.
class ExistingShortcuts {
public:
    explicit ExistingShortcuts(const QString& databasePath);
    bool Has(const QString& name, const QString& folder) const;

private:
    QSet<QString> m_names;
    QSet<QString> m_folders;
};

// Writes the records as new shortcuts in one transaction, passing over every record whose
// name (or folder) a shortcut already has, those written earlier in this call included.
// Returns the number of shortcuts written; the names passed over go to skipped when given.
int CreateShortcuts(const QString& databasePath, const std::vector<ShortcutRecord>& records,
                    ExistingMatch match, QStringList* skipped = nullptr);

} // namespace skyloom
