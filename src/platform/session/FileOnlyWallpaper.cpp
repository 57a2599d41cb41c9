#include "FileOnlyWallpaper.h"

#include <cstdio>

namespace skyloom::platform {

void FileOnlyWallpaper::SayOnce() {
    if (m_said)
        return;
    m_said = true;
    std::fputs("skyloom: no supported desktop found; the wallpaper file is written but not "
               "applied (set SKYLOOM_SET_WALLPAPER_COMMAND to apply it with a command)\n",
               stderr);
}

bool FileOnlyWallpaper::Apply(const QString&, QString*) {
    SayOnce();
    return true;
}

bool FileOnlyWallpaper::Clear(QString*) {
    SayOnce();
    return true;
}

} // namespace skyloom::platform
