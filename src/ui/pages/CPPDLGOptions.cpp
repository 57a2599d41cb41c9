#include "CPPDLGOptions.h"

#include "OptionsPageHost.h"
#include "library/LibraryQueries.h"
#include "settings/CAppSettings.h"
#include "ui/tools/CDLGCategories.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ClampingSpinBox.h"
#include "ui/widgets/ComboData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <tuple>

namespace skyloom {

CPPDLGOptions::CPPDLGOptions(CAppSettings* settings, QWidget* parent)
    : SettingsPage(QStringLiteral("Options"), settings, parent) {
    setObjectName(QStringLiteral("optionsPage"));
    BuildLayout();
}

QCheckBox* CPPDLGOptions::AddCheck(const char* name, const QString& text,
                                   int CAppSettings::*member) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(text);
    m_checks.append({box, member});
    connect(box, &QCheckBox::clicked, this, [this, member](bool checked) {
        if (m_filling)
            return;
        Settings()->*member = checked ? 1 : 0;
        Save();
        if (!m_host)
            return;
        if (member == &CAppSettings::m_bAutoStart)
            m_host->AutoStartChanged(checked);
        else if (member == &CAppSettings::m_bAlwaysShowTrayIcon)
            m_host->TrayIconChanged(checked);
        else if (member == &CAppSettings::m_bPauseOnStartup)
            m_host->LiveOptionsChanged();
    });
    return box;
}

