#include "CPPDLGShortcuts.h"

#include "ShortcutItemDelegate.h"
#include "ShortcutListModel.h"
#include "ShortcutsPageHost.h"
#include "library/CCategoriesTable.h"
#include "library/CShortcutsTable.h"
#include "library/LibraryQueries.h"
#include "library/MessageReporter.h"
#include "library/SqlText.h"
#include "library/TextHelpers.h"
#include "platform/FolderOpener.h"
#include "settings/CAppSettings.h"
#include "ui/tools/CDLGCategories.h"
#include "ui/tools/CDLGFindShortcut.h"
#include "ui/tools/CDLGShortcut.h"
#include "ui/tools/CDLGShortcutBuilder.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QVBoxLayout>

#include <algorithm>

namespace skyloom {
namespace {

// The host of a page that has none (tests of the page alone): asks nothing of anyone.
class NoHost final : public IShortcutsPageHost {
public:
    void SetStatus(const QString&) override {}
    void EnableCommandButtons(bool) override {}
    void ShowProgress(int, int) override {}
    void UpdateStatusText() override {}
    void MarkQueueChanged() override {}
    void StartQueueBuild() override {}
    void RunAutoQueue() override {}
    void RefreshPhotoInformation(int) override {}
    void CategoriesChanged() override {}
    void RunQuickStart() override {}
};

IShortcutsPageHost& Or(IShortcutsPageHost* host) {
    static NoHost none;
    return host ? *host : none;
}

// Local folders among dropped URLs, exactly as dropped (no trimming, no expansion).
QStringList LocalPaths(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

BackgroundCount::Request RequestOf(const ShortcutRecord& r) {
    return {r.folder, r.jpg != 0, r.bmp != 0, r.png != 0, r.tiff != 0, r.recursive != 0};
}

} // namespace

CPPDLGShortcuts::CPPDLGShortcuts(CAppSettings* settings, QWidget* parent)
    : SettingsPage(QStringLiteral("Photo Folder Shortcuts"), settings, parent),
      m_shortcutModel(new ShortcutListModel(this)), m_queuedModel(new ShortcutListModel(this)),
      m_count(new BackgroundCount(this)) {
    setObjectName(QStringLiteral("shortcutsPage"));
    setAcceptDrops(true);
    BuildLayout();
    BuildMenus();
    connect(m_count, &BackgroundCount::progress, this,
            [this](int done, int total) { Or(m_host).ShowProgress(done, total); });
    UpdateControls();
}

CPPDLGShortcuts::~CPPDLGShortcuts() {
    m_count->Cancel();
    if (m_counting)
        QApplication::restoreOverrideCursor();
}

QString CPPDLGShortcuts::DatabasePath() const {
    return Settings()->GetDatabasePath();
}

// ---- layout ----

CImageButton* CPPDLGShortcuts::AddButton(const char* name, const QString& picture,
                                         const QString& tooltip) {
    auto* button = new CImageButton(this);
    button->setObjectName(QLatin1String(name));
    button->SetPictures(Artwork::ButtonPicture(picture));
    button->SetTooltip(tooltip);
    button->setAccessibleName(tooltip);
    button->setFixedSize(28, 28);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

void CPPDLGShortcuts::BuildLayout() {
    m_tools = AddButton("toolsButton", "tools", "Shortcut Tools");
    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("categoryCombo"));
    m_category->setAccessibleName(QStringLiteral("Category"));
    m_manageCategories = AddButton("manageCategoriesButton", "categories", "Manage Categories");
    m_find = AddButton("findButton", "find", "Find Shortcut");

    const auto makeList = [this](const char* name, const QString& accessible,
                                 ShortcutListModel* model) {
        auto* view = new QListView(this);
        view->setObjectName(QLatin1String(name));
        view->setAccessibleName(accessible);
        view->setModel(model);
        view->setItemDelegate(new ShortcutItemDelegate(view));
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setUniformItemSizes(true);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->setMinimumWidth(150);
        return view;
    };
    m_shortcutList =
        makeList("shortcutList", QStringLiteral("Photo Folder Shortcuts"), m_shortcutModel);
    m_queuedList = makeList("queuedList", QStringLiteral("Queued Shortcuts"), m_queuedModel);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("queueSummary"));
    m_summary->setAccessibleName(QStringLiteral("Queue Summary"));

    m_add = AddButton("addButton", "next", "Add to Queued Shortcuts");
    m_remove = AddButton("removeButton", "previous", "Remove from Queued Shortcuts");
    m_addAll = AddButton("addAllButton", "last", "Add All to Queued Shortcuts");
    m_clear = AddButton("clearButton", "first", "Clear Queued Shortcuts");
    m_new = AddButton("newButton", "new", "Create New Shortcut");
    m_edit = AddButton("editButton", "edit", "Edit Selected Shortcut");
    m_delete = AddButton("deleteButton", "delete", "Delete Selected Shortcut");
    m_refresh = AddButton("refreshButton", "refresh", "Refresh Photo Information");
    m_builder = AddButton("builderButton", "builder", "Use Shortcut Builder");
    m_wizard = AddButton("wizardButton", "wizard", "QuickStart Wizard");

