#include "CPSMainDialog.h"

#include "AutoStart.h"
#include "SlideshowSetup.h"
#include "Version.h"
#include "composer/CBackgroundRenderer.h"
#include "engine/CSlideshowEngine.h"
#include "engine/DesktopWallpaper.h"
#include "library/CShortcutsTable.h"
#include "library/MessageReporter.h"
#include "platform/TrayHost.h"
#include "settings/SettingsSnapshot.h"
#include "ui/pages/CPPDLGBackground.h"
#include "ui/pages/CPPDLGOptions.h"
#include "ui/pages/CPPDLGShortcuts.h"
#include "ui/pages/CPPDLGWallpaperSettings.h"
#include "ui/pages/SettingsPage.h"
#include "ui/tools/CPSQuickStart.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/CDLGAbout.h"
#include "ui/widgets/CDLGGettingStarted.h"
#include "ui/widgets/ExtMessageBox.h"
#include "ui/widgets/HelpLinks.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSessionManager>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace skyloom {
namespace {

// The global keys, with Ctrl and Alt.
constexpr int kHotkeyPause = 1061;
constexpr int kHotkeyResume = 1062;
constexpr int kHotkeyNext = 1063;
constexpr int kHotkeyPauseAndClear = 1064;

} // namespace

CPSMainDialog::CPSMainDialog(QWidget* parent)
    : QDialog(parent), m_pageShortcuts(std::make_unique<CPPDLGShortcuts>(&m_settings)),
      m_pageWallpaperSettings(std::make_unique<CPPDLGWallpaperSettings>(&m_settings)),
      m_pageBackground(std::make_unique<CPPDLGBackground>(&m_settings)),
      m_pageOptions(std::make_unique<CPPDLGOptions>(&m_settings)) {
    setWindowTitle(QLatin1String(kApplicationTitle));
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_startup = RunPathsAndSettings(m_settings);
    if (m_settings.m_bClearOnStartup)
        ClearDesktopWallpaper();
    m_engine = std::make_unique<CSlideshowEngine>(SessionEngineSetup(m_settings, m_startup));
    WatchSessionMonitors(*m_engine);
    m_tray =
        std::make_unique<CTrayIcon>(Artwork::ApplicationIcon(), platform::CreateTrayHostWatch());
    BuildLayout();
    connect(m_engine.get(), &CSlideshowEngine::statusChanged, this,
            [this](const QString& status, const QString& tooltip) {
                SetStatus(status);
                m_tray->SetTooltip(tooltip);
                const bool busy = m_engine->IsBuilding() || m_engine->IsRefreshing();
                EnableCommandButtons(!busy);
                m_pageShortcuts->SetBusy(busy);
            });
    connect(m_engine.get(), &CSlideshowEngine::progressChanged, this, &CPSMainDialog::ShowProgress);
    connect(m_engine.get(), &CSlideshowEngine::refreshFinished, m_pageShortcuts.get(),
            &CPPDLGShortcuts::PhotoRefreshFinished);
    connect(m_engine.get(), &CSlideshowEngine::pausedChanged, this,
            &CPSMainDialog::OnPausedChanged);
    connect(m_engine.get(), &CSlideshowEngine::unableToDisplay, this, [this] {
        ExtMessageBox(QStringLiteral("Skyloom"), this,
                      QStringLiteral("Skyloom is unable to display any queued background photos "
                                     "because of your current Wallpaper Settings\n(either "
                                     "minimum size or photo orientation).\n\nPlease adjust the "
                                     "Wallpaper Settings and click on the 'Apply' button to "
                                     "resume."),
                      MessageStyle::Ok | MessageStyle::IconInformation);
    });
    connect(m_tray.get(), &CTrayIcon::commandChosen, this, &CPSMainDialog::OnTrayCommand);
    // Started hidden in a tray that never came: the taskbar keeps the window instead.
    connect(m_tray.get(), &CTrayIcon::ready, this, [this](bool available) {
        if (!available && m_inTray && !isVisible() && !m_closing) {
            m_inTray = false;
            showMinimized();
        }
    });
    // The menu shows the state of the moment it opens (AutoQueue may have been switched).
    connect(m_tray->Menu(), &QMenu::aboutToShow, this,
            [this] { m_tray->SetState(m_engine->IsPaused(), m_settings.m_bAutoQueue != 0); });
    // A key another program holds is left out; the others still work.
    m_hotkeys = platform::CreateGlobalHotkeys();
    m_hotkeys->Register({{kHotkeyPause, 'p'},
                         {kHotkeyResume, 'r'},
                         {kHotkeyNext, 'n'},
                         {kHotkeyPauseAndClear, 'b'}});
    connect(m_hotkeys.get(), &platform::IGlobalHotkeys::pressed, this, [this](int id) {
        if (m_closing)
            return;
        if (id == kHotkeyPause)
            m_engine->Pause();
        else if (id == kHotkeyResume)
            m_engine->Resume();
        else if (id == kHotkeyNext)
            m_engine->Next();
        else if (id == kHotkeyPauseAndClear)
            m_engine->PauseAndClear();
    });
    m_tray->SetState(false, m_settings.m_bAutoQueue != 0);
    if (m_settings.m_bAlwaysShowTrayIcon)
        m_tray->Show();
    SetStatus(QStringLiteral("One moment please..."));
    // The log-in starts the program through its autostart entry; a session manager that also
    // restored it would start a second copy.
    if (qGuiApp) {
        const auto never = [](QSessionManager& manager) {
            manager.setRestartHint(QSessionManager::RestartNever);
        };
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this, never);
        connect(qGuiApp, &QGuiApplication::saveStateRequest, this, never);
    }
    QCoreApplication::instance()->installEventFilter(this);

    m_startupTimer.setSingleShot(true);
    connect(&m_startupTimer, &QTimer::timeout, this, [this] { RunStartupSequence(); });
    m_startupTimer.start(1500);
    m_buildTimer.setSingleShot(true);
    connect(&m_buildTimer, &QTimer::timeout, this,
            [this] { m_engine->BuildQueue(m_settings.m_arrQueue); });
    ApplySettingsSnapshot();
    m_pageShortcuts->SetHost(this);
    m_pageOptions->SetHost(this);
    m_pageWallpaperSettings->SetHost(this);
    m_pageBackground->SetHost(this);
    for (SettingsPage* page : {static_cast<SettingsPage*>(m_pageShortcuts.get()),
                               static_cast<SettingsPage*>(m_pageWallpaperSettings.get()),
                               static_cast<SettingsPage*>(m_pageBackground.get()),
                               static_cast<SettingsPage*>(m_pageOptions.get())})
        page->Initialize();
}

