#pragma once

#include <QString>

#include <functional>

namespace skyloom::platform {

// Opens a folder in the desktop's file manager. False when nothing could open it.
bool OpenFolder(const QString& folder);

// Tests: folders go to the given opener instead of the desktop (none restores the desktop's).
void SetFolderOpener(std::function<bool(const QString&)> opener);

} // namespace skyloom::platform
