#pragma once

#include <QString>

namespace skyloom {

// What the Photo Folder Shortcuts page asks of the window around it (the main window, or a
// recording stand-in in tests).
class IShortcutsPageHost {
public:
    virtual ~IShortcutsPageHost() = default;
    virtual void SetStatus(const QString& text) = 0;
    // The window's Exit, Minimize, Pause and Apply buttons.
    virtual void EnableCommandButtons(bool enable) = 0;
    // The window's progress bar; a maximum of 0 empties it.
    virtual void ShowProgress(int value, int maximum) = 0;
    // The status line shows the slideshow's own text again.
    virtual void UpdateStatusText() = 0;
    // The queued set changed: Apply saves it and builds the photo queue anew.
    virtual void MarkQueueChanged() = 0;
    // Builds the photo queue of the settings' queued shortcuts now.
    virtual void StartQueueBuild() = 0;
    // Draws the settings' AutoQueue choice, queues and saves it, builds its photo queue and
    // has the page show it (ShowAutoQueued).
    virtual void RunAutoQueue() = 0;
    // Recounts the photos of a category's shortcuts (-1: of all) in the background.
    virtual void RefreshPhotoInformation(int categoryId) = 0;
    // The categories were changed here: pages that list them read them again.
    virtual void CategoriesChanged() = 0;
    // Runs the QuickStart wizard and shows what it made.
    virtual void RunQuickStart() = 0;
};

} // namespace skyloom
