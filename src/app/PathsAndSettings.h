#pragma once

#include <QSize>
#include <QString>

namespace skyloom {

class CAppSettings;

// What the start-up fixes besides the settings record itself.
struct StartupPaths {
    QString wallpaperPath;
    bool newDatabase = false; // the database file did not exist at start-up
    QSize screenSize;
};

// The data folder: "My Skyloom" in the user's documents folder.
QString DataFolderPath();

// Fixes every file path below the data folder ("My Skyloom" in the documents folder), creates
// the data and scratch folders, deletes old images from the scratch folder, loads the settings,
// corrects stored values that are no longer offered, gives a record without a default
// category for new shortcuts the id of "Miscellaneous" (creating the library when it is
// missing), saves the settings and remembers the screen size. A record without a default category
// for new shortcuts gets "Miscellaneous".
StartupPaths RunPathsAndSettings(CAppSettings& settings);

// Deletes the files directly in a folder whose extension the pattern text names; sub-folders
// and other files are left alone. Files that cannot be deleted stay silently.
void DeleteMatchingFiles(const QString& folder, const QString& patterns);

} // namespace skyloom
