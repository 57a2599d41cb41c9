#pragma once

#include "library/CCategoriesTable.h"
#include "library/CShortcutsTable.h"
#include "library/LibraryQueries.h"
#include "settings/CAppSettings.h"

#include <QDir>
#include <QTemporaryDir>

#include <map>

namespace skyloom::test {

// A real library file and settings record in a temporary folder, with the default categories
// (Models 1, Actresses 2, Miscellaneous 3, Family 4, Friends 5, Vacations 6) and whatever
// shortcuts a test adds.
struct ShortcutLibrary {
    QTemporaryDir dir;
    CAppSettings settings;

    ShortcutLibrary() {
        settings.SetDatabasePath(dir.path() + "/Skyloomv1.0.skdb");
        settings.SetSettingsPath(dir.path() + "/Settings.skdat");
        settings.m_nDefaultCategoryId = 3;
        settings.m_arrQueue.clear();
        CCategoriesTable categories(settings.GetDatabasePath());
        categories.Open(); // creates the file with its default categories
    }
    QString Path() const { return settings.GetDatabasePath(); }

    // A shortcut with its own folder (made on disk) and photo count; returns its id.
    int AddShortcut(const QString& name, int categoryId, int photos = 1) {
        const QString folder = dir.path() + "/photos/" + name;
        QDir().mkpath(folder);
        ShortcutRecord r;
        r.catId = categoryId;
        r.name = name;
        r.folder = folder + "/";
        r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
        r.numPhotos = photos;
        CShortcutsTable table(Path());
        table.Open();
        table.Insert(r);
        return ShortcutIdByName(Path(), name);
    }
    int IdOf(const QString& name) const { return ShortcutIdByName(Path(), name); }
    std::optional<ShortcutRecord> Shortcut(const QString& name) const {
        return LoadShortcut(Path(), IdOf(name));
    }
    CAppSettings Stored() const {
        CAppSettings stored;
        stored.SetSettingsPath(settings.GetSettingsPath());
        stored.Load();
        return stored;
    }
};

} // namespace skyloom::test
