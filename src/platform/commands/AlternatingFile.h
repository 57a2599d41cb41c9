#pragma once

#include <QString>

namespace skyloom::platform {

// Some desktops keep a wallpaper by its path and ignore being handed the same path again. For
// them each new wallpaper gets the other of two names beside the file ("Wallpaper-1.jpg" and
// "Wallpaper-2.jpg" for "Wallpaper.jpg"), linked to it (or copied where links fail), so that the
// path changes on every apply. The file the composer writes keeps its own name.
class AlternatingFile {
public:
    // The path to hand to the desktop for the file, or an empty text (and error says why) when
    // neither name could be made.
    QString Next(const QString& path, QString* error);

private:
    int m_turn = 0;
};

} // namespace skyloom::platform
