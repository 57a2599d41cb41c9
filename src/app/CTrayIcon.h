#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

namespace skyloom {

// The icon in the desktop's tray (StatusNotifier or the X11 system tray) with the slideshow's
// menu. A click, single or double, restores the window: StatusNotifier trays send no double
// click.
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

    explicit CTrayIcon(const QIcon& icon, QObject* parent = nullptr);

    // Whether the session has a tray to show the icon in.
    static bool Available();
    void Show();
    void Hide();
    bool IsShown() const { return m_icon.isVisible(); }
    // Kept while the icon is hidden, and shown with it.
    void SetTooltip(const QString& text);
    // The menu's check mark on "Pause" and the grey "AutoQueue".
    void SetState(bool paused, bool autoQueueEnabled);
    QMenu* Menu() { return &m_menu; }
    QAction* Action(Command command) const;

signals:
    void commandChosen(skyloom::CTrayIcon::Command command);

private:
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QList<QAction*> m_actions; // in the order of Command
};

} // namespace skyloom