    auto* top = new QHBoxLayout;
    top->addWidget(m_tools);
    top->addWidget(m_category, 1);
    top->addWidget(m_manageCategories);
    top->addWidget(m_find);
    auto* tools = new QHBoxLayout;
    for (CImageButton* b : {m_new, m_edit, m_delete, m_refresh, m_builder, m_wizard})
        tools->addWidget(b);
    tools->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(m_shortcutList, 1);
    left->addLayout(tools);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (CImageButton* b : {m_add, m_remove})
        middle->addWidget(b);
    middle->addSpacing(12);
    for (CImageButton* b : {m_addAll, m_clear})
        middle->addWidget(b);
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_summary);
    right->addWidget(m_queuedList, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 1);
    layout->addLayout(middle);
    layout->addLayout(right, 1);
    // Top to bottom, left to right.
    QWidget* order[] = {m_tools,     m_category, m_manageCategories, m_find,    m_shortcutList,
                        m_new,       m_edit,     m_delete,           m_refresh, m_builder,
                        m_wizard,    m_add,      m_remove,           m_addAll,  m_clear,
                        m_queuedList};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_category, &QComboBox::activated, this, [this] { OnCategoryChanged(); });
    connect(m_shortcutList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { OnShortcutSelChange(); });
    connect(m_queuedList->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!IsBusy())
            UpdateControls();
    });
    connect(m_shortcutList, &QListView::doubleClicked, this, [this] { AddToQueue(); });
    // Enter does what a double-click does.
    m_shortcutList->installEventFilter(this);
    m_queuedList->installEventFilter(this);
    connect(m_queuedList, &QListView::doubleClicked, this, [this] { RemoveFromQueue(); });
    connect(m_add, &QAbstractButton::clicked, this, &CPPDLGShortcuts::AddToQueue);
    connect(m_remove, &QAbstractButton::clicked, this, &CPPDLGShortcuts::RemoveFromQueue);
    connect(m_addAll, &QAbstractButton::clicked, this, &CPPDLGShortcuts::AddAllToQueue);
    connect(m_clear, &QAbstractButton::clicked, this, &CPPDLGShortcuts::ClearQueue);
    connect(m_new, &QAbstractButton::clicked, this, &CPPDLGShortcuts::NewShortcut);
    connect(m_edit, &QAbstractButton::clicked, this, [this] { EditShortcut(List::Shortcuts); });
    connect(m_delete, &QAbstractButton::clicked, this, [this] { DeleteShortcut(List::Shortcuts); });
    connect(m_refresh, &QAbstractButton::clicked, this, &CPPDLGShortcuts::RefreshPhotoInformation);
    connect(m_manageCategories, &QAbstractButton::clicked, this,
            &CPPDLGShortcuts::ManageCategories);
    connect(m_builder, &QAbstractButton::clicked, this, &CPPDLGShortcuts::ShortcutBuilder);
    connect(m_wizard, &QAbstractButton::clicked, this, [this] { Or(m_host).RunQuickStart(); });
    connect(m_find, &QAbstractButton::clicked, this, &CPPDLGShortcuts::FindShortcut);
    connect(m_tools, &QAbstractButton::clicked, this, [this] {
        m_autoQueueAction->setEnabled(Settings()->m_bAutoQueue != 0);
        m_toolsMenu->popup(m_tools->mapToGlobal(QPoint(0, m_tools->height())));
    });
    connect(m_shortcutList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowMenu(m_shortcutMenu, List::Shortcuts, at); });
    connect(m_queuedList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowMenu(m_queuedMenu, List::Queued, at); });
}

