#pragma once

#include "../Folders.h"

namespace skyloom::platform {

// The user's folders as the XDG user directories name them.
class StandardFolders final : public IFolders {
public:
    QString DocumentsFolder() const override;
    QString PicturesFolder() const override;
};

} // namespace skyloom::platform
