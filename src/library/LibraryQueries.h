#pragma once

#include "CategoryRecord.h"
#include "ShortcutRecord.h"

#include <QString>

#include <optional>
#include <vector>

namespace skyloom {

// The reads the pages and the shortcut tools make of the library at a path. Each opens the
// database, reads and closes it again; an SQL error is shown in the standard error box and
// gives an empty result.

// The shortcuts of a category (-1: of every category), decoded, in the lists' order.
std::vector<ShortcutRecord> LoadShortcuts(const QString& databasePath, int categoryId);
// The categories by name, as the library orders them.
std::vector<CategoryRecord> LoadCategories(const QString& databasePath);
std::optional<ShortcutRecord> LoadShortcut(const QString& databasePath, int id);
bool CategoryExists(const QString& databasePath, int id);
// The id of a shortcut whose stored name is this name (trimmed), or -1.
int ShortcutIdByName(const QString& databasePath, const QString& name);
// Whether a shortcut other than exceptId (-1: any) has this name (trimmed).
bool ShortcutNameTaken(const QString& databasePath, const QString& name, int exceptId);

// The order of the shortcut lists: by name in the user's language without regard to letter
// case, then by id.
bool ShortcutListLess(const ShortcutRecord& a, const ShortcutRecord& b);

} // namespace skyloom
