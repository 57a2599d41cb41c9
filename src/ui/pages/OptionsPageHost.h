#pragma once

namespace skyloom {

// What the Options page asks of the window around it once a setting is saved.
class IOptionsPageHost {
public:
    virtual ~IOptionsPageHost() = default;
    // Writes or removes the entry that starts Skyloom at log-in.
    virtual void AutoStartChanged(bool enabled) = 0;
    // Shows or hides the tray icon now.
    virtual void TrayIconChanged(bool alwaysShown) = 0;
    // The options the slideshow takes without Apply (idle mode, its seconds, pause on start-up).
    virtual void LiveOptionsChanged() = 0;
    // The categories were changed here: the Photo Folder Shortcuts page reads them again.
    virtual void CategoriesChanged() = 0;
};

} // namespace skyloom
