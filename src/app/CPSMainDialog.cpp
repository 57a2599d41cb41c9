#include "CPSMainDialog.h"

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
    BuildLayout();
    ApplySettingsSnapshot();
}

CPSMainDialog::~CPSMainDialog() {
    // The window's own controls go first; the members follow in their declared order.
    delete m_status;
    m_status = nullptr;
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
    m_renderOptions = RenderOptionsOf(m_settings);
    if (!m_startup.screenSize.isEmpty())
        m_background.BuildScreenBackground(m_renderOptions.background, m_startup.screenSize,
                                           m_csQueue);
    CBackgroundRenderer::WriteBackgroundThumbnail(BackgroundOf(m_settings),
                                                  m_settings.GetBackgroundImagePath());
}

void CPSMainDialog::SetStatus(const QString& text) {
    m_status->setText(text.trimmed());
    QCoreApplication::sendPostedEvents(m_status);
}

} // namespace skyloom