CPSMainDialog::~CPSMainDialog() {
    m_engine->Shutdown();
    // The window's own controls go first; the members follow in their declared order.
    delete m_status;
    m_status = nullptr;
}

void CPSMainDialog::RunStartupSequence() {
    // A new library, or one without shortcuts, starts with the QuickStart wizard; when it
    // queued shortcuts and applied them, the slideshow is already on its way.
    bool any = false;
    if (!m_startup.newDatabase) {
        CShortcutsTable shortcuts(m_settings.GetDatabasePath());
        any = shortcuts.Open() && shortcuts.Count("SELECT COUNT(*) FROM Shortcuts;") > 0;
        shortcuts.Close();
    }
    if (!any && RunQuickStartWizard() == 1) {
        m_startup.newDatabase = false;
        return;
    }
    m_startup.newDatabase = false;
    if (m_closing)
        return;
    SetStatus(QStringLiteral("Initializing Skyloom..."));
    if (m_settings.m_bAutoQueue)
        RunAutoQueue();
    else
        m_buildTimer.start(1000);
}

int CPSMainDialog::RunQuickStartWizard() {
    // Not while the queue is built or the photos recounted: the wizard's queue-and-start and
    // the page's lists would meet that work half done. The page's button is off then too.
    if (m_closing || m_inQuickStart || m_pageShortcuts->IsBusy())
        return 0;
    const QScopedValueRollback running(m_inQuickStart, true);
    if (m_navigation->currentRow() != 0)
        m_navigation->setCurrentRow(0);
    // The slideshow waits while the wizard runs, unless it is already held.
    const bool pausedHere =
        !m_engine->IsBuilding() && !m_engine->IsPaused() && !m_engine->IsAutoPaused();
    if (pausedHere)
        m_engine->Pause();
    bool firstRun = m_startup.newDatabase;
    if (!firstRun) {
        CShortcutsTable shortcuts(m_settings.GetDatabasePath());
        firstRun = !shortcuts.Open() || shortcuts.Count("SELECT COUNT(*) FROM Shortcuts;") == 0;
    }
    CPSQuickStart wizard(&m_settings, this);
    wizard.SetFirstRun(firstRun);
    const int ended = wizard.exec();
    if (m_closing)
        return 0; // the program ends; nothing more to show
    int result = 0;
    if (ended != QDialog::Accepted) {
        if (firstRun) {
            CDLGGettingStarted help(this);
            help.exec();
        }
    } else {
        m_pageShortcuts->ShowWizardResult(wizard.ChosenCategoryId(), wizard.CategoriesChanged());
        CategoriesChanged();
        if (wizard.QueueAndStart()) {
            SetStatus(QStringLiteral("Queueing Wallpaper Photos..."));
            m_pageShortcuts->ClearQueue();
            m_pageShortcuts->AddAllToQueue();
            Apply();
            result = 1;
        }
    }
    if (pausedHere && !m_closing)
        m_engine->Resume();
    if (!m_closing && isVisible()) {
        activateWindow();
        raise();
    }
    return result;
}

