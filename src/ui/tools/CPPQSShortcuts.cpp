#include "CPPQSShortcuts.h"

#include "CPSQuickStart.h"
#include "CXFolderLB.h"
#include "FolderListPair.h"
#include "library/TextHelpers.h"
#include "settings/CAppSettings.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace skyloom {

CPPQSShortcuts::CPPQSShortcuts(CPSQuickStart* sheet)
    : QWizardPage(sheet), m_sheet(sheet),
      m_lists(new FolderListPair(this, sheet->Settings()->m_bShowTooltips != 0)) {
    setObjectName(QStringLiteral("shortcutsPage"));
    setTitle(QStringLiteral("Step #2 - Choose Photo Folders"));
    auto* intro = new QLabel(
        QStringLiteral("QuickStart Wizard has located the following folders containing photos "
                       "(left listbox).  Double-click on an item to move it to the right listbox "
                       "or use the buttons (in the middle) to make your selection.  QuickStart "
                       "Wizard will use the selected folders and create Photo Folder Shortcuts "
                       "(the Final Step) which are used when queueing photos."),
        this);
    intro->setObjectName(QStringLiteral("introLabel"));
    intro->setWordWrap(true);
    m_leftLabel = new QLabel(this);
    m_leftLabel->setObjectName(QStringLiteral("availableLabel"));
    m_leftLabel->setBuddy(m_lists->Left());
    m_rightLabel = new QLabel(this);
    m_rightLabel->setObjectName(QStringLiteral("selectedLabel"));
    m_rightLabel->setBuddy(m_lists->Right());
    m_detail = new QLabel(this);
    m_detail->setObjectName(QStringLiteral("detailLabel"));
    m_detail->setAccessibleName(QStringLiteral("Selected Folder"));
    m_detail->setTextFormat(Qt::PlainText);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_detail->setMinimumHeight(2 * fontMetrics().height() + 4);

    const auto provider = [this](int index) -> const FolderCandidate* {
        const FolderCandidates& found = m_sheet->Found();
        return found.IsValid(index) ? &found.At(index) : nullptr;
    };
    m_lists->Left()->SetProvider(provider);
    m_lists->Right()->SetProvider(provider);

    auto* grid = new QGridLayout;
    grid->addWidget(m_leftLabel, 0, 0);
    grid->addWidget(m_rightLabel, 0, 2);
    grid->addWidget(m_lists->Left(), 1, 0);
    grid->addLayout(m_lists->ButtonColumn(), 1, 1);
    grid->addWidget(m_lists->Right(), 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid, 1);
    layout->addWidget(m_detail);
    connect(m_lists, &FolderListPair::changed, this, &CPPQSShortcuts::Update);
}

void CPPQSShortcuts::initializePage() {
    CXFolderLB* left = m_lists->Left();
    CXFolderLB* right = m_lists->Right();
    const int leftRow = std::max(0, left->SelectedRow());
    const int rightRow = std::max(0, right->SelectedRow());
    {
        const QSignalBlocker block(left);
        left->clear();
        left->setUpdatesEnabled(false);
        const FolderCandidates& found = m_sheet->Found();
        for (int i = 0; i < found.Size(); ++i)
            if (right->FindName(found.At(i).name) < 0)
                left->AddFolder(found.At(i).name, i);
        left->setUpdatesEnabled(true);
        left->SelectRow(std::min(leftRow, left->count() - 1));
        right->SelectRow(std::min(rightRow, right->count() - 1));
    }
    Update();
    left->setFocus();
}

bool CPPQSShortcuts::isComplete() const {
    return m_lists->Right()->count() > 0;
}

QString CPPQSShortcuts::Detail() const {
    const CXFolderLB* left = m_lists->Left();
    const FolderCandidate* selected = left->Candidate(left->CandidateIndexAt(left->SelectedRow()));
    if (!selected)
        return {};
    // The found folders inside it: "Trips/Catsup" is not inside "Trips/Cats".
    const QString inside = selected->folder.toLower() + u'/';
    int below = 0;
    for (const FolderCandidate& c : m_sheet->Found().Items())
        if (c.folder.toLower().startsWith(inside))
            ++below;
    const QString folders =
        below > 0 ? QStringLiteral(" in ") + FormatCount(QStringLiteral("Folder"), below)
                  : QString();
    return QStringLiteral("Label: %1, %2 %3\nLocation: %4")
        .arg(selected->name, FormatCount(QStringLiteral("Photo"), selected->photoCount), folders,
             selected->folder);
}

void CPPQSShortcuts::Update() {
    m_lists->UpdateButtons();
    const int chosen = m_lists->Right()->count();
    m_rightLabel->setText(QStringLiteral("%1 %2 to Create")
                              .arg(FormatNumber(chosen), chosen == 1
                                                             ? QStringLiteral("Shortcut")
                                                             : QStringLiteral("Shortcuts")));
    m_leftLabel->setText(QStringLiteral("QuickStart Wizard Found %1")
                             .arg(FormatCount(QStringLiteral("Folder"), m_sheet->Found().Size())));
    m_detail->setText(Detail());
    emit completeChanged();
}

bool CPPQSShortcuts::validatePage() {
    m_picked.Clear();
    const CXFolderLB* right = m_lists->Right();
    for (int row = 0; row < right->count(); ++row)
        if (const FolderCandidate* c = right->Candidate(right->CandidateIndexAt(row)))
            m_picked.Insert(*c);
    return true;
}

} // namespace skyloom
