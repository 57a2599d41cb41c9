#include "CAppSettings.h"

#include "CUtility.h"
#include "SettingsStream.h"
#include "library/AtomicFile.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace skyloom {
namespace {

constexpr char kFileTag[] = "Settings.skdat";
constexpr char kBadSuffix[] = ".bad";
// No settings file comes near this size; a larger file is not one and is not read whole.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

} // namespace

CAppSettings::CAppSettings() : m_strFileTag(QString::fromLatin1(kFileTag)) {
    SetDefaults();
}

void CAppSettings::SetDefaults() {
    CAppSettings fresh{MemberDefaultsOnly{}};
    fresh.m_strFileTag = std::move(m_strFileTag);
    fresh.m_llReserved = m_llReserved;
    fresh.m_arrQueue = std::move(m_arrQueue);
    fresh.m_strSettingsPath = std::move(m_strSettingsPath);
    fresh.m_strDatabasePath = std::move(m_strDatabasePath);
    fresh.m_strTempFolder = std::move(m_strTempFolder);
    fresh.m_strDataFolder = std::move(m_strDataFolder);
    fresh.m_strBackgroundImagePath = std::move(m_strBackgroundImagePath);
    // The profile store's options are not the file's: a reset of the file keeps them.
    fresh.m_nMonitors = m_nMonitors;
    fresh.m_nMonitorsStored = m_nMonitorsStored;
    *this = std::move(fresh);
    m_nVersion = 0;

    const platform::Platform& services = platform::Services();
    m_crSolidColor = ParseColourText(services.desktop->BackgroundColourText());
    m_strLastBrowseFolder = services.folders->PicturesFolder();
}

// Every field of the file from the version up to the last flag before the queue count, in file
// order. Reading and writing both walk this one list.
template <class Visit> void CAppSettings::VisitFixedFields(CAppSettings& s, Visit&& visit) {
    visit(s.m_nVersion);
    visit(s.m_strFileTag);
    for (int* flag : {&s.m_bMinimizeOnClose, &s.m_bShowTooltips, &s.m_bMinimizeToTray,
                      &s.m_bConfirmExit, &s.m_bConfirmDelete, &s.m_bAutoStart, &s.m_bStartMinimized,
                      &s.m_nOrientationFilter, &s.m_bMinSizeFilter, &s.m_nMinSize})
        visit(*flag);
    visit(s.m_llReserved);
    visit(s.m_nShortcutsCategoryId);
    visit(s.m_nReserved1);
    visit(s.m_strLastPhoto);
    for (int* value : {&s.m_nIntervalHours, &s.m_nIntervalMinutes, &s.m_nIntervalSeconds,
                       &s.m_nDefaultCategoryId, &s.m_bDefaultUseFolderName, &s.m_bDefaultRecursive,
                       &s.m_bDefaultJpeg, &s.m_bDefaultBmp, &s.m_bDefaultPng, &s.m_bDefaultTiff,
                       &s.m_bAutoQueue, &s.m_nAutoQueueCategoryId, &s.m_nAutoQueueCount,
                       &s.m_nReserved2, &s.m_nReserved3, &s.m_bIdleOnly, &s.m_nIdleSeconds})
        visit(*value);
    visit(s.m_strLastBrowseFolder);
    visit(s.m_nReserved4);
    visit(s.m_nReserved5);
    visit(s.m_nBackgroundType);
    for (COLORREF* colour : {&s.m_crSolidColor, &s.m_crGradientStart, &s.m_crGradientEnd})
        visit(*colour);
    visit(s.m_nGradientDirection);
    visit(s.m_nGradientTransform);
    visit(s.m_strBackgroundImage);
    for (int* value :
         {&s.m_nBackgroundImageStyle, &s.m_nPortraitPosition, &s.m_nPortraitScale,
          &s.m_nPortraitTransparency, &s.m_bPortraitGrayscale, &s.m_nLandscapePosition,
          &s.m_nLandscapeScale, &s.m_nLandscapeTransparency, &s.m_bLandscapeGrayscale,
          &s.m_bPauseOnStartup, &s.m_bClearOnStartup, &s.m_bClearOnExit, &s.m_bAlwaysShowTrayIcon})
        visit(*value);
}

QByteArray CAppSettings::Serialise() const {
    CAppSettings record(*this);
    record.m_nVersion = 2;
    SettingsWriter writer;
    VisitFixedFields(record, [&writer](auto& field) {
        using T = std::remove_reference_t<decltype(field)>;
        if constexpr (std::is_same_v<T, QString>)
            writer.String(field);
        else if constexpr (std::is_same_v<T, std::int64_t>)
            writer.Int64(field);
        else
            writer.Int32(static_cast<std::int32_t>(field));
    });
    writer.Int32(static_cast<std::int32_t>(record.m_arrQueue.size()));
    writer.Int32(record.m_bGlassReflection);
    for (int id : record.m_arrQueue)
        writer.Int32(id);
    return writer.Bytes();
}