void CPPDLGOptions::BuildLayout() {
    using S = CAppSettings;
    m_autoStart = AddCheck("autoStartCheck", QStringLiteral("Automatically Start at Log In"),
                           &S::m_bAutoStart);
    QCheckBox* general[] = {
        m_autoStart,
        AddCheck("pauseOnStartupCheck", QStringLiteral("Pause Slideshow On Startup"),
                 &S::m_bPauseOnStartup),
        AddCheck("clearOnStartupCheck", QStringLiteral("Clear Desktop Wallpaper On Startup"),
                 &S::m_bClearOnStartup),
        AddCheck("clearOnExitCheck", QStringLiteral("Clear Desktop Wallpaper On Exit"),
                 &S::m_bClearOnExit),
        AddCheck("minimizeToTrayCheck", QStringLiteral("Minimize to System Tray"),
                 &S::m_bMinimizeToTray),
        AddCheck("startMinimizedCheck", QStringLiteral("Start Minimized"), &S::m_bStartMinimized),
        AddCheck("minimizeOnCloseCheck", QStringLiteral("Minimize Window on Exit or Close"),
                 &S::m_bMinimizeOnClose),
        m_alwaysShowTray =
            AddCheck("alwaysShowTrayCheck", QStringLiteral("Always Show SysTray Icon"),
                     &S::m_bAlwaysShowTrayIcon),
        AddCheck("confirmExitCheck", QStringLiteral("Confirm before Exiting"), &S::m_bConfirmExit),
        AddCheck("confirmDeleteCheck", QStringLiteral("Confirm before Deleting Photo Shortcuts"),
                 &S::m_bConfirmDelete),
        AddCheck("showTooltipsCheck", QStringLiteral("Show Tooltips"), &S::m_bShowTooltips),
    };
    // A check with its count beside it, handled apart from the plain checks above.
    const auto checkWithCount = [this](const char* checkName, const QString& text,
                                       const char* spinName, const QString& spinText, int minimum,
                                       int maximum) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QLatin1String(checkName));
        box->setAccessibleName(text);
        auto* spin = new ClampingSpinBox(this);
        spin->setObjectName(QLatin1String(spinName));
        spin->setAccessibleName(spinText);
        spin->SetLimits(minimum, maximum);
        return std::pair{box, spin};
    };
    std::tie(m_idleOnly, m_idleSeconds) =
        checkWithCount("idleOnlyCheck", QStringLiteral("Run Slideshow when Computer is idle"),
                       "idleSecondsSpin", QStringLiteral("Idle Seconds"), 5, 60);

    auto* generalBox = new QGroupBox(QStringLiteral("General Options"), this);
    auto* generalLayout = new QGridLayout(generalBox);
    // Two columns, the long captions in the first so that the page fits beside the page bar;
    // the Tab order stays that of the list above.
    const int column[] = {0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 1};
    int rows[2] = {0, 0};
    for (int i = 0; i < int(std::size(general)); ++i) {
        generalLayout->addWidget(general[i], rows[column[i]]++, column[i]);
        if (i > 0)
            setTabOrder(general[i - 1], general[i]);
    }
    auto* idleRow = new QHBoxLayout;
    idleRow->addWidget(m_idleOnly);
    idleRow->addWidget(new QLabel(QStringLiteral("at least:"), generalBox));
    idleRow->addWidget(m_idleSeconds);
    idleRow->addWidget(new QLabel(QStringLiteral("Seconds"), generalBox));
    idleRow->addStretch(1);
    generalLayout->addLayout(idleRow, 6, 0, 1, 2);

    std::tie(m_autoQueue, m_autoQueueCount) =
        checkWithCount("autoQueueCheck", QStringLiteral("Enable AutoQueue Feature"),
                       "autoQueueCountSpin", QStringLiteral("Shortcuts to Select"), 1, 999);
    m_autoQueueCategory = new QComboBox(this);
    m_autoQueueCategory->setObjectName(QStringLiteral("autoQueueCategoryCombo"));
    m_autoQueueCategory->setAccessibleName(QStringLiteral("AutoQueue Category"));
    auto* autoQueueBox = new QGroupBox(QStringLiteral("AutoQueue"), this);
    auto* autoQueueLayout = new QVBoxLayout(autoQueueBox);
    autoQueueLayout->addWidget(m_autoQueue);
    auto* drawRow = new QHBoxLayout;
    drawRow->addWidget(new QLabel(QStringLiteral("Randomly Select"), autoQueueBox));
    drawRow->addWidget(m_autoQueueCount);
    drawRow->addWidget(new QLabel(QStringLiteral("Shortcuts"), autoQueueBox));
    auto* from = new QLabel(QStringLiteral("From Category:"), autoQueueBox);
    from->setBuddy(m_autoQueueCategory);
    drawRow->addWidget(from);
    drawRow->addWidget(m_autoQueueCategory, 1);
    autoQueueLayout->addLayout(drawRow);

    m_defaultCategory = new QComboBox(this);
    m_defaultCategory->setObjectName(QStringLiteral("defaultCategoryCombo"));
    m_defaultCategory->setAccessibleName(QStringLiteral("Default Category"));
    m_manageCategories = new CImageButton(this);
    m_manageCategories->setObjectName(QStringLiteral("manageCategoriesButton"));
    m_manageCategories->SetPictures(Artwork::ButtonPicture(QStringLiteral("categories")));
    m_manageCategories->setAccessibleName(QStringLiteral("Manage Categories"));
    m_manageCategories->setFixedSize(24, 24);
    m_manageCategories->setFocusPolicy(Qt::StrongFocus);
    QCheckBox* defaults[] = {
        AddCheck("useFolderNameCheck", QStringLiteral("Use Folder Name as Shortcut Name"),
                 &S::m_bDefaultUseFolderName),
        AddCheck("recursiveCheck", QStringLiteral("Include Subfolders"), &S::m_bDefaultRecursive),
        AddCheck("jpegCheck", QStringLiteral("JPEG"), &S::m_bDefaultJpeg),
        AddCheck("bmpCheck", QStringLiteral("BMP"), &S::m_bDefaultBmp),
        AddCheck("pngCheck", QStringLiteral("PNG"), &S::m_bDefaultPng),
        AddCheck("tiffCheck", QStringLiteral("TIFF"), &S::m_bDefaultTiff),
    };
    auto* defaultsBox = new QGroupBox(QStringLiteral("New Shortcut - Default Settings"), this);
    auto* defaultsLayout = new QVBoxLayout(defaultsBox);
    auto* categoryRow = new QHBoxLayout;
    auto* category = new QLabel(QStringLiteral("Category:"), defaultsBox);
    category->setBuddy(m_defaultCategory);
    categoryRow->addWidget(category);
    categoryRow->addWidget(m_defaultCategory, 1);
    categoryRow->addWidget(m_manageCategories);
    defaultsLayout->addLayout(categoryRow);
    auto* nameRow = new QHBoxLayout;
    for (QCheckBox* box : {defaults[0], defaults[1]})
        nameRow->addWidget(box);
    nameRow->addStretch(1);
    defaultsLayout->addLayout(nameRow);
    auto* formats = new QHBoxLayout;
    for (QCheckBox* box : {defaults[2], defaults[3], defaults[4], defaults[5]})
        formats->addWidget(box);
    formats->addStretch(1);
    defaultsLayout->addLayout(formats);

    // Compact: the page shares the window's smallest size with the page bar.
    for (QGroupBox* box : {generalBox, autoQueueBox, defaultsBox}) {
        box->layout()->setContentsMargins(6, 4, 6, 4);
        box->layout()->setSpacing(2);
    }
    for (QComboBox* combo : {m_autoQueueCategory, m_defaultCategory}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(8);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(generalBox);
    layout->addWidget(autoQueueBox);
    layout->addWidget(defaultsBox);
    layout->addStretch(1);

    connect(m_idleOnly, &QCheckBox::clicked, this, &CPPDLGOptions::OnIdleChanged);
    connect(m_idleSeconds, &ClampingSpinBox::valueTaken, this, [this](int seconds) {
        if (m_filling)
            return;
        Settings()->m_nIdleSeconds = seconds;
        Save();
        if (m_host)
            m_host->LiveOptionsChanged();
    });
    connect(m_autoQueue, &QCheckBox::clicked, this, &CPPDLGOptions::OnAutoQueueChanged);
    connect(m_autoQueueCount, &ClampingSpinBox::valueTaken, this, [this](int count) {
        if (m_filling)
            return;
        Settings()->m_nAutoQueueCount = count;
        Save();
    });
    connect(m_autoQueueCategory, &QComboBox::activated, this, [this] {
        Settings()->m_nAutoQueueCategoryId = SelectedData(m_autoQueueCategory);
        Save();
    });
    connect(m_defaultCategory, &QComboBox::activated, this, [this] {
        Settings()->m_nDefaultCategoryId = SelectedData(m_defaultCategory);
        Save();
    });
    connect(m_manageCategories, &QAbstractButton::clicked, this, &CPPDLGOptions::ManageCategories);
}