void CPSMainDialog::ShowFromRemote(const QString& activationToken) {
    // On Wayland the token lets the window take the focus; Qt reads it from the environment
    // when the window asks for it. X11 window managers take the raise as it is.
    if (!activationToken.isEmpty() && QGuiApplication::platformName() == u"wayland")
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    RestoreWindow();
}

void CPSMainDialog::ShowAtStart() {
    if (!m_settings.m_bStartMinimized) {
        show();
        raise();
    } else if (m_settings.m_bMinimizeToTray && (m_tray->Waiting() || m_tray->Available())) {
        // The window stays hidden until the user restores it; if the tray waited for never
        // comes, it goes to the taskbar then.
        m_tray->Show();
        m_inTray = true;
    } else {
        showMinimized();
    }
}

void CPSMainDialog::MarkChanged(unsigned changeBits, unsigned filterBits) {
    using namespace PendingChange;
    m_pendingChanges |= changeBits;
    m_filterChanges |= filterBits;
    if (changeBits & (QueuedSet | Interval)) {
        m_applyEnabled = true;
        m_apply->setEnabled(true);
    }
    if (changeBits & (PhotoOptions | Background)) {
        m_applyEnabled = true;
        // Not while the queue is built or the shortcuts page is busy; it comes on after.
        if (!m_engine->IsBuilding() && !m_engine->IsRefreshing() && !m_pageShortcuts->IsBusy())
            m_apply->setEnabled(true);
    }
}

void CPSMainDialog::Apply() {
    m_apply->setEnabled(false);
    m_applyEnabled = false;
    SetStatus(QStringLiteral("Applying Changes"));
    m_engine->Apply(SnapshotOf(m_settings), m_pendingChanges, m_filterChanges,
                    m_settings.m_arrQueue);
    m_pendingChanges = 0;
    m_filterChanges = 0;
    m_settings.Save();
    SetStatus(m_engine->StatusText());
}

void CPSMainDialog::Minimize() {
    if (m_settings.m_bMinimizeToTray && m_tray->Available()) {
        m_tray->Show();
        m_inTray = true;
        hide();
    } else {
        // Without a tray, hiding the window would leave no way back: the taskbar keeps it.
        showMinimized();
    }
}

void CPSMainDialog::RestoreWindow() {
    m_restored = true;
    showNormal();
    if (size() != QSize(kMinimumWidth, kMinimumHeight))
        resize(kMinimumWidth, kMinimumHeight);
    raise();
    activateWindow();
    if (!m_settings.m_bAlwaysShowTrayIcon)
        m_tray->Hide();
    m_inTray = false;
}