bool CAppSettings::Deserialise(QByteArrayView bytes) {
    CAppSettings record(*this);
    SettingsReader reader(bytes);
    VisitFixedFields(record, [&reader](auto& field) {
        using T = std::remove_reference_t<decltype(field)>;
        if constexpr (std::is_same_v<T, QString> || std::is_same_v<T, std::int64_t>) {
            if constexpr (std::is_same_v<T, QString>)
                reader.String(field);
            else
                reader.Int64(field);
        } else {
            std::int32_t value = 0;
            if (reader.Int32(value))
                field = static_cast<T>(value);
        }
    });
    std::int32_t count = 0;
    reader.Int32(count);
    // A version-1 file has no glass-reflection flag; the record's own value stays.
    if (record.m_nVersion == 2)
        reader.Int32(record.m_bGlassReflection);
    if (!reader.Ok() || (count > 0 && reader.Remaining() / 4 < count))
        return false;
    record.m_arrQueue.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t id = 0;
        reader.Int32(id);
        record.InsertQueueId(id);
    }
    *this = std::move(record);
    return true;
}

namespace {
const QString kOptionsKey = QStringLiteral("Options");
const QString kMonitorsName = QStringLiteral("Monitors");
const QString kMonitorsEach = QStringLiteral("each");
const QString kMonitorsPrimary = QStringLiteral("primary");
} // namespace

void CAppSettings::LoadProfileOptions() {
    const QString monitors = CUtility::GetRegString(kOptionsKey, kMonitorsName, kMonitorsPrimary);
    m_nMonitors = monitors == kMonitorsEach ? kEachMonitor : kPrimaryMonitor;
    m_nMonitorsStored = m_nMonitors;
}

void CAppSettings::SaveProfileOptions() {
    if (m_nMonitors == m_nMonitorsStored)
        return;
    if (CUtility::SetRegString(kOptionsKey, kMonitorsName,
                               m_nMonitors == kEachMonitor ? kMonitorsEach : kMonitorsPrimary))
        m_nMonitorsStored = m_nMonitors;
}

CAppSettings::LoadOutcome CAppSettings::Load() {
    LoadProfileOptions();
    bool created = false;
    if (!QFileInfo::exists(m_strSettingsPath)) {
        SetDefaults();
        m_nVersion = 2;
        Save();
        created = true;
    }
    QFile file(m_strSettingsPath);
    if (!file.open(QIODevice::ReadOnly))
        return LoadOutcome::Unreadable;
    const QByteArray bytes = file.size() <= kMaxFileSize ? file.readAll() : QByteArray();
    file.close();
    if (!bytes.isEmpty() && Deserialise(bytes))
        return created ? LoadOutcome::Created : LoadOutcome::Loaded;

    KeepBadCopyAndReset();
    return LoadOutcome::Malformed;
}

// Moves a broken settings file aside as "<name>.bad" so that nothing the user had is lost,
// then starts again from the defaults. The defaults are written only once the broken file is
// safe beside them.
void CAppSettings::KeepBadCopyAndReset() {
    const QString badPath = m_strSettingsPath + QLatin1String(kBadSuffix);
    QFile::remove(badPath);
    const bool kept = QFile::rename(m_strSettingsPath, badPath);
    m_strFileTag = QString::fromLatin1(kFileTag);
    m_llReserved = 0;
    m_arrQueue.clear();
    SetDefaults();
    m_nVersion = 2;
    if (kept)
        Save();
}

bool CAppSettings::Save() {
    SaveProfileOptions();
    m_nVersion = 2;
    return WriteFileAtomically(m_strSettingsPath, Serialise());
}

bool CAppSettings::InsertQueueId(int id) {
    const auto it = std::lower_bound(m_arrQueue.begin(), m_arrQueue.end(), id);
    if (it != m_arrQueue.end() && *it == id)
        return false;
    m_arrQueue.insert(it, id);
    return true;
}

COLORREF ParseColourText(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    int rgb[3] = {0, 0, 0};
    for (int& component : rgb) {
        while (p != end && std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        if (p != end && *p == '+')
            ++p;
        long long value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc())
            break;
        component = static_cast<int>(value & 0xFF);
        p = next;
    }
    return static_cast<COLORREF>(rgb[0] | rgb[1] << 8 | rgb[2] << 16);
}

} // namespace skyloom
