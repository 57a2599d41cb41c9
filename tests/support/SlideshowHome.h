#pragma once

#include "library/CShortcutsTable.h"
#include "settings/CAppSettings.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include <functional>

namespace skyloom::test {

// A user's home for running the real program: three small photos in ~/Pictures/sea, a library
// with one shortcut to them, queued, and settings with a 10-minute interval (no change but the
// ones asked for), no auto-start and no minimum size, adjusted as the test needs.
inline bool MakeSlideshowHome(const QString& home,
                              const std::function<void(CAppSettings&)>& adjust = {}) {
    const QString data = home + "/Documents/My Skyloom";
    if (!QDir().mkpath(data) || !QDir().mkpath(home + "/Pictures/sea"))
        return false;
    for (int i = 0; i < 3; ++i) {
        QImage photo(320, 240, QImage::Format_RGB32);
        photo.fill(QColor::fromHsv(i * 100, 200, 200));
        if (!photo.save(QString("%1/Pictures/sea/%2.jpg").arg(home).arg(i)))
            return false;
    }
    {
        CShortcutsTable table(data + "/Skyloomv1.0.skdb");
        if (!table.Open())
            return false;
        ShortcutRecord r;
        r.catId = 3;
        r.name = "sea";
        r.folder = home + "/Pictures/sea";
        r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
        r.numPhotos = 3;
        if (table.Insert(r) != 1)
            return false;
    }
    CAppSettings settings;
    settings.m_arrQueue = {1};
    settings.m_nIntervalMinutes = 10;
    settings.m_bConfirmExit = 1;
    settings.m_bAutoStart = 0;
    settings.m_bMinSizeFilter = 0; // the photos are small
    if (adjust)
        adjust(settings);
    settings.SetSettingsPath(data + "/Settings.skdat");
    return settings.Save();
}

// The settings the program left in that home.
inline CAppSettings StoredSettings(const QString& home) {
    CAppSettings settings;
    settings.SetSettingsPath(home + "/Documents/My Skyloom/Settings.skdat");
    settings.Load();
    return settings;
}

} // namespace skyloom::test
