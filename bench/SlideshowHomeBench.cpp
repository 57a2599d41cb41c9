// A home folder for measuring skyloom --slideshow: a library with one shortcut to a photo
// folder, queued, and settings with the interval, start-up pause and start minimized asked for.

#include "Commands.h"
#include "library/CShortcutsTable.h"
#include "settings/CAppSettings.h"

#include <QDir>

#include <cstdio>

using namespace skyloom;

namespace {

int SlideshowHome(const QStringList& args) {
    if (args.size() != 4 && args.size() != 5)
        return 2;
    const QString data = args[0] + "/Documents/My Skyloom";
    if (!QDir().mkpath(data))
        return 1;
    CShortcutsTable table(data + "/Skyloomv1.0.skdb");
    if (!table.Open())
        return 1;
    ShortcutRecord r;
    r.catId = 3;
    r.name = QStringLiteral("Photos");
    r.folder = QDir(args[1]).absolutePath();
    r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
    r.numPhotos = 0;
    if (table.Insert(r) != 1)
        return 1;
    table.Close();
    CAppSettings settings;
    settings.m_arrQueue = {1};
    settings.m_nIntervalMinutes = args[2].toInt();
    settings.m_bPauseOnStartup = args[3].toInt();
    settings.m_bMinSizeFilter = 0;
    settings.m_bStartMinimized = args.value(4).toInt(); // the window: hidden in the tray
    settings.SetSettingsPath(data + "/Settings.skdat");
    if (!settings.Save())
        return 1;
    std::printf("home=%s\n", qPrintable(args[0]));
    return 0;
}

const RegisterBench
    home("slideshow-home",
         {"HOME PHOTO_FOLDER INTERVAL_MINUTES PAUSE_ON_STARTUP(0|1) [START_MINIMIZED(0|1)]",
          SlideshowHome});

} // namespace
