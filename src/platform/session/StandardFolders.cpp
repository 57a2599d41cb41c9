#include "StandardFolders.h"

#include <QStandardPaths>

namespace skyloom::platform {

QString StandardFolders::DocumentsFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString StandardFolders::PicturesFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

} // namespace skyloom::platform