bool CPSMainDialog::ConfirmExit() {
    if (!m_settings.m_bConfirmExit)
        return true;
    const int answer = ExtMessageBox(QLatin1String(kApplicationTitle), this,
                                     QStringLiteral("Are you sure you want to exit?"), 0x21000024);
    if (answer & MessageStyle::DontAskAgain) {
        m_settings.m_bConfirmExit = 0;
        m_settings.Save();
    }
    return (answer & MessageResult::ButtonMask) == MessageResult::Yes;
}

void CPSMainDialog::ExitSequence() {
    if (m_closing || !ConfirmExit())
        return;
    m_exit->setEnabled(false);
    m_tray->Hide();
    reject();
}

void CPSMainDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_closing)
        return;
    if (m_settings.m_bMinimizeOnClose)
        Minimize();
    else
        ExitSequence();
}

void CPSMainDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPSMainDialog::EnableCommandButtons(bool enable) {
    // On only while nothing is busy: the engine's build and refresh, the page's count.
    enable = enable && !m_engine->IsBuilding() && !m_engine->IsRefreshing() &&
             !m_pageShortcuts->IsCounting();
    for (QPushButton* button : {m_exit, m_minimize, m_pause})
        button->setEnabled(enable && !m_closing);
    m_apply->setEnabled(enable && m_applyEnabled && !m_closing);
}

void CPSMainDialog::ShowProgress(int value, int maximum) {
    // No work to show is an empty bar: a range of 0..0 would make Qt animate a busy bar for
    // ever.
    m_progress->setRange(0, std::max(1, maximum));
    m_progress->setValue(maximum > 0 ? value : 0);
}

void CPSMainDialog::UpdateStatusText() {
    SetStatus(m_engine->StatusText());
}

void CPSMainDialog::MarkQueueChanged() {
    MarkChanged(PendingChange::QueuedSet);
}

void CPSMainDialog::StartQueueBuild() {
    m_engine->BuildQueue(m_settings.m_arrQueue);
}

void CPSMainDialog::RunAutoQueue() {
    skyloom::RunAutoQueue(*m_engine, m_settings);
    m_pageShortcuts->ShowAutoQueued();
}

void CPSMainDialog::RefreshPhotoInformation(int categoryId) {
    m_engine->Refresh(categoryId);
}

void CPSMainDialog::CategoriesChanged() {
    // Both pages list the categories; each reads them again when it is shown next.
    m_pageShortcuts->MarkCategoriesChanged();
    m_pageOptions->MarkCategoriesChanged();
}

void CPSMainDialog::AutoStartChanged(bool enabled) {
    SetAutoStart(enabled);
}

void CPSMainDialog::TrayIconChanged(bool alwaysShown) {
    if (alwaysShown)
        m_tray->Show();
    else if (!m_inTray)
        m_tray->Hide(); // never the only way back to a hidden window
}

void CPSMainDialog::LiveOptionsChanged() {
    m_engine->SetLiveOptions(m_settings.m_bIdleOnly != 0, m_settings.m_nIdleSeconds,
                             m_settings.m_bPauseOnStartup != 0);
}

