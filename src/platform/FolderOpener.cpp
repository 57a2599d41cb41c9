#include "FolderOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace skyloom::platform {
namespace {

std::function<bool(const QString&)>& Opener() {
    static std::function<bool(const QString&)> opener;
    return opener;
}

} // namespace

bool OpenFolder(const QString& folder) {
    if (Opener())
        return Opener()(folder);
    // The desktop's handler for directories: the file manager the user chose.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void SetFolderOpener(std::function<bool(const QString&)> opener) {
    Opener() = std::move(opener);
}

} // namespace skyloom::platform