void CPPDLGOptions::Save() {
    Settings()->Save();
}

void CPPDLGOptions::FillCategoryCombo(QComboBox* combo, bool withAll) {
    combo->clear();
    if (withAll)
        combo->addItem(QStringLiteral("All"), -1);
    for (const CategoryRecord& category : LoadCategories(Settings()->GetDatabasePath()))
        combo->addItem(category.name, category.id);
}

void CPPDLGOptions::CheckAutoQueueCategory() {
    CAppSettings& s = *Settings();
    if (!CategoryExists(s.GetDatabasePath(), s.m_nAutoQueueCategoryId)) {
        SelectData(m_autoQueueCategory, -1);
        if (s.m_nAutoQueueCategoryId != -1) {
            s.m_nAutoQueueCategoryId = -1;
            Save();
        }
    } else {
        SelectData(m_autoQueueCategory, s.m_nAutoQueueCategoryId);
    }
}

void CPPDLGOptions::Initialize() {
    const CAppSettings& s = *Settings();
    m_filling = true;
    FillCategoryCombo(m_defaultCategory, false);
    SelectData(m_defaultCategory, s.m_nDefaultCategoryId);
    for (const auto& [box, member] : m_checks)
        box->setChecked(s.*member != 0);
    m_idleOnly->setChecked(s.m_bIdleOnly != 0);
    m_idleSeconds->setValue(s.m_nIdleSeconds);
    FillCategoryCombo(m_autoQueueCategory, true);
    ShowAutoQueueSettings();
    m_filling = false;
    OnAutoQueueChanged();
    OnIdleChanged();
}

void CPPDLGOptions::ShowAutoQueueSettings() {
    const CAppSettings& s = *Settings();
    CheckAutoQueueCategory();
    m_autoQueueCount->setValue(s.m_nAutoQueueCount);
    m_autoQueue->setChecked(s.m_bAutoQueue != 0);
    m_manageCategories->SetTooltip(QStringLiteral("Manage Categories"), s.m_bShowTooltips != 0);
}

void CPPDLGOptions::Activate() {
    const CAppSettings& s = *Settings();
    m_filling = true;
    if (std::exchange(m_categoriesChanged, false)) {
        FillCategoryCombo(m_defaultCategory, false);
        SelectData(m_defaultCategory, s.m_nDefaultCategoryId);
        FillCategoryCombo(m_autoQueueCategory, true);
    }
    // AutoQueue may have been switched elsewhere since.
    ShowAutoQueueSettings();
    m_filling = false;
    OnAutoQueueChanged();
}

void CPPDLGOptions::OnAutoQueueChanged() {
    CAppSettings& s = *Settings();
    s.m_bAutoQueue = m_autoQueue->isChecked() ? 1 : 0;
    s.m_nAutoQueueCategoryId = SelectedData(m_autoQueueCategory);
    s.m_nAutoQueueCount = std::clamp(m_autoQueueCount->value(), m_autoQueueCount->Minimum(),
                                     m_autoQueueCount->Maximum());
    Save();
    for (QWidget* w :
         {static_cast<QWidget*>(m_autoQueueCount), static_cast<QWidget*>(m_autoQueueCategory)})
        w->setEnabled(m_autoQueue->isChecked());
}

void CPPDLGOptions::OnIdleChanged() {
    CAppSettings& s = *Settings();
    s.m_bIdleOnly = m_idleOnly->isChecked() ? 1 : 0;
    s.m_nIdleSeconds =
        std::clamp(m_idleSeconds->value(), m_idleSeconds->Minimum(), m_idleSeconds->Maximum());
    Save();
    m_idleSeconds->setEnabled(m_idleOnly->isChecked());
    if (m_host)
        m_host->LiveOptionsChanged();
}

void CPPDLGOptions::ManageCategories() {
    const int defaultId = SelectedData(m_defaultCategory);
    const int autoQueueId = SelectedData(m_autoQueueCategory);
    CDLGCategories dialog(Settings(), this);
    dialog.exec();
    m_filling = true;
    if (dialog.Changed()) {
        FillCategoryCombo(m_defaultCategory, false);
        FillCategoryCombo(m_autoQueueCategory, true);
        const int found = m_defaultCategory->findText(dialog.SelectedName(),
                                                      Qt::MatchExactly | Qt::MatchCaseSensitive);
        m_defaultCategory->setCurrentIndex(found >= 0 ? found : 0);
        if (m_host)
            m_host->CategoriesChanged();
    } else {
        SelectData(m_defaultCategory, defaultId);
    }
    if (!SelectData(m_autoQueueCategory, autoQueueId))
        SelectData(m_autoQueueCategory, -1);
    m_filling = false;
}

} // namespace skyloom
