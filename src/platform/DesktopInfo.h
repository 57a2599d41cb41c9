#pragma once

#include <QSize>
#include <QString>

namespace skyloom::platform {

// What the running desktop tells about itself.
class IDesktopInfo {
public:
    virtual ~IDesktopInfo() = default;
    // The desktop's background colour as the text "red green blue" (decimal, 0 to 255), or an
    // empty text when the desktop has no such colour.
    virtual QString BackgroundColourText() const = 0;
    // The primary screen's size in device pixels; an empty size when there is no screen.
    virtual QSize PrimaryScreenSize() const = 0;
};

} // namespace skyloom::platform
