#include "CPPQSFinish.h"

#include "CPPQSShortcuts.h"
#include "CPSQuickStart.h"
#include "CXCategoriesCB.h"
#include "CXFolderLB.h"
#include "ToolWidgets.h"
#include "library/LibraryQueries.h"
#include "library/MessageReporter.h"
#include "library/NewShortcuts.h"
#include "library/TextHelpers.h"
#include "settings/CAppSettings.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace skyloom {

CPPQSFinish::CPPQSFinish(CPSQuickStart* sheet) : QWizardPage(sheet), m_sheet(sheet) {
    setObjectName(QStringLiteral("finishPage"));
    setTitle(QStringLiteral("Final Step - Save New Shortcuts"));
    m_intro = new QLabel(this);
    m_intro->setObjectName(QStringLiteral("introLabel"));
    m_intro->setWordWrap(true);
    m_listLabel = new QLabel(this);
    m_listLabel->setObjectName(QStringLiteral("listLabel"));
    m_list = new CXFolderLB(this);
    m_list->setObjectName(QStringLiteral("pickedList"));
    m_list->setAccessibleName(QStringLiteral("Selected Shortcuts"));
    m_list->SetProvider(
        [this](int index) { return m_folders.IsValid(index) ? &m_folders.At(index) : nullptr; });
    m_listLabel->setBuddy(m_list);
    m_list->setMinimumWidth(220);
    m_categoryText = new QLabel(
        QStringLiteral("Skyloom organizes Shortcuts using Categories.  Choose a category that "
                       "best represents the new Shortcuts.  You can click on the 'Manage "
                       "Categories' button to create or edit categories."),
        this);
    m_categoryText->setObjectName(QStringLiteral("categoryText"));
    m_categoryText->setWordWrap(true);
    m_category = new CXCategoriesCB(this);
    m_category->setObjectName(QStringLiteral("categoryCombo"));
    m_category->setAccessibleName(QStringLiteral("Category"));
    m_manageCategories = MakePictureButton(
        this, "manageCategoriesButton", QStringLiteral("categories"),
        QStringLiteral("Manage Categories"), sheet->Settings()->m_bShowTooltips != 0);
    m_queue = new QCheckBox(
        QStringLiteral("Queue Shortcuts and Start Slideshow when finished (Recommended)."), this);
    m_queue->setObjectName(QStringLiteral("queueCheck"));
    m_queue->setAccessibleName(QStringLiteral("Queue Shortcuts and Start Slideshow"));
    m_status = MakePlainLabel(this, "statusLabel", QStringLiteral("Status"));
    m_progress = MakeProgressBar(this);

    auto* right = new QVBoxLayout;
    right->addWidget(m_categoryText);
    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_category, 1);
    categoryRow->addWidget(m_manageCategories);
    right->addLayout(categoryRow);
    right->addWidget(m_queue);
    right->addStretch(1);
    right->addWidget(m_status);
    right->addWidget(m_progress);
    auto* left = new QVBoxLayout;
    left->addWidget(m_listLabel);
    left->addWidget(m_list, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(right, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
    layout->addLayout(columns, 1);

    connect(m_manageCategories, &QAbstractButton::clicked, this, [this] {
        if (m_category->ManageCategories(m_sheet->Settings()))
            m_sheet->SetCategoriesChanged();
    });

    // Opening.
    const CAppSettings* settings = sheet->Settings();
    m_category->Fill(settings->GetDatabasePath());
    m_category->SelectId(settings->m_nDefaultCategoryId);
    m_categoryId = m_category->SelectedId();
}

bool CPPQSFinish::QueueAndStart() const {
    return m_sheet->FirstRun() && m_queue->isChecked();
}

void CPPQSFinish::initializePage() {
    m_intro->setText(QStringLiteral(
        "Final Step: Review your selected Shortcuts, choose a Category to store the new "
        "Shortcuts and click on the 'Finish' button when ready.  After a few moments the "
        "QuickStart Wizard will create and add the Shortcuts to the database so they will be "
        "available for use in your Desktop Wallpaper Slideshows."));
    m_folders = m_sheet->Picked();
    m_list->clear();
    for (int i = 0; i < m_folders.Size(); ++i)
        m_list->AddFolder(m_folders.At(i).name, i);
    m_list->SelectRow(0);
    m_listLabel->setText(QStringLiteral("%1 Selected")
                             .arg(FormatCount(QStringLiteral("Shortcut"), m_folders.Size())));
    m_queue->setVisible(m_sheet->FirstRun());
    m_queue->setChecked(m_sheet->FirstRun());
    m_categoryText->setText(
        QStringLiteral("Skyloom organizes Photo Folder Shortcuts using Categories.  Choose a "
                       "category that best represents the %1.  You can click on the 'Manage "
                       "Categories' button to create or edit categories.")
            .arg(FormatCount(QStringLiteral("new Shortcut"), m_folders.Size())));
}

bool CPPQSFinish::validatePage() {
    m_sheet->EnableButtons(false);
    m_categoryId = m_category->SelectedId();
    m_progress->setRange(0, std::max(1, m_folders.Size()));
    m_status->setText(QStringLiteral("Saving Shortcuts"));
    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::vector<ShortcutRecord> records;
    records.reserve(std::size_t(m_folders.Size()));
    for (const FolderCandidate& c : m_folders.Items()) {
        ShortcutRecord record;
        record.catId = m_categoryId;
        record.name = c.name;
        record.folder = c.folder;
        record.jpg = record.bmp = record.tiff = record.png = record.recursive = 1;
        record.numPhotos = c.photoCount;
        records.push_back(std::move(record));
    }
    // One transaction: thousands of rows take moments.
    m_created =
        CreateShortcuts(m_sheet->Settings()->GetDatabasePath(), records, ExistingMatch::Name);
    m_progress->setValue(m_progress->maximum());
    QApplication::restoreOverrideCursor();
    QString category;
    for (const CategoryRecord& c : LoadCategories(m_sheet->Settings()->GetDatabasePath()))
        if (c.id == m_categoryId)
            category = c.name;
    m_progress->setValue(0);
    m_sheet->EnableButtons(true);
    m_status->setText(QStringLiteral("Done!"));
    ExtMessageBox(
        QStringLiteral("Skyloom QuickStart Wizard"), this,
        QStringLiteral("%1 have been created and saved to the %2 category.")
            .arg(FormatCount(QStringLiteral("Photo Folder Shortcut"), m_created), category),
        MessageStyle::Ok | MessageStyle::IconInformation | MessageStyle::NoResourceLookup);
    return true;
}

} // namespace skyloom
