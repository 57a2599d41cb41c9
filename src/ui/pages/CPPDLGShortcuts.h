#pragma once

#include "BackgroundCount.h"
#include "SettingsPage.h"
#include "library/ShortcutRecord.h"

#include <QStringList>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QListView;
class QMenu;

namespace skyloom {

class CImageButton;
class IShortcutsPageHost;
class ShortcutListModel;

// The Photo Folder Shortcuts page: the shortcuts of the chosen category on the left, the
// queued shortcuts the slideshow takes its photos from on the right, the buttons that move
// shortcuts between them, and every shortcut tool. The queued set is the settings' queue,
// edited here in memory and saved by Apply. The library is opened for each read or write and
// the lists are read again after each write. Folders dropped on the page become shortcuts.
class CPPDLGShortcuts final : public SettingsPage {
    Q_OBJECT
public:
    enum class List { Shortcuts, Queued };

    explicit CPPDLGShortcuts(CAppSettings* settings, QWidget* parent = nullptr);
    ~CPPDLGShortcuts() override;

    void SetHost(IShortcutsPageHost* host) { m_host = host; }
    // Fills the page from the settings and the library; the settings must be loaded.
    void Initialize() override;
    // Each time the page becomes the one shown.
    void Activate() override;

    // Busy: the window's queue build or photo refresh runs (or the page's own count): the
    // controls are disabled and the editing commands do nothing.
    void SetBusy(bool busy);
    bool IsBusy() const { return m_busy || m_counting; }
    bool IsCounting() const { return m_counting; }
    void UpdateControls();
    // A photo refresh of a category (-1: all) has ended: the lists show the new counts now if
    // the page is the one its window shows (even from the tray), else when it is shown next.
    void PhotoRefreshFinished(int categoryId);
    // The Options page changed the categories: the combo is filled again when the page is
    // shown next.
    void MarkCategoriesChanged() { m_categoriesChanged = true; }
    // After the window's AutoQueue: the queued list shows the settings' new queue.
    void ShowAutoQueued();

    // The commands, also reached through the buttons and menus.
    void AddToQueue();
    void RemoveFromQueue();
    void AddAllToQueue();
    void ClearQueue();
    void NewShortcut();
    void EditShortcut(List list);
    void DeleteShortcut(List list);
    void RecountShortcut(List list);
    void OpenContainerFolder(List list);
    void MoveToCategory(int categoryId);
    void ManageCategories();
    void RefreshPhotoInformation();
    void AutoQueue();
    void CategoryStatistics();
    void ShortcutBuilder();
    void FindShortcut();
    // Shows a shortcut: its category selected (when one is shown) and the shortcut with it,
    // in the left list or, when it is queued, in the queued list.
    void ShowShortcut(int id);
    // After the QuickStart wizard: its category shown ("All" when it is gone) with the first
    // shortcut selected; the categories read again first when it changed them.
    void ShowWizardResult(int categoryId, bool categoriesChanged);
    // Makes shortcuts of the folders among the paths, as a drop from the file manager does.
    void AddDroppedFolders(const QStringList& paths);

    // The left list's context menu for its selected shortcut, with the Category pop-up.
    QMenu* ShortcutMenu() const { return m_shortcutMenu; }
    const ShortcutRecord& Current() const { return m_current; }

signals:
    // A count started by the page has ended and its results are written.
    void countFinished();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Enter in a list adds its shortcut to the queue or takes it out, as a double-click does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void BuildMenus();
    CImageButton* AddButton(const char* name, const QString& picture, const QString& tooltip);
    QString DatabasePath() const;

    void FillCategoryCombo();
    // Selects the combo entry of a category (-1: "All"); false when it has none.
    bool SelectCategory(int categoryId);
    // The category shown: -1 for "All" or none.
    int ShownCategory() const;
    void FillShortcutList(int categoryId);
    void FillQueuedList(bool sync = true);
    // Reads both lists again and keeps what each had selected (the row before, when the
    // shortcut left the list).
    void ReloadLists();
    void SyncQueue(bool markApply);
    void OnCategoryChanged();
    void OnShortcutSelChange();
    QListView* View(List list) const;
    ShortcutListModel* Model(List list) const;
    // The id of the list's selected shortcut, or -1.
    int SelectedId(List list) const;
    int SelectedRow(List list) const;
    // The list's selected shortcut as stored now; none while busy or when it is gone.
    std::optional<ShortcutRecord> SelectedShortcut(List list) const;
    void SelectRow(List list, int row, bool toTop = false);
    bool SelectId(List list, int id, bool toTop = false);
    // After a row is taken out: the same index, or the one before it at the end.
    void SelectNeighbour(List list, int removedRow);
    bool ConfirmDelete(const QString& text);
    // Counts folders in the background with the page locked and the window's buttons off;
    // then done runs with the counts.
    void Count(std::vector<BackgroundCount::Request> requests,
               std::function<void(std::vector<int>)> done);
    void ShowMenu(QMenu* menu, List list, const QPoint& at);
    void FillCategoryMenu();
    void ReportSkippedFolders();
    void ShowToolTips();

    IShortcutsPageHost* m_host = nullptr;
    bool m_categoriesChanged = false;
    bool m_initialized = false;
    ShortcutRecord m_current;
    bool m_busy = false;     // the window's build or refresh
    bool m_counting = false; // the page's own count
    bool m_refreshPending = false;
    QStringList m_skipped; // dropped folders skipped as existing names, sorted without case

    ShortcutListModel* m_shortcutModel = nullptr;
    ShortcutListModel* m_queuedModel = nullptr;
    BackgroundCount* m_count = nullptr;
    QComboBox* m_category = nullptr;
    QListView* m_shortcutList = nullptr;
    QListView* m_queuedList = nullptr;
    QLabel* m_summary = nullptr;
    CImageButton* m_tools = nullptr;
    CImageButton* m_manageCategories = nullptr;
    CImageButton* m_find = nullptr;
    CImageButton* m_add = nullptr;
    CImageButton* m_remove = nullptr;
    CImageButton* m_addAll = nullptr;
    CImageButton* m_clear = nullptr;
    CImageButton* m_new = nullptr;
    CImageButton* m_edit = nullptr;
    CImageButton* m_delete = nullptr;
    CImageButton* m_refresh = nullptr;
    CImageButton* m_builder = nullptr;
    CImageButton* m_wizard = nullptr;
    QMenu* m_shortcutMenu = nullptr;
    QMenu* m_categoryMenu = nullptr;
    QMenu* m_queuedMenu = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QAction* m_autoQueueAction = nullptr;
};

} // namespace skyloom
