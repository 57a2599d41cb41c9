#include "CDLGShortcutBuilder.h"

#include "CXCategoriesCB.h"
#include "CXFolderLB.h"
#include "FolderChooser.h"
#include "FolderListPair.h"
#include "FolderSearchJob.h"
#include "ToolWidgets.h"
#include "library/MessageReporter.h"
#include "library/NewShortcuts.h"
#include "library/TextHelpers.h"
#include "platform/Platform.h"
#include "settings/CAppSettings.h"
#include "settings/CUtility.h"
#include "ui/pages/BackgroundCount.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ExtMessageBox.h"
#include "ui/widgets/HelpLinks.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace skyloom {

CDLGShortcutBuilder::CDLGShortcutBuilder(CAppSettings* settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_search(new FolderSearchJob(this)),
      m_count(new BackgroundCount(this)) {
    setObjectName(QStringLiteral("shortcutBuilderDialog"));
    setWindowTitle(QStringLiteral("Shortcut Builder - Skyloom"));
    const bool tips = settings->m_bShowTooltips != 0;

    auto* intro = new QLabel(
        QStringLiteral("Use Shortcut Builder to automatically create Photo Folder Shortcuts "
                       "based on the folder names it finds (sub-folders) in the selected source "
                       "folder.  Shortcut Builder will use the found child-folders as Shortcut "
                       "Names (after auto-correcting the name). "),
        this);
    intro->setObjectName(QStringLiteral("introLabel"));
    intro->setWordWrap(true);
    m_source = new QLineEdit(this);
    m_source->setObjectName(QStringLiteral("sourceEdit"));
    m_source->setAccessibleName(QStringLiteral("Source Folder to Search"));
    auto* sourceLabel = new QLabel(QStringLiteral("&Source Folder to Search:"), this);
    sourceLabel->setBuddy(m_source);
    m_browse = MakePictureButton(this, "browseButton", QStringLiteral("browse"),
                                 QStringLiteral("Choose Source Folder to Scan"), tips);

    auto* properties = new QGroupBox(QStringLiteral("New Shortcut Properties"), this);
    m_category = new CXCategoriesCB(properties);
    m_category->setObjectName(QStringLiteral("categoryCombo"));
    m_category->setAccessibleName(QStringLiteral("Category"));
    auto* categoryLabel = new QLabel(QStringLiteral("&Category:"), properties);
    categoryLabel->setBuddy(m_category);
    m_manageCategories =
        MakePictureButton(properties, "manageCategoriesButton", QStringLiteral("categories"),
                          QStringLiteral("Manage Categories"), tips);
    const auto check = [properties](const char* name, const QString& text) {
        auto* box = new QCheckBox(text, properties);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(QString(text).remove(u'&').trimmed());
        return box;
    };
    m_jpeg = check("jpegCheck", QStringLiteral("&JPEG"));
    m_bmp = check("bmpCheck", QStringLiteral("&BITMAP"));
    m_png = check("pngCheck", QStringLiteral("&PNG"));
    m_tiff = check("tiffCheck", QStringLiteral("&TIFF "));
    m_recursive = check("recursiveCheck", QStringLiteral("&Recursive"));

    m_lists = new FolderListPair(this, tips);
    m_availableLabel = new QLabel(QStringLiteral("Available Shortcuts: 0"), this);
    m_availableLabel->setObjectName(QStringLiteral("availableLabel"));
    m_availableLabel->setBuddy(m_lists->Left());
    m_selectedLabel = new QLabel(this);
    m_selectedLabel->setObjectName(QStringLiteral("selectedLabel"));
    m_selectedLabel->setBuddy(m_lists->Right());
    m_status = MakePlainLabel(this, "statusLabel", QStringLiteral("Status"));
    m_progress = MakeProgressBar(this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    m_cancel->setVisible(false);

    auto* buttons = new QDialogButtonBox(this);
    m_go = buttons->addButton(QStringLiteral("&Go"), QDialogButtonBox::ActionRole);
    m_go->setObjectName(QStringLiteral("goButton"));
    m_go->setDefault(true);
    m_reset = buttons->addButton(QStringLiteral("Reset"), QDialogButtonBox::ActionRole);
    m_reset->setObjectName(QStringLiteral("resetButton"));
    m_done = buttons->addButton(QStringLiteral("Done"), QDialogButtonBox::AcceptRole);
    m_done->setObjectName(QStringLiteral("doneButton"));
    QPushButton* help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("helpButton"));
    for (QPushButton* b : {m_go, m_reset, m_done, help})
        b->setAccessibleName(QString(b->text()).remove(u'&'));

    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(sourceLabel);
    sourceRow->addWidget(m_source, 1);
    sourceRow->addWidget(m_browse);
    auto* propertiesLayout = new QGridLayout(properties);
    propertiesLayout->addWidget(categoryLabel, 0, 0);
    propertiesLayout->addWidget(m_category, 0, 1);
    propertiesLayout->addWidget(m_manageCategories, 0, 2);
    auto* checks = new QHBoxLayout;
    for (QCheckBox* box : {m_jpeg, m_bmp, m_png, m_tiff, m_recursive})
        checks->addWidget(box);
    checks->addStretch(1);
    propertiesLayout->addLayout(checks, 1, 0, 1, 3);
    propertiesLayout->setColumnStretch(1, 1);
    auto* listsGrid = new QGridLayout;
    listsGrid->addWidget(m_availableLabel, 0, 0);
    listsGrid->addWidget(m_selectedLabel, 0, 2);
    listsGrid->addWidget(m_lists->Left(), 1, 0);
    listsGrid->addLayout(m_lists->ButtonColumn(), 1, 1);
    listsGrid->addWidget(m_lists->Right(), 1, 2);
    listsGrid->setColumnStretch(0, 1);
    listsGrid->setColumnStretch(2, 1);
    listsGrid->setRowStretch(1, 1);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(sourceRow);
    layout->addWidget(properties);
    layout->addLayout(listsGrid, 1);
    layout->addWidget(m_status);
    layout->addLayout(progressRow);
    layout->addWidget(buttons);
    resize(640, 520);

    connect(m_browse, &QAbstractButton::clicked, this, &CDLGShortcutBuilder::Browse);
    connect(m_source, &QLineEdit::textChanged, this, &CDLGShortcutBuilder::UpdateGoForFolder);
    connect(m_manageCategories, &QAbstractButton::clicked, this, [this] {
        if (m_category->ManageCategories(m_settings))
            m_categoriesChanged = true;
    });
    connect(m_lists, &FolderListPair::changed, this, &CDLGShortcutBuilder::UpdateButtons);
    connect(m_go, &QPushButton::clicked, this, &CDLGShortcutBuilder::Build);
    connect(m_reset, &QPushButton::clicked, this, &CDLGShortcutBuilder::Reset);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(2500); });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_search->Cancel();
        m_count->Cancel();
        if (m_working && !m_search->Running()) {
            // The count stops at once and reports nothing: the run ends here.
            SetWorking(false);
            SetStatus(QStringLiteral("Cancelled"));
            emit workFinished();
        }
    });
    connect(m_search, &FolderSearchJob::progress, this, [this](const FolderSearchProgress& p) {
        SetStatus(QStringLiteral("Searching for folders: %1").arg(p.folder));
    });
    connect(m_count, &BackgroundCount::progress, this,
            [this](int counted, int) { m_progress->setValue(counted); });

    // Opening.
    m_jpeg->setChecked(settings->m_bDefaultJpeg != 0);
    m_png->setChecked(settings->m_bDefaultPng != 0);
    m_bmp->setChecked(settings->m_bDefaultBmp != 0);
    m_tiff->setChecked(settings->m_bDefaultTiff != 0);
    m_recursive->setChecked(settings->m_bDefaultRecursive != 0);
    m_browseStart = CUtility::GetRegString(QStringLiteral("Settings"), QStringLiteral("Builder"),
                                           platform::Services().folders->PicturesFolder());
    m_category->Fill(settings->GetDatabasePath());
    m_category->SelectId(settings->m_nDefaultCategoryId);
    UpdateButtons();
    m_lists->Left()->setFocus();
}

