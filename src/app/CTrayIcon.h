#pragma once

#include "platform/TrayHost.h"

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>

namespace skyloom {

// The icon in the desktop's tray (StatusNotifier or the X11 system tray) with the slideshow's
// menu. A click, single or double, restores the window: StatusNotifier trays send no double
// click.
//
// Qt decides once, when the first tray icon is made, which kind of tray the session has. When
// no tray is up at start-up (a program started at log-in may come before the panel), the icon
// is therefore made only once one appears or a bounded wait has passed; until then what is
// asked of it is kept and applied then.
class CTrayIcon final : public QObject {
    Q_OBJECT
public:
    enum class Command {
        Restore,
        AutoQueue,
        Pause,
        Resume,
        PauseAndClear,
        Next,
        Clear,
        About,
        Exit
    };
    // How long a tray that is not up at start-up is waited for.
    static constexpr int kHostWaitMs = 20000;

    // Without a watch (no session bus, no X11) the icon is made at once.
    CTrayIcon(const QIcon& icon, std::unique_ptr<platform::ITrayHostWatch> host,
              QObject* parent = nullptr);
    ~CTrayIcon() override;

    // Still waiting for a tray host to appear.
    bool Waiting() const { return !m_icon; }
    // Whether the session has a tray to show the icon in (false while waiting).
    bool Available() const;
    void Show();
    void Hide();
    bool IsShown() const { return m_shown; }
    // Kept while the icon is hidden, and shown with it.
    void SetTooltip(const QString& text);
    // The menu's check mark on "Pause" and the grey "AutoQueue".
    void SetState(bool paused, bool autoQueueEnabled);
    QMenu* Menu() { return &m_menu; }
    QAction* Action(Command command) const;

signals:
    void commandChosen(skyloom::CTrayIcon::Command command);
    // The wait is over: the icon is made, and the session has a tray or not.
    void ready(bool available);

private:
    void MakeIcon();

    QIcon m_image;
    QMenu m_menu;
    QList<QAction*> m_actions; // in the order of Command
    QString m_tooltip;
    bool m_shown = false;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    std::unique_ptr<platform::ITrayHostWatch> m_host;
    QTimer m_wait;
};

} // namespace skyloom
