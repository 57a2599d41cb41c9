#include "CTrayIcon.h"

namespace skyloom {

CTrayIcon::CTrayIcon(const QIcon& icon, QObject* parent) : QObject(parent), m_icon(icon) {
    m_menu.setObjectName(QStringLiteral("trayMenu"));
    const struct {
        Command command;
        const char* text;
        const char* name;
        bool separatorAfter;
    } items[] = {
        {Command::Restore, "Restore", "trayRestore", true},
        {Command::AutoQueue, "AutoQueue", "trayAutoQueue", true},
        {Command::Pause, "Pause", "trayPause", false},
        {Command::Resume, "Resume", "trayResume", true},
        {Command::PauseAndClear, "Pause && Clear", "trayPauseAndClear", true},
        {Command::Next, "Next Wallpaper", "trayNext", false},
        {Command::Clear, "Clear Wallpaper", "trayClear", true},
        {Command::About, "About Skyloom", "trayAbout", true},
        {Command::Exit, "Exit", "trayExit", false},
    };
    for (const auto& item : items) {
        QAction* action = m_menu.addAction(QString::fromLatin1(item.text));
        action->setObjectName(QLatin1String(item.name));
        connect(action, &QAction::triggered, this,
                [this, command = item.command] { emit commandChosen(command); });
        m_actions << action;
        if (item.separatorAfter)
            m_menu.addSeparator();
    }
    Action(Command::Pause)->setCheckable(true);
    m_icon.setContextMenu(&m_menu);
    m_icon.setToolTip(QStringLiteral("Skyloom\nDesktop Wallpaper Changer"));
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    emit commandChosen(Command::Restore);
            });
}

bool CTrayIcon::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void CTrayIcon::Show() {
    m_icon.show();
}

void CTrayIcon::Hide() {
    m_icon.hide();
}

void CTrayIcon::SetTooltip(const QString& text) {
    m_icon.setToolTip(text);
}

void CTrayIcon::SetState(bool paused, bool autoQueueEnabled) {
    Action(Command::Pause)->setChecked(paused);
    Action(Command::AutoQueue)->setEnabled(autoQueueEnabled);
}

QAction* CTrayIcon::Action(Command command) const {
    return m_actions.at(qsizetype(command));
}

} // namespace skyloom