void CPPDLGShortcuts::BuildMenus() {
    const auto add = [](QMenu* menu, const char* text, const char* name, auto handler) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QLatin1String(name));
        QObject::connect(action, &QAction::triggered, menu, handler);
        return action;
    };
    m_shortcutMenu = new QMenu(this);
    m_shortcutMenu->setObjectName(QStringLiteral("shortcutMenu"));
    add(m_shortcutMenu, "Edit Shortcut", "editShortcutAction",
        [this] { EditShortcut(List::Shortcuts); });
    add(m_shortcutMenu, "Delete Shortcut", "deleteShortcutAction",
        [this] { DeleteShortcut(List::Shortcuts); });
    m_shortcutMenu->addSeparator();
    m_categoryMenu = m_shortcutMenu->addMenu(QStringLiteral("Category"));
    m_categoryMenu->setObjectName(QStringLiteral("categoryMenu"));
    m_shortcutMenu->addSeparator();
    add(m_shortcutMenu, "Refresh Photo Count", "recountShortcutAction",
        [this] { RecountShortcut(List::Shortcuts); });
    m_shortcutMenu->addSeparator();
    add(m_shortcutMenu, "Open Container Folder", "openFolderAction",
        [this] { OpenContainerFolder(List::Shortcuts); });

    m_queuedMenu = new QMenu(this);
    m_queuedMenu->setObjectName(QStringLiteral("queuedMenu"));
    add(m_queuedMenu, "Edit Shortcut", "editQueuedAction", [this] { EditShortcut(List::Queued); });
    add(m_queuedMenu, "Delete Shortcut", "deleteQueuedAction",
        [this] { DeleteShortcut(List::Queued); });
    m_queuedMenu->addSeparator();
    add(m_queuedMenu, "Refresh Photo Count", "recountQueuedAction",
        [this] { RecountShortcut(List::Queued); });
    m_queuedMenu->addSeparator();
    add(m_queuedMenu, "Open Container Folder", "openQueuedFolderAction",
        [this] { OpenContainerFolder(List::Queued); });

    m_toolsMenu = new QMenu(this);
    m_toolsMenu->setObjectName(QStringLiteral("toolsMenu"));
    add(m_toolsMenu, "New Shortcut", "newToolAction", [this] { NewShortcut(); });
    add(m_toolsMenu, "Edit Shortcut", "editToolAction", [this] { EditShortcut(List::Shortcuts); });
    add(m_toolsMenu, "Delete Shortcut", "deleteToolAction",
        [this] { DeleteShortcut(List::Shortcuts); });
    m_toolsMenu->addSeparator();
    add(m_toolsMenu, "Refresh Photo Information", "refreshToolAction",
        [this] { RefreshPhotoInformation(); });
    m_toolsMenu->addSeparator();
    add(m_toolsMenu, "Shortcut Builder", "builderToolAction", [this] { ShortcutBuilder(); });
    add(m_toolsMenu, "QuickStart Wizard", "wizardToolAction",
        [this] { Or(m_host).RunQuickStart(); });
    m_toolsMenu->addSeparator();
    m_autoQueueAction =
        add(m_toolsMenu, "AutoQueue", "autoQueueToolAction", [this] { AutoQueue(); });
    m_toolsMenu->addSeparator();
    add(m_toolsMenu, "Category Statistics", "statisticsToolAction",
        [this] { CategoryStatistics(); });
}

void CPPDLGShortcuts::ShowMenu(QMenu* menu, List list, const QPoint& at) {
    QListView* view = View(list);
    const QModelIndex index = view->indexAt(at);
    if (!index.isValid())
        return; // a click outside every item
    SelectRow(list, index.row());
    if (list == List::Shortcuts)
        FillCategoryMenu();
    menu->popup(view->viewport()->mapToGlobal(view->visualRect(index).bottomLeft()));
}

void CPPDLGShortcuts::FillCategoryMenu() {
    m_categoryMenu->clear();
    const int shown = ShownCategory();
    for (const CategoryRecord& category : LoadCategories(DatabasePath())) {
        QString text = category.name;
        text.replace(u'&', QStringLiteral("&&")); // not a mnemonic
        QAction* action = m_categoryMenu->addAction(text);
        action->setData(category.id);
        action->setCheckable(true);
        action->setChecked(shown != -1 ? category.id == shown : category.id == m_current.catId);
        connect(action, &QAction::triggered, this,
                [this, id = category.id] { MoveToCategory(id); });
    }
}

void CPPDLGShortcuts::ShowToolTips() {
    const bool show = Settings()->m_bShowTooltips != 0;
    for (CImageButton* b : findChildren<CImageButton*>())
        b->SetTooltip(b->accessibleName(), show);
}

// ---- filling ----

void CPPDLGShortcuts::Initialize() {
    m_initialized = false;
    FillQueuedList();
    SelectRow(List::Queued, 0);
    FillCategoryCombo();
    if (!CategoryExists(DatabasePath(), Settings()->m_nShortcutsCategoryId) ||
        !SelectCategory(Settings()->m_nShortcutsCategoryId))
        SelectCategory(-1);
    OnCategoryChanged();
    ShowToolTips();
    UpdateControls();
    m_initialized = true;
    m_shortcutList->setFocus();
}

void CPPDLGShortcuts::Activate() {
    ShowToolTips();
    if (std::exchange(m_categoriesChanged, false)) {
        // The same category again, wherever the refill put it; "All" when it is gone.
        const int shown = ShownCategory();
        FillCategoryCombo();
        if (!SelectCategory(shown)) {
            SelectCategory(-1);
            OnCategoryChanged();
        }
    }
    if (std::exchange(m_refreshPending, false))
        ReloadLists(); // the new photo counts
}

void CPPDLGShortcuts::PhotoRefreshFinished(int) {
    // Either list may hold shortcuts of the category refreshed: both are read again.
    m_refreshPending = true;
    // The page shown in its window, even while the window waits in the tray.
    if (window() != this && isVisibleTo(window()))
        Activate();
}

