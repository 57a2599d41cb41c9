#pragma once

#include "CTrayIcon.h"
#include "PathsAndSettings.h"
#include "platform/GlobalHotkeys.h"
#include "settings/CAppSettings.h"
#include "ui/pages/LookPagesHost.h"
#include "ui/pages/OptionsPageHost.h"
#include "ui/pages/ShortcutsPageHost.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class QAction;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace skyloom {

class CPPDLGBackground;
class CPPDLGOptions;
class CPPDLGShortcuts;
class CPPDLGWallpaperSettings;
class CSlideshowEngine;

// The one top-level window: the page bar with the four pages' icons on the left, the pages on
// the right, and below them the status line and progress bar beside the command buttons
// (Pause, Minimize, Apply, About, Help, Exit). It owns the settings record, the slideshow engine
// and the tray icon, starts the slideshow shortly after it is shown and stops it when it closes.
class CPSMainDialog final : public QDialog,
                            private IShortcutsPageHost,
                            private IOptionsPageHost,
                            private ILookPagesHost {
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
    void SetStatus(const QString& text) override;
    // Shows the window, or starts minimized (to the tray where there is one) as the settings
    // say.
    void ShowAtStart();

    // What a page calls when the user changed something that takes effect on Apply:
    // PendingChange bits and FilterChange bits.
    void MarkChanged(unsigned changeBits, unsigned filterBits = 0) override;
    // Hands the engine the settings and what changed, and saves the settings.
    void Apply();
    // To the tray when the settings say so and the session has one, else to the taskbar.
    void Minimize();
    // Back from the tray or the taskbar, at the smallest size.
    void RestoreWindow();
    // Asks "Are you sure you want to exit?" unless the settings say not to; its check box
    // turns the question off for good. True to exit.
    bool ConfirmExit();
    // The Exit button's and the tray's Exit: asks, then stops the slideshow and closes.
    void ExitSequence();
    CTrayIcon& Tray() { return *m_tray; }
    CPPDLGShortcuts& ShortcutsPage() { return *m_pageShortcuts; }
    CPPDLGOptions& OptionsPage() { return *m_pageOptions; }
    CPPDLGWallpaperSettings& WallpaperSettingsPage() { return *m_pageWallpaperSettings; }
    CPPDLGBackground& BackgroundPage() { return *m_pageBackground; }
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
    // The session is ending (log-out) or a signal asked the program to end: asks nothing,
    // minimizes nothing, closes every open dialog and box and stops the slideshow.
    void EndSession();
    // Rejects every dialog and message box that is open but the one kept, however deeply
    // nested, so that each modal run returns to its caller.
    static void CloseOpenDialogs(const QWidget* keep);

signals:
    // The window is closing and is about to wait for the slideshow's workers: nothing may now
    // keep a worker waiting for the user.
    void closing();

protected:
    // The close box: minimizes when the settings say so, otherwise the Exit button's sequence.
    void closeEvent(QCloseEvent* event) override;
    // Escape does not end the program.
    void keyPressEvent(QKeyEvent* event) override;
    // The session manager's "die" at log-out reaches the application as a quit event, which
    // would otherwise go through the close box (and its question): it ends the session here.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    QPushButton* AddButton(const QString& caption, const char* name);
    // The Exit, Minimize and Pause buttons, and Apply when a change awaits it; never while the
    // slideshow or the shortcuts page is busy.
    void EnableCommandButtons(bool enable) override;
    // What the Photo Folder Shortcuts page asks of the window.
    void ShowProgress(int value, int maximum) override;
    void UpdateStatusText() override;
    void MarkQueueChanged() override;
    void StartQueueBuild() override;
    void RunAutoQueue() override;
    void RefreshPhotoInformation(int categoryId) override;
    void CategoriesChanged() override;
    // Runs the QuickStart wizard with the slideshow held, and shows what it made; 1 when it
    // queued the new shortcuts and applied them, else 0.
    int RunQuickStartWizard();
    void RunQuickStart() override { RunQuickStartWizard(); }
    // What the Options page asks of the window.
    void AutoStartChanged(bool enabled) override;
    void TrayIconChanged(bool alwaysShown) override;
    void LiveOptionsChanged() override;
    void OnPausedChanged(bool paused);
    void OnTrayCommand(CTrayIcon::Command command);
    void ShowAbout();
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
    bool m_inQuickStart = false;
    unsigned m_pendingChanges = 0; // PendingChange bits since the last Apply
    unsigned m_filterChanges = 0;  // FilterChange bits since the last Apply
    bool m_applyEnabled = false;
    bool m_restored = false; // restored by the user at least once in this run
    bool m_inTray = false;
    bool m_clearAtExit = false; // "/x": the wallpaper goes once the slideshow has stopped
    std::unique_ptr<CTrayIcon> m_tray;
    std::unique_ptr<platform::IGlobalHotkeys> m_hotkeys; // Ctrl+Alt+P, R, N and B

    QListWidget* m_navigation = nullptr;
    QStackedWidget* m_stack = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_minimize = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_about = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_exit = nullptr;
    QAction* m_quickStart = nullptr;
};

} // namespace skyloom
