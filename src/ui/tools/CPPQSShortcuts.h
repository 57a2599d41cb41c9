#pragma once

#include "library/FolderCandidate.h"

#include <QWizardPage>

class QLabel;

namespace skyloom {

class CPSQuickStart;
class FolderListPair;

// The wizard's choice: the found folders on the left, the ones that shall become shortcuts
// on the right, moved with the buttons between the lists or a double-click. Below the lists,
// the selected folder's name, photos, sub-folders and location.
class CPPQSShortcuts final : public QWizardPage {
    Q_OBJECT
public:
    explicit CPPQSShortcuts(CPSQuickStart* sheet);

    const FolderCandidates& Picked() const { return m_picked; }
    FolderListPair* Lists() const { return m_lists; }
    QString Detail() const;

    void initializePage() override;
    bool isComplete() const override;
    bool validatePage() override;

private:
    void Update();

    CPSQuickStart* m_sheet;
    FolderCandidates m_picked;
    FolderListPair* m_lists;
    QLabel* m_leftLabel = nullptr;
    QLabel* m_rightLabel = nullptr;
    QLabel* m_detail = nullptr;
};

} // namespace skyloom