void CPPDLGShortcuts::FillCategoryCombo() {
    m_category->clear();
    m_category->addItem(QStringLiteral("All"), -1);
    for (const CategoryRecord& category : LoadCategories(DatabasePath()))
        m_category->addItem(category.name, category.id);
}

bool CPPDLGShortcuts::SelectCategory(int categoryId) {
    const int index = m_category->findData(categoryId);
    if (index < 0)
        return false;
    m_category->setCurrentIndex(index);
    return true;
}

int CPPDLGShortcuts::ShownCategory() const {
    return m_category->currentIndex() < 0 ? -1 : m_category->currentData().toInt();
}

void CPPDLGShortcuts::FillShortcutList(int categoryId) {
    // A queued shortcut is never listed on the left, whatever its name says now.
    std::vector<int> queued;
    for (const ShortcutRecord& r : m_queuedModel->Records())
        queued.push_back(r.id);
    std::sort(queued.begin(), queued.end());
    std::vector<ShortcutRecord> records = LoadShortcuts(DatabasePath(), categoryId);
    std::erase_if(records, [&queued](const ShortcutRecord& r) {
        return std::binary_search(queued.begin(), queued.end(), r.id);
    });
    m_shortcutModel->SetRecords(std::move(records));
}

void CPPDLGShortcuts::FillQueuedList(bool sync) {
    std::vector<ShortcutRecord> all = LoadShortcuts(DatabasePath(), -1);
    std::vector<int> queue = Settings()->m_arrQueue; // sorted here: a stored file may not be
    std::sort(queue.begin(), queue.end());
    std::erase_if(all, [&queue](const ShortcutRecord& r) {
        return !std::binary_search(queue.begin(), queue.end(), r.id);
    });
    m_queuedModel->SetRecords(std::move(all));
    if (sync)
        SyncQueue(false); // drops the ids of shortcuts that are gone
    UpdateControls();
}

void CPPDLGShortcuts::ReloadLists() {
    const int leftId = SelectedId(List::Shortcuts), leftRow = SelectedRow(List::Shortcuts);
    const int rightId = SelectedId(List::Queued), rightRow = SelectedRow(List::Queued);
    FillQueuedList(false);
    FillShortcutList(ShownCategory());
    if (!SelectId(List::Shortcuts, leftId) && leftRow >= 0)
        SelectRow(List::Shortcuts, std::max(0, std::min(leftRow, m_shortcutModel->Count()) - 1));
    if (!SelectId(List::Queued, rightId) && rightRow >= 0)
        SelectRow(List::Queued, std::max(0, std::min(rightRow, m_queuedModel->Count()) - 1));
    OnShortcutSelChange();
}

void CPPDLGShortcuts::SyncQueue(bool markApply) {
    std::vector<int> ids;
    ids.reserve(std::size_t(m_queuedModel->Count()));
    for (const ShortcutRecord& r : m_queuedModel->Records())
        ids.push_back(r.id);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    Settings()->m_arrQueue = std::move(ids);
    if (markApply && m_initialized)
        Or(m_host).MarkQueueChanged();
}

void CPPDLGShortcuts::OnCategoryChanged() {
    const int shown = ShownCategory();
    FillShortcutList(shown);
    const int row = m_shortcutModel->RowOfId(m_current.id);
    SelectRow(List::Shortcuts, row >= 0 ? row : 0);
    OnShortcutSelChange();
    Settings()->m_nShortcutsCategoryId = shown;
    Settings()->Save();
    UpdateControls();
}

void CPPDLGShortcuts::OnShortcutSelChange() {
    if (const std::optional<ShortcutRecord> record =
            LoadShortcut(DatabasePath(), SelectedId(List::Shortcuts)))
        m_current = *record;
    UpdateControls();
}

void CPPDLGShortcuts::SetBusy(bool busy) {
    if (m_busy == busy)
        return;
    m_busy = busy;
    UpdateControls();
}

void CPPDLGShortcuts::UpdateControls() {
    const bool busy = IsBusy();
    m_category->setEnabled(!busy);
    m_shortcutList->setEnabled(!busy);
    m_queuedList->setEnabled(!busy);
    const bool anyQueued = m_queuedModel->Count() > 0;
    const bool anyListed = m_shortcutModel->Count() > 0;
    for (CImageButton* b : {m_new, m_manageCategories, m_builder, m_wizard})
        b->setEnabled(!busy);
    m_find->setEnabled(!busy);
    for (CImageButton* b : {m_remove, m_clear})
        b->setEnabled(!busy && anyQueued);
    for (CImageButton* b : {m_add, m_addAll, m_edit, m_delete, m_refresh, m_tools})
        b->setEnabled(!busy && anyListed);
    if (busy)
        return;
    QString summary;
    if (anyQueued) {
        qint64 photos = 0;
        for (const ShortcutRecord& r : m_queuedModel->Records())
            photos += std::max(0, r.numPhotos);
        summary =
            QStringLiteral("%1 in %2")
                .arg(FormatCount(QStringLiteral("Photo"), int(std::min<qint64>(photos, INT_MAX))),
                     FormatCount(QStringLiteral("Shortcut"), m_queuedModel->Count()));
    }
    m_summary->setText(summary);
}

