#include "PathsAndSettings.h"

#include "AutoStart.h"
#include "library/CCategoriesTable.h"
#include "library/CFolderScanner.h"
#include "library/PhotoPatterns.h"
#include "platform/Platform.h"
#include "settings/CAppSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace skyloom {
namespace {

// A gradient transformation that is no longer offered; it reads as the one beside it.
constexpr int kRetiredGradientTransform = 3;
constexpr int kReplacementGradientTransform = 2;

void EnsureFolder(const QString& path) {
    if (!QDir().mkpath(path))
        qWarning("Skyloom: cannot create the folder %s", qUtf8Printable(path));
}

} // namespace

QString DataFolderPath() {
    return platform::Services().folders->DocumentsFolder() + QStringLiteral("/My Skyloom");
}

StartupPaths RunPathsAndSettings(CAppSettings& settings) {
    const platform::Platform& services = platform::Services();
    StartupPaths startup;

    // A new account may have no documents folder yet, so the whole path is created.
    const QString dataFolder = DataFolderPath();
    EnsureFolder(dataFolder);
    startup.wallpaperPath = dataFolder + QStringLiteral("/Wallpaper.jpg");
    const QString tempFolder = dataFolder + QStringLiteral("/Temp");
    EnsureFolder(tempFolder);
    const QString databasePath = dataFolder + QStringLiteral("/Skyloomv1.0.skdb");
    startup.newDatabase = !QFileInfo::exists(databasePath);

    settings.SetDataFolder(dataFolder);
    settings.SetDatabasePath(databasePath);
    settings.SetSettingsPath(dataFolder + QStringLiteral("/Settings.skdat"));
    settings.SetBackgroundImagePath(dataFolder + QStringLiteral("/SKBackground.png"));
    settings.SetTempFolder(tempFolder);

    DeleteMatchingFiles(tempFolder, QString::fromLatin1(kScratchPatterns));

    if (settings.Load() == CAppSettings::LoadOutcome::Malformed)
        qWarning("Skyloom: the settings file was damaged; it was kept as %s.bad and the "
                 "defaults were restored",
                 qUtf8Printable(settings.GetSettingsPath()));
    if (settings.m_nGradientTransform == kRetiredGradientTransform)
        settings.m_nGradientTransform = kReplacementGradientTransform;
    // The first access to the library of a run; it creates the library when it is missing.
    if (settings.m_nDefaultCategoryId == -1)
        settings.m_nDefaultCategoryId =
            FindCategoryId(databasePath, QString::fromLatin1(CCategoriesTable::kFallbackName));
    settings.Save();
    // The entry follows the setting at every start, even when it was changed elsewhere.
    SetAutoStart(settings.m_bAutoStart != 0);

    startup.screenSize = services.desktop->PrimaryScreenSize();
    return startup;
}

void DeleteMatchingFiles(const QString& folder, const QString& patterns) {
    CFolderScanner scanner;
    scanner.SetPatterns(patterns);
    const std::atomic<int> proceed{1};
    scanner.m_pContinue = &proceed;
    scanner.Scan(folder, true);
    for (const PhotoEntry& entry : scanner.m_entries)
        QFile::remove(entry.path);
}

} // namespace skyloom
