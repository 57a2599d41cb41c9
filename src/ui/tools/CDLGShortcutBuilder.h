#pragma once

#include "library/FolderCandidate.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace skyloom {

class BackgroundCount;
class CAppSettings;
class CImageButton;
class CXCategoriesCB;
class FolderListPair;
class FolderSearchJob;
struct FolderSearchResult;

// Creates Photo Folder Shortcuts in bulk: the immediate sub-folders of a chosen source folder
// that hold photos and are no shortcut yet are listed under their corrected names; the user
// moves the wanted ones to the right and Go writes one shortcut each, in the chosen category
// with the chosen formats and Recursive flag, its photos counted with those. The search and
// the count run on a worker with progress and a Cancel button.
class CDLGShortcutBuilder final : public QDialog {
    Q_OBJECT
public:
    explicit CDLGShortcutBuilder(CAppSettings* settings, QWidget* parent = nullptr);
    ~CDLGShortcutBuilder() override;

    bool CategoriesChanged() const { return m_categoriesChanged; }
    bool ShortcutsCreated() const { return m_shortcutsCreated; }
    const FolderCandidates& Candidates() const { return m_candidates; }
    bool IsWorking() const { return m_working; }

    void Browse();
    void Build();
    void Reset();

signals:
    // A search, or a build run, has ended (finished or cancelled).
    void workFinished();

public slots:
    void done(int result) override;

private:
    void StartScan(int selectRow);
    void ScanFinished(const FolderSearchResult& result, int selectRow);
    void Created(const std::vector<int>& counts);
    void UpdateButtons();
    void UpdateGoForFolder();
    void SetWorking(bool working);
    void SetStatus(const QString& text);

    CAppSettings* m_settings;
    bool m_categoriesChanged = false;
    bool m_shortcutsCreated = false;
    bool m_resetEnabled = false;
    bool m_working = false;
    QString m_browseStart;
    FolderCandidates m_candidates;
    FolderSearchJob* m_search = nullptr;
    BackgroundCount* m_count = nullptr;
    // What a build run takes when it starts.
    std::vector<int> m_building; // candidate indexes of the right list
    int m_buildCategoryId = -1;
    QString m_buildCategoryName;

    QLineEdit* m_source = nullptr;
    CImageButton* m_browse = nullptr;
    CXCategoriesCB* m_category = nullptr;
    CImageButton* m_manageCategories = nullptr;
    QCheckBox* m_jpeg = nullptr;
    QCheckBox* m_bmp = nullptr;
    QCheckBox* m_png = nullptr;
    QCheckBox* m_tiff = nullptr;
    QCheckBox* m_recursive = nullptr;
    QLabel* m_availableLabel = nullptr;
    QLabel* m_selectedLabel = nullptr;
    FolderListPair* m_lists = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_go = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_done = nullptr;
};

} // namespace skyloom
