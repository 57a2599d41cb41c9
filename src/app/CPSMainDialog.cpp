#include "CPSMainDialog.h"

#include "SlideshowSetup.h"
#include "composer/CBackgroundRenderer.h"
#include "engine/CSlideshowEngine.h"
#include "engine/DesktopWallpaper.h"
#include "library/CShortcutsTable.h"
#include "library/MessageReporter.h"
#include "settings/SettingsSnapshot.h"
#include "ui/pages/SettingsPage.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace skyloom {

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
    BuildLayout();
    connect(m_engine.get(), &CSlideshowEngine::statusChanged, this,
            [this](const QString& status) { SetStatus(status); });
    SetStatus(QStringLiteral("One moment please..."));

    m_startupTimer.setSingleShot(true);
    connect(&m_startupTimer, &QTimer::timeout, this, [this] { RunStartupSequence(); });
    m_startupTimer.start(1500);
    m_buildTimer.setSingleShot(true);
    connect(&m_buildTimer, &QTimer::timeout, this,
            [this] { m_engine->BuildQueue(m_settings.m_arrQueue); });
    ApplySettingsSnapshot();
}

CPSMainDialog::~CPSMainDialog() {
    m_engine->Shutdown();
    // The window's own controls go first; the members follow in their declared order.
    delete m_status;
    m_status = nullptr;
}

void CPSMainDialog::RunStartupSequence() {
    // A library without shortcuts has nothing to show yet.
    CShortcutsTable shortcuts(m_settings.GetDatabasePath());
    const bool any = shortcuts.Open() && shortcuts.Count("SELECT COUNT(*) FROM Shortcuts;") > 0;
    shortcuts.Close();
    m_startup.newDatabase = false;
    if (!any) {
        SetStatus(m_engine->StatusText());
        return;
    }
    SetStatus(QStringLiteral("Initializing Skyloom..."));
    if (m_settings.m_bAutoQueue)
        RunAutoQueue(*m_engine, m_settings);
    else
        m_buildTimer.start(1000);
}

void CPSMainDialog::ShowFromRemote(const QString& activationToken) {
    if (!activationToken.isEmpty()) {
        // Read by the platform when the window asks for the focus.
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
        qputenv("DESKTOP_STARTUP_ID", activationToken.toUtf8());
    }
    showNormal();
    raise();
    activateWindow();
}

void CPSMainDialog::ExitWithoutQuestion(bool exitSwitch) {
    if (m_closing)
        return;
    if (exitSwitch) {
        m_settings.m_bConfirmExit = 0;
        m_settings.Save();
        m_engine->Pause();
        ClearDesktopWallpaper();
    }
    reject();
}

void CPSMainDialog::done(int result) {
    if (!std::exchange(m_closing, true)) {
        emit closing();
        m_startupTimer.stop();
        m_buildTimer.stop();
        SetStatus(QStringLiteral("Shutting down..."));
        m_engine->Shutdown();
        if (m_settings.m_bClearOnExit)
            ClearDesktopWallpaper();
    }
    QDialog::done(result);
}

void CPSMainDialog::BuildLayout() {
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kMinimumWidth, kMinimumHeight);

    m_navigation = new QListWidget(this);
    m_navigation->setFixedWidth(kNavigationWidth);
    m_navigation->setWordWrap(true);
    m_navigation->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_navigation->setSpacing(4);
    m_stack = new QStackedWidget(this);
    SettingsPage* const pages[] = {m_pageShortcuts.get(), m_pageWallpaperSettings.get(),
                                   m_pageBackground.get(), m_pageOptions.get()};
    for (SettingsPage* page : pages) {
        auto* item = new QListWidgetItem(page->Caption(), m_navigation);
        item->setTextAlignment(Qt::AlignCenter);
        m_stack->addWidget(page);
    }
    connect(m_navigation, &QListWidget::currentRowChanged, m_stack,
            &QStackedWidget::setCurrentIndex);
    m_navigation->setCurrentRow(0);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));

    auto* pagesRow = new QHBoxLayout;
    pagesRow->addWidget(m_navigation);
    pagesRow->addWidget(m_stack, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pagesRow, 1);
    layout->addWidget(m_status);
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