void CPSMainDialog::OnPausedChanged(bool paused) {
    m_pause->setText(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    m_pause->setAccessibleName(m_pause->text());
    m_tray->SetState(paused, m_settings.m_bAutoQueue != 0);
}

void CPSMainDialog::OnTrayCommand(CTrayIcon::Command command) {
    if (m_closing)
        return; // commands that arrive while the program ends are ignored
    using Command = CTrayIcon::Command;
    switch (command) {
    case Command::Restore:
        RestoreWindow();
        break;
    case Command::AutoQueue:
        m_navigation->setCurrentRow(0);
        RunAutoQueue();
        break;
    case Command::Pause:
        m_engine->Pause();
        break;
    case Command::Resume:
        m_engine->Resume();
        break;
    case Command::PauseAndClear:
        m_engine->PauseAndClear();
        break;
    case Command::Next:
        m_engine->Next();
        break;
    case Command::Clear:
        m_engine->ClearWallpaper();
        break;
    case Command::About:
        ShowAbout();
        break;
    case Command::Exit:
        ExitSequence();
        break;
    }
}

void CPSMainDialog::ShowAbout() {
    CDLGAbout about(&m_settings, ProgramVersion(), this);
    about.exec();
}

void CPSMainDialog::ExitWithoutQuestion(bool exitSwitch) {
    m_tray->Hide();
    if (m_closing)
        return;
    if (exitSwitch) {
        m_settings.m_bConfirmExit = 0;
        m_settings.Save();
        m_engine->Pause();
        m_clearAtExit = true; // once the workers have ended: no change can come after it
    }
    reject();
}

void CPSMainDialog::EndSession() {
    if (m_closing)
        return;
    emit closing(); // no box may follow the ones closed now
    CloseOpenDialogs(this);
    for (int i = 0; i < 8 && QApplication::activePopupWidget(); ++i)
        QApplication::activePopupWidget()->close(); // an open menu, each level of it
    m_tray->Hide();
    reject();
}

void CPSMainDialog::CloseOpenDialogs(const QWidget* keep) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget);
            dialog && dialog != keep && dialog->isVisible())
            dialog->reject();
}

bool CPSMainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Quit && watched == QCoreApplication::instance() && !m_closing)
        EndSession();
    return false;
}

void CPSMainDialog::done(int result) {
    if (!std::exchange(m_closing, true)) {
        emit closing();
        m_startupTimer.stop();
        m_buildTimer.stop();
        SetStatus(QStringLiteral("Shutting down..."));
        EnableCommandButtons(false);
        m_hotkeys->Unregister();
        m_engine->Shutdown();
        if (m_settings.m_bClearOnExit || m_clearAtExit)
            ClearDesktopWallpaper();
    }
    QDialog::done(result);
}

