#pragma once

#include "library/FolderCandidate.h"

#include <QWizardPage>

class QCheckBox;
class QLabel;
class QProgressBar;

namespace skyloom {

class CImageButton;
class CPSQuickStart;
class CXCategoriesCB;
class CXFolderLB;

// The wizard's last page: the picked folders, the category they go into and, on a first run,
// "Queue Shortcuts and Start Slideshow when finished". Finish writes one shortcut per folder
// that has no namesake in the library yet (all formats, sub-folders included) and says how
// many it wrote.
class CPPQSFinish final : public QWizardPage {
    Q_OBJECT
public:
    explicit CPPQSFinish(CPSQuickStart* sheet);

    int ChosenCategoryId() const { return m_categoryId; }
    bool QueueAndStart() const;
    CXFolderLB* List() const { return m_list; }
    int Created() const { return m_created; }

    void initializePage() override;
    bool validatePage() override;

private:
    CPSQuickStart* m_sheet;
    FolderCandidates m_folders;
    int m_categoryId = -1;
    int m_created = 0;
    QLabel* m_intro = nullptr;
    QLabel* m_listLabel = nullptr;
    CXFolderLB* m_list = nullptr;
    QLabel* m_categoryText = nullptr;
    CXCategoriesCB* m_category = nullptr;
    CImageButton* m_manageCategories = nullptr;
    QCheckBox* m_queue = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
};

} // namespace skyloom