// ---- selection ----

QListView* CPPDLGShortcuts::View(List list) const {
    return list == List::Shortcuts ? m_shortcutList : m_queuedList;
}

ShortcutListModel* CPPDLGShortcuts::Model(List list) const {
    return list == List::Shortcuts ? m_shortcutModel : m_queuedModel;
}

int CPPDLGShortcuts::SelectedRow(List list) const {
    const QModelIndexList rows = View(list)->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int CPPDLGShortcuts::SelectedId(List list) const {
    const int row = SelectedRow(list);
    return row < 0 ? -1 : Model(list)->At(row).id;
}

void CPPDLGShortcuts::SelectRow(List list, int row, bool toTop) {
    QListView* view = View(list);
    if (row < 0 || row >= Model(list)->Count()) {
        view->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = Model(list)->index(row);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(index,
                   toTop ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
}

bool CPPDLGShortcuts::SelectId(List list, int id, bool toTop) {
    const int row = Model(list)->RowOfId(id);
    if (row < 0)
        return false;
    SelectRow(list, row, toTop);
    return true;
}

void CPPDLGShortcuts::SelectNeighbour(List list, int removedRow) {
    const int count = Model(list)->Count();
    SelectRow(list, removedRow < count ? removedRow : count - 1);
}

// ---- the queue ----

void CPPDLGShortcuts::AddToQueue() {
    const int row = SelectedRow(List::Shortcuts);
    if (IsBusy() || row < 0)
        return;
    const ShortcutRecord record = m_shortcutModel->At(row);
    m_queuedModel->Add(record);
    SelectId(List::Queued, record.id, true);
    m_shortcutModel->RemoveRow(row);
    SelectNeighbour(List::Shortcuts, row);
    SyncQueue(true);
    UpdateControls();
}

void CPPDLGShortcuts::RemoveFromQueue() {
    const int row = SelectedRow(List::Queued);
    if (IsBusy() || row < 0)
        return;
    const ShortcutRecord record = m_queuedModel->At(row);
    const int shown = ShownCategory();
    const std::optional<ShortcutRecord> stored = LoadShortcut(DatabasePath(), record.id);
    m_queuedModel->RemoveRow(row);
    if (stored && (shown == -1 || shown == stored->catId)) {
        m_shortcutModel->Add(*stored);
        SelectId(List::Shortcuts, stored->id, true);
    }
    SelectNeighbour(List::Queued, row);
    SyncQueue(true);
    UpdateControls();
}

void CPPDLGShortcuts::AddAllToQueue() {
    if (IsBusy())
        return;
    const int queuedRow = SelectedRow(List::Queued);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Or(m_host).SetStatus(QStringLiteral("Adding to Selected Shortcuts..."));
    std::vector<ShortcutRecord> queued = m_queuedModel->Records();
    queued.insert(queued.end(), m_shortcutModel->Records().begin(),
                  m_shortcutModel->Records().end());
    m_queuedModel->SetRecords(std::move(queued));
    m_shortcutModel->Clear();
    SelectRow(List::Queued, std::max(queuedRow, 0), true);
    OnShortcutSelChange();
    SyncQueue(true);
    Or(m_host).UpdateStatusText();
    UpdateControls();
    QApplication::restoreOverrideCursor();
}

void CPPDLGShortcuts::ClearQueue() {
    if (IsBusy())
        return;
    const int row = SelectedRow(List::Shortcuts);
    Or(m_host).SetStatus(QStringLiteral("Removing from Selected Shortcuts..."));
    m_queuedModel->Clear();
    // The shown category's shortcuts come back: now every one of them is unqueued.
    FillShortcutList(ShownCategory());
    Or(m_host).UpdateStatusText();
    m_shortcutList->setFocus();
    SelectRow(List::Shortcuts, std::max(row, 0), true);
    OnShortcutSelChange();
    SyncQueue(true);
    UpdateControls();
}

void CPPDLGShortcuts::ShowAutoQueued() {
    FillQueuedList(false);
    SelectRow(List::Queued, 0);
    const int id = SelectedId(List::Shortcuts);
    const int row = SelectedRow(List::Shortcuts);
    FillShortcutList(ShownCategory());
    if (!SelectId(List::Shortcuts, id))
        SelectRow(List::Shortcuts, std::min(row, m_shortcutModel->Count() - 1));
    UpdateControls();
}

void CPPDLGShortcuts::AutoQueue() {
    Or(m_host).RunAutoQueue(); // which shows the new queue here
}

// ---- counting ----

void CPPDLGShortcuts::Count(std::vector<BackgroundCount::Request> requests,
                            std::function<void(std::vector<int>)> done) {
    if (m_counting)
        return; // one count at a time; the page is locked meanwhile anyway
    m_counting = true;
    UpdateControls();
    Or(m_host).EnableCommandButtons(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_count->Start(std::move(requests), [this, done = std::move(done)](std::vector<int> counts) {
        QApplication::restoreOverrideCursor();
        m_counting = false;
        Or(m_host).ShowProgress(0, 0);
        done(std::move(counts));
        Or(m_host).EnableCommandButtons(true);
        Or(m_host).UpdateStatusText();
        UpdateControls();
        emit countFinished();
    });
}

// ---- shortcut commands ----

bool CPPDLGShortcuts::ConfirmDelete(const QString& text) {
    CAppSettings& settings = *Settings();
    if (!settings.m_bConfirmDelete)
        return true;
    const int answer =
        ExtMessageBox(QLatin1String(kApplicationTitle), this, text,
                      MessageStyle::YesNo | MessageStyle::IconQuestion |
                          MessageStyle::DontAskAgain | MessageStyle::NoResourceLookup);
    if (answer & MessageStyle::DontAskAgain) {
        settings.m_bConfirmDelete = 0;
        settings.Save();
    }
    return (answer & MessageResult::ButtonMask) == MessageResult::Yes;
}

std::optional<ShortcutRecord> CPPDLGShortcuts::SelectedShortcut(List list) const {
    const int id = SelectedId(list);
    if (IsBusy() || id < 0)
        return std::nullopt;
    return LoadShortcut(DatabasePath(), id);
}

void CPPDLGShortcuts::NewShortcut() {
    if (IsBusy())
        return;
    CDLGShortcut dialog(Settings(), CDLGShortcut::Mode::New, this);
    // The window may have become busy while the dialog was open.
    if (dialog.exec() != QDialog::Accepted || IsBusy())
        return;
    ShortcutRecord record = dialog.Record();
    const bool categoriesChanged = dialog.CategoriesChanged();
    Or(m_host).SetStatus(QStringLiteral("Calculating Number of Photos in Folder..."));
    Count({RequestOf(record)}, [this, record, categoriesChanged](std::vector<int> counts) mutable {
        record.numPhotos = counts.front();
        CShortcutsTable table(DatabasePath());
        if (!table.Open() || table.Insert(record) != 1)
            return;
        const int id = ShortcutIdByName(DatabasePath(), record.name);
        table.Close();
        const int shown = ShownCategory();
        if (categoriesChanged) {
            FillCategoryCombo();
            SelectCategory(shown);
        }
        if (shown == -1 || shown == record.catId) {
            FillShortcutList(shown);
        } else {
            SelectCategory(record.catId);
            OnCategoryChanged();
        }
        SelectId(List::Shortcuts, id);
        OnShortcutSelChange();
    });
}

void CPPDLGShortcuts::EditShortcut(List list) {
    const std::optional<ShortcutRecord> stored = SelectedShortcut(list);
    if (!stored)
        return;
    const int id = stored->id;
    CDLGShortcut dialog(Settings(), CDLGShortcut::Mode::Edit, this);
    dialog.SetRecord(*stored);
    if (dialog.exec() != QDialog::Accepted || IsBusy())
        return;
    ShortcutRecord record = dialog.Record();
    record.id = id;
    const bool categoriesChanged = dialog.CategoriesChanged();
    Or(m_host).SetStatus(QStringLiteral("Calculating Number of Photos in Folder..."));
    Count({RequestOf(record)},
          [this, list, record, categoriesChanged](std::vector<int> counts) mutable {
              record.numPhotos = counts.front();
              CShortcutsTable table(DatabasePath());
              if (table.Open())
                  table.Update(record);
              table.Close();
              if (categoriesChanged && list == List::Shortcuts) {
                  const int shown = ShownCategory();
                  FillCategoryCombo();
                  if (!SelectCategory(shown))
                      SelectCategory(-1);
              }
              // Both lists show the stored names and counts again, their selections kept.
              ReloadLists();
          });
}

void CPPDLGShortcuts::DeleteShortcut(List list) {
    const std::optional<ShortcutRecord> stored = SelectedShortcut(list);
    if (!stored)
        return;
    const int id = stored->id;
    if (!ConfirmDelete(
            QStringLiteral("Delete the Shortcut %1?\n\nNOTE: Photos are **NOT** deleted.")
                .arg(stored->name)) ||
        IsBusy())
        return;
    CShortcutsTable table(DatabasePath());
    if (!table.Open() || table.Delete(id) != 1)
        return;
    table.Close();
    // By id: the lists may have been read again while the question was open.
    const int row = Model(list)->RowOfId(id);
    Model(list)->RemoveRow(row);
    SelectNeighbour(list, row);
    OnShortcutSelChange();
    UpdateControls();
    if (list == List::Queued) {
        // The photo queue loses the shortcut's photos at once.
        SyncQueue(false);
        Settings()->Save();
        Or(m_host).StartQueueBuild();
    }
}

void CPPDLGShortcuts::RecountShortcut(List list) {
    const std::optional<ShortcutRecord> stored = SelectedShortcut(list);
    if (!stored)
        return;
    const int id = stored->id;
    Count({RequestOf(*stored)}, [this, id](std::vector<int> counts) {
        CShortcutsTable table(DatabasePath());
        if (table.Open())
            table.UpdatePhotoCount(id, counts.front());
        table.Close();
        ReloadLists();
    });
}

void CPPDLGShortcuts::OpenContainerFolder(List list) {
    if (IsBusy())
        return;
    std::optional<ShortcutRecord> record = m_current;
    if (list == List::Queued)
        record = LoadShortcut(DatabasePath(), SelectedId(List::Queued));
    if (record && !record->folder.isEmpty())
        platform::OpenFolder(record->folder);
}

void CPPDLGShortcuts::MoveToCategory(int categoryId) {
    if (IsBusy())
        return;
    std::optional<ShortcutRecord> record = LoadShortcut(DatabasePath(), m_current.id);
    if (!record)
        return;
    record->catId = categoryId;
    CShortcutsTable table(DatabasePath());
    if (!table.Open() || table.Update(*record) != 1)
        return;
    table.Close();
    m_current = *record;
    const int shown = ShownCategory();
    if (shown != -1 && categoryId != shown) {
        const int row = m_shortcutModel->RowOfId(record->id);
        m_shortcutModel->RemoveRow(row);
        SelectRow(List::Shortcuts, std::max(0, row - 1));
        OnShortcutSelChange();
    }
}

void CPPDLGShortcuts::ShortcutBuilder() {
    if (IsBusy())
        return;
    const int shortcut = SelectedId(List::Shortcuts);
    const int queued = SelectedId(List::Queued);
    CDLGShortcutBuilder dialog(Settings(), this);
    dialog.exec();
    if (dialog.CategoriesChanged()) {
        const int shown = ShownCategory();
        FillCategoryCombo();
        if (!SelectCategory(shown))
            SelectCategory(-1);
        Or(m_host).CategoriesChanged();
    }
    if (dialog.ShortcutsCreated() || dialog.CategoriesChanged())
        OnCategoryChanged();
    SelectId(List::Shortcuts, shortcut);
    SelectId(List::Queued, queued);
    OnShortcutSelChange();
}

void CPPDLGShortcuts::FindShortcut() {
    if (IsBusy())
        return;
    CDLGFindShortcut dialog(Settings(), this);
    // The window may have become busy while the dialog was open.
    if (dialog.exec() != QDialog::Accepted || IsBusy())
        return;
    ShowShortcut(dialog.ChosenId());
}

void CPPDLGShortcuts::ShowShortcut(int id) {
    const std::optional<ShortcutRecord> record = LoadShortcut(DatabasePath(), id);
    if (!record)
        return;
    if (ShownCategory() != record->catId) {
        if (!SelectCategory(record->catId))
            SelectCategory(-1);
        OnCategoryChanged();
    }
    if (SelectId(List::Shortcuts, id)) {
        OnShortcutSelChange();
        m_shortcutList->setFocus();
    } else if (SelectId(List::Queued, id, true)) {
        m_queuedList->setFocus(); // queued shortcuts are not in the left list
    }
}

void CPPDLGShortcuts::ShowWizardResult(int categoryId, bool categoriesChanged) {
    if (categoriesChanged)
        FillCategoryCombo();
    if (!SelectCategory(categoryId))
        SelectCategory(-1);
    OnCategoryChanged();
    SelectRow(List::Shortcuts, 0);
    OnShortcutSelChange();
}

void CPPDLGShortcuts::ManageCategories() {
    if (IsBusy())
        return;
    const int shown = ShownCategory();
    const int selected = SelectedId(List::Shortcuts);
    CDLGCategories dialog(Settings(), this);
    dialog.exec();
    if (!dialog.Changed())
        return;
    FillCategoryCombo();
    if (!SelectCategory(shown))
        SelectCategory(-1);
    // A deleted category's shortcuts moved: the lists are read again in any case.
    OnCategoryChanged();
    if (!SelectId(List::Shortcuts, selected))
        SelectRow(List::Shortcuts, 0);
    ReloadLists();
    Or(m_host).CategoriesChanged();
}

void CPPDLGShortcuts::RefreshPhotoInformation() {
    if (IsBusy())
        return;
    Or(m_host).RefreshPhotoInformation(ShownCategory());
}

void CPPDLGShortcuts::CategoryStatistics() {
    const int shown = ShownCategory();
    CShortcutsTable table(DatabasePath());
    if (!table.Open())
        return;
    const auto where = [shown](const char* select) {
        return shown == -1 ? SqlText("%s;", select) : SqlText("%s WHERE CatId=%d;", select, shown);
    };
    const int photos = table.Count(where("SELECT TOTAL(NumPhotos) FROM Shortcuts"));
    const int shortcuts = table.Count(where("SELECT COUNT(*) FROM Shortcuts"));
    const int allPhotos = table.Count("SELECT TOTAL(NumPhotos) FROM Shortcuts;");
    const int allShortcuts = table.Count("SELECT COUNT(*) FROM Shortcuts;");
    table.Close();
    QString text =
        QStringLiteral("Statistics for the Category:\t\"%1\"\n\n     Shortcuts:\t%2\n"
                       "     Photos:\t%3")
            .arg(m_category->currentText(), FormatNumber(shortcuts), FormatNumber(photos));
    if (shown != -1)
        text += QStringLiteral("\n\nGeneral Statistics:\n\n     Shortcuts:\t%1\n     Photos:\t%2")
                    .arg(FormatNumber(allShortcuts), FormatNumber(allPhotos));
    ExtMessageBox(QStringLiteral("Skyloom - Category Statistics"), this, text,
                  MessageStyle::Ok | MessageStyle::IconInformation);
}

bool CPPDLGShortcuts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == m_shortcutList || watched == m_queuedList)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_shortcutList)
                AddToQueue();
            else
                RemoveFromQueue();
            return true;
        }
    }
    return SettingsPage::eventFilter(watched, event);
}