void CPSMainDialog::BuildLayout() {
    setObjectName(QStringLiteral("mainWindow"));
    setAccessibleName(windowTitle());
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kMinimumWidth, kMinimumHeight);

    // The page bar: each page's icon above its caption.
    m_navigation = new QListWidget(this);
    m_navigation->setObjectName(QStringLiteral("pageBar"));
    m_navigation->setAccessibleName(QStringLiteral("Pages"));
    m_navigation->setFixedWidth(kNavigationWidth);
    m_navigation->setViewMode(QListView::IconMode);
    m_navigation->setFlow(QListView::TopToBottom);
    m_navigation->setWrapping(false);
    m_navigation->setMovement(QListView::Static);
    m_navigation->setWordWrap(true);
    m_navigation->setIconSize(QSize(32, 32));
    m_navigation->setSpacing(0);
    // Every item as wide as the bar, so that icon and caption stand centred in it.
    const QSize itemSize(kNavigationWidth - 2 * m_navigation->frameWidth() - 4, 72);
    m_navigation->setGridSize(itemSize + QSize(0, 4));
    m_navigation->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stack = new QStackedWidget(this);
    SettingsPage* const pages[] = {m_pageShortcuts.get(), m_pageWallpaperSettings.get(),
                                   m_pageBackground.get(), m_pageOptions.get()};
    const char* const icons[] = {"shortcuts", "wallpaper", "background", "options"};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QListWidgetItem(Artwork::Icon(Artwork::PageIcon(QLatin1String(icons[i]))),
                                         pages[i]->Caption(), m_navigation);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        item->setSizeHint(itemSize);
        // Each page scrolls rather than growing the window past its smallest size when the
        // desktop's font is large.
        auto* scroll = new QScrollArea(m_stack);
        scroll->setObjectName(QStringLiteral("pageScroll%1").arg(i));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(pages[i]);
        m_stack->addWidget(scroll);
    }
    connect(m_navigation, &QListWidget::currentRowChanged, this, [this](int row) {
        // The settings pages cannot be opened while the photo queue is built or the photo
        // information refreshed: what they change would meet the work half done.
        if (row > 0 && (m_engine->IsBuilding() || m_engine->IsRefreshing())) {
            const QSignalBlocker block(m_navigation);
            m_navigation->setCurrentRow(m_stack->currentIndex());
            return;
        }
        m_stack->setCurrentIndex(row);
        if (auto* page = qobject_cast<SettingsPage*>(
                static_cast<QScrollArea*>(m_stack->currentWidget())->widget()))
            page->Activate();
    });
    m_navigation->setCurrentRow(0);
    // Linux windows have no system menu: the page bar's context menu holds its entries.
    auto* barMenu = new QMenu(this);
    barMenu->setObjectName(QStringLiteral("pageBarMenu"));
    m_quickStart = barMenu->addAction(QStringLiteral("QuickStart Wizard"));
    m_quickStart->setObjectName(QStringLiteral("quickStartAction"));
    connect(m_quickStart, &QAction::triggered, this, [this] { RunQuickStartWizard(); });
    QAction* about = barMenu->addAction(QStringLiteral("About Skyloom..."));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, &CPSMainDialog::ShowAbout);
    m_navigation->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_navigation, &QWidget::customContextMenuRequested, this,
            [this, barMenu](const QPoint& at) {
                m_quickStart->setEnabled(!m_pageShortcuts->IsBusy());
                barMenu->popup(m_navigation->mapToGlobal(at));
            });

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setAccessibleName(QStringLiteral("Status"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(fontMetrics().height() * 2 / 3);

    // The buttons, left to right; from the right edge they read Exit, Help, About, Apply,
    // Minimize, Pause.
    m_pause = AddButton(QStringLiteral("Pause"), "pauseButton");
    m_minimize = AddButton(QStringLiteral("Minimize"), "minimizeButton");
    m_apply = AddButton(QStringLiteral("Apply"), "applyButton");
    m_about = AddButton(QStringLiteral("About"), "aboutButton");
    m_help = AddButton(QStringLiteral("Help"), "helpButton");
    m_exit = AddButton(QStringLiteral("Exit"), "exitButton");
    m_apply->setEnabled(false);
    connect(m_pause, &QPushButton::clicked, this, [this] { m_engine->TogglePause(); });
    connect(m_minimize, &QPushButton::clicked, this, &CPSMainDialog::Minimize);
    connect(m_apply, &QPushButton::clicked, this, &CPSMainDialog::Apply);
    connect(m_about, &QPushButton::clicked, this, &CPSMainDialog::ShowAbout);
    connect(m_help, &QPushButton::clicked, this,
            [this] { OpenHelpTopic(106 + m_stack->currentIndex()); });
    connect(m_exit, &QPushButton::clicked, this, [this] {
        if (m_settings.m_bMinimizeOnClose)
            Minimize();
        else
            ExitSequence();
    });

    auto* statusColumn = new QVBoxLayout;
    statusColumn->setSpacing(2);
    statusColumn->addWidget(m_status);
    statusColumn->addWidget(m_progress);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(statusColumn, 1);
    for (QPushButton* button : {m_pause, m_minimize, m_apply, m_about, m_help, m_exit})
        bottom->addWidget(button);
    auto* pagesRow = new QHBoxLayout;
    pagesRow->addWidget(m_navigation);
    pagesRow->addWidget(m_stack, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pagesRow, 1);
    layout->addLayout(bottom);
    setTabOrder(m_navigation, m_pause);
    QWidget* previous = m_pause;
    for (QPushButton* button : {m_minimize, m_apply, m_about, m_help, m_exit}) {
        setTabOrder(previous, button);
        previous = button;
    }
}

QPushButton* CPSMainDialog::AddButton(const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

void CPSMainDialog::ApplySettingsSnapshot() {
    m_engine->ApplySnapshot(SnapshotOf(m_settings));
    CBackgroundRenderer::WriteBackgroundThumbnail(BackgroundOf(m_settings),
                                                  m_settings.GetBackgroundImagePath());
}

void CPSMainDialog::SetStatus(const QString& text) {
    m_status->setText(text.trimmed());
    QCoreApplication::sendPostedEvents(m_status);
}

} // namespace skyloom
