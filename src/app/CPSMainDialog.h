#pragma once

#include "PathsAndSettings.h"
#include "composer/CBackgroundRenderer.h"
#include "composer/RenderOptions.h"
#include "engine/ManualResetEvent.h"
#include "settings/CAppSettings.h"

#include <QDialog>

#include <memory>
#include <mutex>

class QLabel;
class QListWidget;
class QStackedWidget;

namespace skyloom {

class CPPDLGBackground;
class CPPDLGOptions;
class CPPDLGShortcuts;
class CPPDLGWallpaperSettings;

// The one top-level window: a navigation list of the four pages on the left, the pages on the
// right and a status line below. It owns the settings record and everything the slideshow
// needs for the whole run.
class CPSMainDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 639;
    static constexpr int kMinimumHeight = 441;
    static constexpr int kNavigationWidth = 110;

    explicit CPSMainDialog(QWidget* parent = nullptr);
    ~CPSMainDialog() override;

    CAppSettings& Settings() { return m_settings; }
    const StartupPaths& Startup() const { return m_startup; }
    const CBackgroundRenderer& Background() const { return m_background; }
    // Trims the text and shows it in the status line; an empty text clears it.
    void SetStatus(const QString& text);

private:
    void BuildLayout();
    // Takes the snapshot of the look settings, renders the screen background from it and
    // writes the background thumbnail from the stored settings.
    void ApplySettingsSnapshot();

    // Members are destroyed in reverse order: the events, the screen background, the settings
    // record, the pages and last the queue lock, the order the shutdown tears the window down.
    std::recursive_mutex m_csQueue;
    std::unique_ptr<CPPDLGShortcuts> m_pageShortcuts;
    std::unique_ptr<CPPDLGWallpaperSettings> m_pageWallpaperSettings;
    std::unique_ptr<CPPDLGBackground> m_pageBackground;
    std::unique_ptr<CPPDLGOptions> m_pageOptions;
    CAppSettings m_settings;
    RenderOptions m_renderOptions;
    CBackgroundRenderer m_background;
    ManualResetEvent m_wallpaperEvent{QStringLiteral("WALLPAPER_EVENT"), true};
    ManualResetEvent m_queuePhotosEvent{QStringLiteral("QUEUEPHOTOS_EVENT"), true};
    StartupPaths m_startup;

    QListWidget* m_navigation = nullptr;
    QStackedWidget* m_stack = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace skyloom
