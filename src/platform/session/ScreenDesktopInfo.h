#pragma once

#include "../DesktopInfo.h"

namespace skyloom::platform {

// Desktop facts read through the Qt platform plugin of the session. The desktop colour is not
// known here, so it is reported as absent and callers fall back to black.
class ScreenDesktopInfo final : public IDesktopInfo {
public:
    QString BackgroundColourText() const override;
    QSize PrimaryScreenSize() const override;
};

} // namespace skyloom::platform
