#pragma once

#include <QString>

namespace skyloom::platform {

// The user's special folders.
class IFolders {
public:
    virtual ~IFolders() = default;
    virtual QString DocumentsFolder() const = 0;
    // The picture folder's path; the folder itself is not created.
    virtual QString PicturesFolder() const = 0;
};

} // namespace skyloom::platform