CDLGShortcutBuilder::~CDLGShortcutBuilder() = default;

void CDLGShortcutBuilder::SetStatus(const QString& text) {
    m_status->setText(m_status->fontMetrics().elidedText(text, Qt::ElideMiddle,
                                                         std::max(200, m_status->width())));
    m_status->setToolTip(text);
}

void CDLGShortcutBuilder::UpdateGoForFolder() {
    m_go->setEnabled(!m_working && !m_source->text().trimmed().isEmpty() &&
                     QFileInfo(m_source->text().trimmed()).isDir());
}

void CDLGShortcutBuilder::UpdateButtons() {
    m_lists->UpdateButtons();
    const int chosen = m_lists->Right()->count();
    m_go->setEnabled(!m_working && chosen > 0);
    m_reset->setEnabled(!m_working && m_resetEnabled);
    m_selectedLabel->setText(QStringLiteral("%1 Photo Folder %2 to Create")
                                 .arg(FormatNumber(chosen), chosen == 1
                                                                ? QStringLiteral("Shortcut")
                                                                : QStringLiteral("Shortcuts")));
}

void CDLGShortcutBuilder::SetWorking(bool working) {
    m_working = working;
    // Nothing that would change what is searched or written while the worker runs.
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_source, m_browse, m_category, m_manageCategories, m_jpeg,
                                         m_bmp, m_png, m_tiff, m_recursive})
        w->setEnabled(!working);
    m_lists->SetEnabled(!working);
    m_cancel->setVisible(working);
    m_cancel->setEnabled(working);
    if (working) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_cancel->setFocus();
    } else {
        QApplication::restoreOverrideCursor();
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
    }
    UpdateButtons();
}

