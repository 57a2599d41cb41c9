#include "CPPQSScanner.h"

#include "CPSQuickStart.h"
#include "FolderChooser.h"
#include "FolderSearchJob.h"
#include "ToolWidgets.h"
#include "library/MessageReporter.h"
#include "library/NewShortcuts.h"
#include "library/TextHelpers.h"
#include "platform/Platform.h"
#include "settings/CAppSettings.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace skyloom {
namespace {

QString LogonName() {
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = QDir::home().dirName();
    return name.left(200);
}

} // namespace

CPPQSScanner::CPPQSScanner(CPSQuickStart* sheet)
    : QWizardPage(sheet), m_sheet(sheet), m_job(new FolderSearchJob(this)) {
    setObjectName(QStringLiteral("scannerPage"));
    setTitle(QStringLiteral("Step #1 - Search for Photos"));
    setCommitPage(true);
    m_intro = MakePlainLabel(this, "introLabel", QStringLiteral("Introduction"));
    m_intro->setWordWrap(true);
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("folderEdit"));
    m_folder->setAccessibleName(QStringLiteral("Pictures Folder"));
    m_folder->setReadOnly(true);
    auto* folderLabel = new QLabel(QStringLiteral("Pictures Folder:"), this);
    folderLabel->setObjectName(QStringLiteral("folderLabel"));
    folderLabel->setBuddy(m_folder);
    m_browse = MakePictureButton(this, "browseButton", QStringLiteral("browse"),
                                 QStringLiteral("Choose Source Folder to Search"),
                                 sheet->Settings()->m_bShowTooltips != 0);
    m_current = MakePlainLabel(this, "currentFolderLabel", QStringLiteral("Searching Folder"));
    m_current->setMinimumWidth(100);
    m_totals = MakePlainLabel(this, "totalsLabel", QStringLiteral("Folders / Photos"));
    m_progress = MakeProgressBar(this);
    m_start = new QPushButton(QStringLiteral("Click Here to Start Search"), this);
    m_start->setObjectName(QStringLiteral("startSearchButton"));
    m_start->setAccessibleName(m_start->text());
    m_cancel = new QPushButton(QStringLiteral("Cancel Search"), this);
    m_cancel->setObjectName(QStringLiteral("cancelSearchButton"));
    m_cancel->setAccessibleName(m_cancel->text());
    m_cancel->setEnabled(false);
    m_result = MakePlainLabel(this, "resultLabel", QStringLiteral("Search Results"));
    m_result->setAlignment(Qt::AlignCenter);
    m_result->setTextFormat(Qt::RichText); // for the "&Next" mnemonic it shows underlined

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Searching Folder:"), this), 0, 0);
    grid->addWidget(m_current, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Folders / Photos:"), this), 1, 0);
    grid->addWidget(m_totals, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
    layout->addLayout(folderRow);
    layout->addLayout(grid);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    layout->addWidget(m_result);
    layout->addStretch(1);

    connect(m_browse, &QAbstractButton::clicked, this, &CPPQSScanner::Browse);
    connect(m_start, &QPushButton::clicked, this, &CPPQSScanner::StartSearch);
    connect(m_cancel, &QPushButton::clicked, this, &CPPQSScanner::CancelSearch);
    connect(m_job, &FolderSearchJob::progress, this, &CPPQSScanner::Progress);
    connect(m_job, &FolderSearchJob::finished, this, &CPPQSScanner::Finished);
}

QString CPPQSScanner::SearchFolder() const {
    return m_folder->text();
}

void CPPQSScanner::initializePage() {
    if (!m_folder->text().isEmpty())
        return; // the search folder and what was found stay while the wizard runs
    const QString pictures = platform::Services().folders->PicturesFolder();
    m_folder->setText(pictures);
    m_intro->setText(
        QStringLiteral(
            "QuickStart Wizard has determined the default location for your photos (profile: "
            "%1) is '%2.'  Since Skyloom uses Shortcuts to folders containing photos (rather "
            "than queueing individual photos), it will need to search for folders "
            "(sub-directories) containing photos (JPEG, Bitmap, PNG and TIFF).  You can change "
            "the pictures folder by clicking on the 'Choose Source Folder to Search' button.")
            .arg(LogonName(), pictures));
}

bool CPPQSScanner::isComplete() const {
    return m_searched && !m_searching;
}

bool CPPQSScanner::validatePage() {
    if (m_searched && !m_searching)
        return true;
    ExtMessageBox(QStringLiteral("Skyloom - First Run Wizard"), this,
                  QStringLiteral("Please click on the 'Click Here to Start Scan' button before "
                                 "moving to the next step."),
                  MessageStyle::Ok | MessageStyle::IconInformation |
                      MessageStyle::NoResourceLookup);
    return false;
}

void CPPQSScanner::Browse() {
    if (m_searching)
        return;
    const QString picked =
        ChooseFolder(this, QStringLiteral("Choose Folder to Search..."), m_folder->text());
    if (picked.isEmpty())
        return;
    m_folder->setText(picked);
    m_start->setEnabled(true);
}

void CPPQSScanner::StartSearch() {
    if (m_searching)
        return;
    m_searching = true;
    m_searched = false; // what an earlier search found goes now
    emit completeChanged();
    m_sheet->EnableButtons(false);
    m_start->setEnabled(false);
    m_browse->setEnabled(false);
    m_cancel->setEnabled(true);
    m_cancel->setFocus();
    m_progress->setRange(0, 0); // busy indicator
    m_found.Clear();
    m_totals->clear();
    m_result->clear();
    m_current->setText(m_folder->text());
    m_job->Start(m_folder->text(), FolderSearchDepth::WholeTree);
}

void CPPQSScanner::CancelSearch() {
    m_job->Cancel();
}

void CPPQSScanner::ShowTotals(int folders, int photos) {
    if (photos > 0)
        m_totals->setText(QStringLiteral("%1 in %2")
                              .arg(FormatCount(QStringLiteral("Photo"), photos),
                                   FormatCount(QStringLiteral("Folder"), folders)));
}

void CPPQSScanner::Progress(const FolderSearchProgress& progress) {
    ShowTotals(progress.foldersSeen, progress.photosSeen);
    m_current->setText(
        m_current->fontMetrics().elidedText(progress.folder, Qt::ElideMiddle, m_current->width()));
}

void CPPQSScanner::Finished(const FolderSearchResult& result) {
    m_searching = false;
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_browse->setEnabled(true);
    m_cancel->setEnabled(false);
    m_sheet->EnableButtons(true);
    if (!result.completed) {
        // What a cancelled search found is not all there is: nothing of it is offered.
        m_found.Clear();
        m_start->setEnabled(true);
        m_current->setText(QStringLiteral("Cancelled"));
        m_result->setText(QStringLiteral("The search was cancelled."));
        emit completeChanged();
        emit searchEnded();
        return;
    }
    if (result.start)
        m_found.Insert(*result.start);
    const bool firstRun = m_sheet->FirstRun();
    const ExistingShortcuts existing(m_sheet->Settings()->GetDatabasePath());
    for (const FolderCandidate& candidate : result.found)
        if (firstRun || !existing.Has(candidate.name, candidate.folder))
            m_found.Insert(candidate);
    ShowTotals(result.foldersSeen, result.photosSeen);
    m_current->setText(QStringLiteral("Done!"));
    m_result->setText(
        QStringLiteral("Search Results: Located %1 in %2.  Click <u>N</u>ext to continue.")
            .arg(FormatCount(QStringLiteral("Photo"), result.photosSeen),
                 FormatCount(QStringLiteral("Folder"), result.foldersSeen)));
    m_searched = true;
    emit completeChanged();
    emit searchEnded();
}

} // namespace skyloom
