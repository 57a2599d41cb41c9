#pragma once

#include "library/FolderCandidate.h"

#include <QWizard>

namespace skyloom {

class CAppSettings;
class CPPQSFinish;
class CPPQSScanner;
class CPPQSShortcuts;

// The QuickStart wizard: an introduction, a search for folders holding photos below the
// user's Pictures folder (or another one), the choice of the folders that become shortcuts,
// and their save into a category. On a first run the last page also offers to queue them and
// start the slideshow. The search page commits: once the user has gone on from it, there is
// no way back to it. The wizard ends only through Skip (Escape too) or Finish; the close box
// does nothing.
class CPSQuickStart final : public QWizard {
    Q_OBJECT
public:
    enum PageId { InstructionsPage, ScannerPage, ShortcutsPage, FinishPage };

    explicit CPSQuickStart(CAppSettings* settings, QWidget* parent = nullptr);

    CAppSettings* Settings() const { return m_settings; }
    void SetFirstRun(bool firstRun) { m_firstRun = firstRun; }
    bool FirstRun() const { return m_firstRun; }
    bool CategoriesChanged() const { return m_categoriesChanged; }
    void SetCategoriesChanged() { m_categoriesChanged = true; }

    CPPQSScanner* Scanner() const { return m_scanner; }
    CPPQSShortcuts* Choice() const { return m_choice; }
    CPPQSFinish* Finish() const { return m_finish; }
    // The folders the search found, and those the user picked from them.
    const FolderCandidates& Found() const;
    const FolderCandidates& Picked() const;

    // What the save page leaves for the caller.
    int ChosenCategoryId() const;
    bool QueueAndStart() const;

    // Back, Next, Finish and Skip at once, for the pages' long steps.
    void EnableButtons(bool enable);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CAppSettings* m_settings;
    bool m_firstRun = false;
    bool m_categoriesChanged = false;
    CPPQSScanner* m_scanner;
    CPPQSShortcuts* m_choice;
    CPPQSFinish* m_finish;
};

} // namespace skyloom