void CDLGShortcutBuilder::Browse() {
    if (m_working)
        return;
    const QString picked =
        ChooseFolder(this, QStringLiteral("Choose Source Folder..."), m_browseStart);
    if (picked.isEmpty()) {
        m_lists->Left()->SelectRow(0);
        UpdateButtons();
        UpdateGoForFolder();
        return;
    }
    m_source->setText(picked);
    CUtility::SetRegString(QStringLiteral("Settings"), QStringLiteral("Builder"), picked);
    StartScan(0);
}

void CDLGShortcutBuilder::Reset() {
    if (m_working)
        return;
    StartScan(std::max(0, m_lists->Left()->SelectedRow()));
}

void CDLGShortcutBuilder::StartScan(int selectRow) {
    m_candidates.Clear();
    m_lists->Left()->clear();
    m_lists->Right()->clear();
    SetWorking(true);
    m_progress->setRange(0, 0); // busy indicator
    SetStatus(QStringLiteral("Searching for folders"));
    disconnect(m_search, &FolderSearchJob::finished, this, nullptr);
    connect(
        m_search, &FolderSearchJob::finished, this,
        [this, selectRow](const FolderSearchResult& result) { ScanFinished(result, selectRow); });
    m_search->Start(m_source->text().trimmed(), FolderSearchDepth::SubFolders);
}

void CDLGShortcutBuilder::ScanFinished(const FolderSearchResult& result, int selectRow) {
    if (result.completed) {
        const ExistingShortcuts existing(m_settings->GetDatabasePath());
        for (const FolderCandidate& candidate : result.found)
            if (!existing.Has(candidate.name, candidate.folder))
                m_candidates.Insert(candidate);
    }
    CXFolderLB* left = m_lists->Left();
    left->SetProvider([this](int index) {
        return m_candidates.IsValid(index) ? &m_candidates.At(index) : nullptr;
    });
    m_lists->Right()->SetProvider([this](int index) {
        return m_candidates.IsValid(index) ? &m_candidates.At(index) : nullptr;
    });
    left->setUpdatesEnabled(false);
    for (int i = 0; i < m_candidates.Size(); ++i)
        left->AddFolder(m_candidates.At(i).name, i);
    left->setUpdatesEnabled(true);
    m_availableLabel->setText(
        QStringLiteral("Available Shortcuts: %1").arg(FormatNumber(left->count())));
    m_resetEnabled = false;
    SetWorking(false);
    SetStatus(result.completed ? QString() : QStringLiteral("Search cancelled"));
    left->SelectRow(std::min(selectRow, left->count() - 1));
    if (left->SelectedRow() >= 0)
        left->scrollToItem(left->item(left->SelectedRow()), QAbstractItemView::PositionAtTop);
    UpdateButtons();
    UpdateGoForFolder();
    left->setFocus();
    emit workFinished();
}

