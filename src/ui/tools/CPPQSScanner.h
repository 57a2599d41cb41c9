#pragma once

#include "library/FolderCandidate.h"

#include <QWizardPage>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace skyloom {

class CImageButton;
class CPSQuickStart;
class FolderSearchJob;
struct FolderSearchProgress;
struct FolderSearchResult;

// The wizard's search: every folder below the chosen folder that holds photos, in it or
// below it, becomes a found folder (without a first run, only those that are no shortcut
// yet). The search runs on a worker; the page shows the folder it is in and the totals, and a
// Cancel button stops it.
class CPPQSScanner final : public QWizardPage {
    Q_OBJECT
public:
    explicit CPPQSScanner(CPSQuickStart* sheet);

    const FolderCandidates& Found() const { return m_found; }
    bool Searched() const { return m_searched; }
    bool Searching() const { return m_searching; }
    QString SearchFolder() const;

    void initializePage() override;
    bool isComplete() const override;
    bool validatePage() override;

    void Browse();
    void StartSearch();
    void CancelSearch();

signals:
    // The search has ended, finished or cancelled.
    void searchEnded();

private:
    void Progress(const FolderSearchProgress& progress);
    void Finished(const FolderSearchResult& result);
    void ShowTotals(int folders, int photos);

    CPSQuickStart* m_sheet;
    FolderCandidates m_found;
    bool m_searched = false;
    bool m_searching = false;
    FolderSearchJob* m_job;

    QLabel* m_intro = nullptr;
    QLineEdit* m_folder = nullptr;
    CImageButton* m_browse = nullptr;
    QLabel* m_current = nullptr;
    QLabel* m_totals = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_result = nullptr;
};

} // namespace skyloom
