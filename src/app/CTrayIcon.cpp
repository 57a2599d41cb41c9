#include "CTrayIcon.h"

namespace skyloom {

CTrayIcon::CTrayIcon(const QIcon& icon, std::unique_ptr<platform::ITrayHostWatch> host,
                     QObject* parent)
    : QObject(parent), m_image(icon),
      m_tooltip(QStringLiteral("Skyloom\nDesktop Wallpaper Changer")), m_host(std::move(host)) {
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

    if (!m_host || m_host->IsUp()) {
        m_host.reset(); // not needed any more
        MakeIcon();
        return;
    }
    connect(m_host.get(), &platform::ITrayHostWatch::hostUp, this, &CTrayIcon::MakeIcon);
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &CTrayIcon::MakeIcon);
    m_wait.start(kHostWaitMs);
}

CTrayIcon::~CTrayIcon() = default;

void CTrayIcon::MakeIcon() {
    if (m_icon)
        return;
    m_wait.stop();
    if (m_host) {
        m_host->disconnect(this);
        m_host.release()->deleteLater(); // this may run inside its signal
    }
    m_icon = std::make_unique<QSystemTrayIcon>(m_image);
    m_icon->setContextMenu(&m_menu);
    m_icon->setToolTip(m_tooltip);
    connect(m_icon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    emit commandChosen(Command::Restore);
            });
    if (m_shown)
        m_icon->show();
    emit ready(Available());
}

bool CTrayIcon::Available() const {
    return m_icon && QSystemTrayIcon::isSystemTrayAvailable();
}

void CTrayIcon::Show() {
    m_shown = true;
    if (m_icon)
        m_icon->show();
}

void CTrayIcon::Hide() {
    m_shown = false;
    if (m_icon)
        m_icon->hide();
}

void CTrayIcon::SetTooltip(const QString& text) {
    m_tooltip = text;
    if (m_icon)
        m_icon->setToolTip(text);
}

void CTrayIcon::SetState(bool paused, bool autoQueueEnabled) {
    Action(Command::Pause)->setChecked(paused);
    Action(Command::AutoQueue)->setEnabled(autoQueueEnabled);
}

QAction* CTrayIcon::Action(Command command) const {
    return m_actions.at(qsizetype(command));
}

} // namespace skyloom