void CDLGShortcutBuilder::Build() {
    if (m_working)
        return;
    m_buildCategoryId = m_category->SelectedId();
    m_buildCategoryName = m_category->currentText();
    m_building.clear();
    CXFolderLB* right = m_lists->Right();
    std::vector<BackgroundCount::Request> requests;
    for (int row = 0; row < right->count(); ++row) {
        const int index = right->CandidateIndexAt(row);
        if (!m_candidates.IsValid(index))
            continue;
        m_building.push_back(index);
        BackgroundCount::Request request;
        request.folder = m_candidates.At(index).folder;
        request.jpeg = m_jpeg->isChecked();
        request.bmp = m_bmp->isChecked();
        request.png = m_png->isChecked();
        request.tiff = m_tiff->isChecked();
        request.recursive = m_recursive->isChecked();
        requests.push_back(std::move(request));
    }
    if (requests.empty()) {
        Created({});
        return;
    }
    SetWorking(true);
    SetStatus(QStringLiteral("Creating..."));
    m_progress->setRange(0, int(requests.size()));
    m_progress->setValue(0);
    m_count->Start(std::move(requests), [this](std::vector<int> counts) { Created(counts); });
}

void CDLGShortcutBuilder::Created(const std::vector<int>& counts) {
    std::vector<ShortcutRecord> records;
    for (std::size_t i = 0; i < counts.size() && i < m_building.size(); ++i) {
        const FolderCandidate& candidate = m_candidates.At(m_building[i]);
        ShortcutRecord record;
        record.catId = m_buildCategoryId;
        record.name = candidate.name;
        record.folder = candidate.folder;
        record.jpg = m_jpeg->isChecked() ? 1 : 0;
        record.bmp = m_bmp->isChecked() ? 1 : 0;
        record.tiff = m_tiff->isChecked() ? 1 : 0;
        record.png = m_png->isChecked() ? 1 : 0;
        record.recursive = m_recursive->isChecked() ? 1 : 0;
        record.numPhotos = counts[i];
        records.push_back(std::move(record));
    }
    const int created = records.empty() ? 0
                                        : CreateShortcuts(m_settings->GetDatabasePath(), records,
                                                          ExistingMatch::NameOrFolder);
    if (created > 0)
        m_shortcutsCreated = true;
    if (m_working)
        SetWorking(false);
    SetStatus(created > 0 ? QStringLiteral("Creating Shortcut: %1").arg(records.back().name)
                          : m_status->toolTip());
    ExtMessageBox(QStringLiteral("Skyloom"), this,
                  QStringLiteral("%1 Photo Folder Shortcuts have been created and saved to the %2 "
                                 "category.\n\nClick on 'Reset Shortcut Builder' to refresh "
                                 "available Photo Folders and clear already built Shortcuts.")
                      .arg(FormatNumber(created), m_buildCategoryName),
                  MessageStyle::Ok | MessageStyle::IconInformation |
                      MessageStyle::NoResourceLookup);
    m_resetEnabled = m_shortcutsCreated;
    UpdateButtons();
    emit workFinished();
}

void CDLGShortcutBuilder::done(int result) {
    // Closing stops the worker first; it ends within moments.
    m_search->Cancel();
    m_count->Cancel();
    if (m_working) {
        m_working = false;
        QApplication::restoreOverrideCursor();
    }
    QDialog::done(result);
}

} // namespace skyloom