// ---- dropped folders ----

void CPPDLGShortcuts::dragEnterEvent(QDragEnterEvent* event) {
    if (!IsBusy() && !LocalPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CPPDLGShortcuts::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalPaths(event->mimeData());
    if (IsBusy() || paths.isEmpty())
        return;
    event->acceptProposedAction();
    AddDroppedFolders(paths);
}

void CPPDLGShortcuts::AddDroppedFolders(const QStringList& paths) {
    if (IsBusy())
        return;
    const CAppSettings& settings = *Settings();
    const int shown = ShownCategory();
    int category = shown == -1 ? settings.m_nDefaultCategoryId : shown;
    // Never into a category that is gone (or none): Miscellaneous takes them then.
    if (!CategoryExists(DatabasePath(), category))
        category = FindCategoryId(DatabasePath(), QLatin1String(CCategoriesTable::kFallbackName));
    std::vector<ShortcutRecord> candidates;
    QStringList names; // of this drop, so that two folders of one name make one shortcut
    for (const QString& path : paths) {
        // Only existing folders, taken exactly as dropped: a name may hold "$" or spaces.
        if (!QFileInfo(path).isDir())
            continue;
        const QString name = AutoCorrectName(QDir(path).dirName()).trimmed();
        if (name.isEmpty())
            continue;
        if (names.contains(name) || ShortcutIdByName(DatabasePath(), name) >= 0) {
            const auto at = std::upper_bound(
                m_skipped.begin(), m_skipped.end(), name, [](const QString& a, const QString& b) {
                    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
                });
            m_skipped.insert(at, name);
            continue;
        }
        names << name;
        ShortcutRecord record;
        record.catId = category;
        record.name = name;
        record.folder = path.endsWith(u'/') ? path : path + u'/';
        record.jpg = settings.m_bDefaultJpeg;
        record.bmp = settings.m_bDefaultBmp;
        record.png = settings.m_bDefaultPng;
        record.tiff = settings.m_bDefaultTiff;
        record.recursive = settings.m_bDefaultRecursive;
        candidates.push_back(record);
    }
    if (candidates.empty()) {
        ReportSkippedFolders(); // nothing made, but the user learns why
        return;
    }
    std::vector<BackgroundCount::Request> requests;
    for (const ShortcutRecord& r : candidates)
        requests.push_back(RequestOf(r));
    Or(m_host).SetStatus(QStringLiteral("Calculating Number of Photos in Folder..."));
    Count(std::move(requests),
          [this, shown, category, candidates](std::vector<int> counts) mutable {
              CShortcutsTable table(DatabasePath());
              int created = 0;
              QString last;
              if (table.Open())
                  for (std::size_t i = 0; i < candidates.size(); ++i) {
                      candidates[i].numPhotos = counts[i];
                      if (table.Insert(candidates[i]) == 1) {
                          ++created;
                          last = candidates[i].name;
                      }
                  }
              table.Close();
              if (shown == category) {
                  FillShortcutList(shown);
              } else {
                  SelectCategory(category);
                  OnCategoryChanged();
              }
              SelectId(List::Shortcuts, ShortcutIdByName(DatabasePath(), last));
              OnShortcutSelChange();
              ReportSkippedFolders();
          });
}

void CPPDLGShortcuts::ReportSkippedFolders() {
    if (m_skipped.isEmpty())
        return;
    ExtMessageBox(QStringLiteral("Skyloom"), this,
                  QStringLiteral("%1 folder where skipped because they already exist as a Photo "
                                 "Folder Shortcut.")
                      .arg(FormatNumber(int(m_skipped.size()))),
                  MessageStyle::Ok | MessageStyle::IconInformation);
    m_skipped.clear();
}

} // namespace skyloom
