#pragma once

#include "PathsAndSettings.h"
#include "settings/CAppSettings.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class QLabel;
class QListWidget;
class QStackedWidget;

namespace skyloom {

class CPPDLGBackground;
class CPPDLGOptions;
class CPPDLGShortcuts;
class CPPDLGWallpaperSettings;
class CSlideshowEngine;

// The one top-level window: a navigation list of the four pages on the left, the pages on the
// right and a status line below. It owns the settings record and the slideshow engine, starts
// the slideshow shortly after it is shown and stops it when it closes.
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
    CSlideshowEngine& Engine() { return *m_engine; }
    // Trims the text and shows it in the status line; an empty text clears it.
    void SetStatus(const QString& text);
    // Stops the slideshow's timers and workers and, when the settings say so, clears the
    // wallpaper; then the window closes. Nothing of the slideshow runs after it.
    void done(int result) override;
    bool IsClosing() const { return m_closing; }

    // A later start or a remote --show: the window comes to the front, the desktop's
    // activation token letting it take the focus.
    void ShowFromRemote(const QString& activationToken);
    // Ends the program without the exit question. With the exit switch ("/x") the question is
    // also turned off for good, the slideshow paused and the wallpaper cleared first.
    void ExitWithoutQuestion(bool exitSwitch);

signals:
    // The window is closing and is about to wait for the slideshow's workers: nothing may now
    // keep a worker waiting for the user.
    void closing();

private:
    void BuildLayout();
    // Hands the engine the snapshot of the settings and writes the background thumbnail.
    void ApplySettingsSnapshot();
    // Shortly after start: the slideshow of the queued shortcuts, or AutoQueue's choice.
    void RunStartupSequence();

    // Members are destroyed in reverse order: the engine (its workers joined), the settings
    // record, then the pages.
    std::unique_ptr<CPPDLGShortcuts> m_pageShortcuts;
    std::unique_ptr<CPPDLGWallpaperSettings> m_pageWallpaperSettings;
    std::unique_ptr<CPPDLGBackground> m_pageBackground;
    std::unique_ptr<CPPDLGOptions> m_pageOptions;
    CAppSettings m_settings;
    StartupPaths m_startup;
    std::unique_ptr<CSlideshowEngine> m_engine;
    QTimer m_startupTimer; // the start-up sequence, 1.5 s after initialisation
    QTimer m_buildTimer;   // the first build of the queue, a second after that
    bool m_closing = false;

    QListWidget* m_navigation = nullptr;
    QStackedWidget* m_stack = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace skyloom
