#pragma once

#include "composer/Colours.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace skyloom {

// Every user setting of Skyloom and the run-time paths of its files. One record lives in the
// main window for the whole run; pages and dialogs change its members directly and call Save().
class CAppSettings {
public:
    enum class LoadOutcome {
        Loaded,     // the file was read
        Created,    // there was no file; one with the defaults was written and read
        Unreadable, // the file exists but cannot be opened; the record is unchanged
        Malformed,  // the file was cut short or broken; it was kept as ".bad" and replaced
    };

    CAppSettings();

    // Gives the stored members their defaults; the file tag, the reserved 64-bit value and
    // the queue are left as they are.
    void SetDefaults();
    LoadOutcome Load();
    // Writes the whole record, replacing the file atomically: when the new file cannot be
    // written the old one stays. Returns false when nothing was written.
    bool Save();

    // Inserts an id into the sorted, duplicate-free queue; false when it was already there.
    bool InsertQueueId(int id);

    // The file's bytes for this record, always in the version-2 layout.
    QByteArray Serialise() const;
    // Reads a file's bytes into the stored members; false when the data is cut short or its
    // strings cannot be read, in which case the record is unchanged.
    bool Deserialise(QByteArrayView bytes);

    void SetSettingsPath(const QString& path) { m_strSettingsPath = path; }
    void SetDatabasePath(const QString& path) { m_strDatabasePath = path; }
    void SetTempFolder(const QString& path) { m_strTempFolder = path; }
    void SetDataFolder(const QString& path) { m_strDataFolder = path; }
    void SetBackgroundImagePath(const QString& path) { m_strBackgroundImagePath = path; }
    void SetLastBrowseFolder(const QString& path) { m_strLastBrowseFolder = path; }
    void SetBackgroundImage(const QString& path) { m_strBackgroundImage = path; }

    const QString& GetSettingsPath() const { return m_strSettingsPath; }
    const QString& GetDatabasePath() const { return m_strDatabasePath; }
    const QString& GetTempFolder() const { return m_strTempFolder; }
    const QString& GetDataFolder() const { return m_strDataFolder; }
    const QString& GetBackgroundImagePath() const { return m_strBackgroundImagePath; }
    const QString& GetLastBrowseFolder() const { return m_strLastBrowseFolder; }
    const QString& GetBackgroundImage() const { return m_strBackgroundImage; }
    const QString& GetLastPhoto() const { return m_strLastPhoto; }

    // Stored members in file order. Flags are 32-bit integers holding 0 or 1.
    int m_nVersion = 2;
    QString m_strFileTag;
    int m_bMinimizeOnClose = 0;
    int m_bShowTooltips = 1;
    int m_bMinimizeToTray = 1;
    int m_bConfirmExit = 1;
    int m_bConfirmDelete = 1;
    int m_bAutoStart = 1;
    int m_bStartMinimized = 0;
    int m_nOrientationFilter = 0;
    int m_bMinSizeFilter = 1;
    int m_nMinSize = 450;
    std::int64_t m_llReserved = 0;
    int m_nShortcutsCategoryId = -1;
    int m_nReserved1 = -1;
    QString m_strLastPhoto;
    int m_nIntervalHours = 0;
    int m_nIntervalMinutes = 0;
    int m_nIntervalSeconds = 3;
    int m_nDefaultCategoryId = -1;
    int m_bDefaultUseFolderName = 1;
    int m_bDefaultRecursive = 1;
    int m_bDefaultJpeg = 1;
    int m_bDefaultBmp = 1;
    int m_bDefaultPng = 1;
    int m_bDefaultTiff = 1;
    int m_bAutoQueue = 0;
    int m_nAutoQueueCategoryId = -1;
    int m_nAutoQueueCount = 3;
    int m_nReserved2 = -1;
    int m_nReserved3 = -1;
    int m_bIdleOnly = 0;
    int m_nIdleSeconds = 5;
    QString m_strLastBrowseFolder;
    int m_nReserved4 = 0;
    int m_nReserved5 = 1;
    int m_nBackgroundType = 0;
    COLORREF m_crSolidColor = 0;
    COLORREF m_crGradientStart = 0xFF0000;
    COLORREF m_crGradientEnd = 0xFFFFFF;
    int m_nGradientDirection = 1;
    int m_nGradientTransform = 0;
    QString m_strBackgroundImage;
    int m_nBackgroundImageStyle = 0;
    int m_nPortraitPosition = 6;
    int m_nPortraitScale = 75;
    int m_nPortraitTransparency = 0;
    int m_bPortraitGrayscale = 0;
    int m_nLandscapePosition = 4;
    int m_nLandscapeScale = 65;
    int m_nLandscapeTransparency = 0;
    int m_bLandscapeGrayscale = 0;
    int m_bPauseOnStartup = 0;
    int m_bClearOnStartup = 0;
    int m_bClearOnExit = 0;
    int m_bAlwaysShowTrayIcon = 1;
    int m_bGlassReflection = 1;
    std::vector<int> m_arrQueue; // ascending, no duplicates

    // Not in the file, whose layout stays as it is: kept in the profile store ("Options",
    // "Monitors" as "primary" or "each"), read by Load() and written by Save().
    enum Monitors { kPrimaryMonitor = 0, kEachMonitor = 1 };
    int m_nMonitors = kPrimaryMonitor;

private:
    struct MemberDefaultsOnly {};
    // A record holding only the member defaults, before the desktop is asked anything.
    explicit CAppSettings(MemberDefaultsOnly) {}
    template <class Visit> static void VisitFixedFields(CAppSettings& s, Visit&& visit);
    void KeepBadCopyAndReset();

    void LoadProfileOptions();
    void SaveProfileOptions();
    int m_nMonitorsStored = -1; // what the profile store holds, once read or written

    QString m_strSettingsPath;
    QString m_strDatabasePath;
    QString m_strTempFolder;
    QString m_strDataFolder;
    QString m_strBackgroundImagePath;
};

// Parses a desktop colour text like "0 128 255" the way "%d %d %d" does: up to three decimal
// numbers separated by blanks, those missing staying 0, the low 8 bits of each kept.
COLORREF ParseColourText(const QString& text);

} // namespace skyloom
