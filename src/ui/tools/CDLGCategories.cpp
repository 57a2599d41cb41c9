#include "CDLGCategories.h"

#include "CDLGCategoryName.h"
#include "library/CCategoriesTable.h"
#include "library/LibraryQueries.h"
#include "settings/CAppSettings.h"
#include "ui/widgets/HelpLinks.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace skyloom {

CDLGCategories::CDLGCategories(CAppSettings* settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setObjectName(QStringLiteral("categoriesDialog"));
    setWindowTitle(QStringLiteral("Skyloom Categories"));
    setAccessibleName(windowTitle());
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("categoryList"));
    m_list->setAccessibleName(QStringLiteral("Categories"));
    m_list->setSortingEnabled(true);
    const auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QString(text).remove(u'&'));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* add = button(QStringLiteral("&New"), "newButton");
    add->setDefault(true);
    m_edit = button(QStringLiteral("&Edit"), "editButton");
    m_delete = button(QStringLiteral("&Delete"), "deleteButton");
    QPushButton* help = button(QStringLiteral("&Help"), "helpButton");
    QPushButton* close = button(QStringLiteral("&Close"), "closeButton");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, m_edit, m_delete, help, close})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CDLGCategories::NewCategory);
    connect(m_edit, &QPushButton::clicked, this, &CDLGCategories::EditCategory);
    connect(m_delete, &QPushButton::clicked, this, &CDLGCategories::DeleteCategory);
    connect(help, &QPushButton::clicked, this, [] { OpenHelpTopic(2100); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, &CDLGCategories::UpdateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_list->currentItem() &&
            m_list->currentItem()->text().toLower() != QLatin1String("miscellaneous"))
            EditCategory();
    });
    Fill();
    m_list->setCurrentRow(0);
    UpdateButtons();
}

void CDLGCategories::Fill() {
    m_list->clear();
    for (const CategoryRecord& category : LoadCategories(m_settings->GetDatabasePath()))
        if (!category.name.isEmpty()) {
            auto* item = new QListWidgetItem(category.name, m_list);
            item->setData(Qt::UserRole, category.id);
        }
}

void CDLGCategories::SelectName(const QString& name) {
    const QList<QListWidgetItem*> found = m_list->findItems(name, Qt::MatchExactly);
    if (!found.isEmpty())
        m_list->setCurrentItem(found.first());
}

int CDLGCategories::SelectedId() const {
    return m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toInt() : -1;
}

void CDLGCategories::UpdateButtons() {
    const QListWidgetItem* item = m_list->currentItem();
    // Nothing to act on in an empty list; "Miscellaneous" stays as it is.
    const bool editable =
        item && item->text().trimmed().toLower() != QLatin1String("miscellaneous");
    m_edit->setEnabled(editable);
    m_delete->setEnabled(editable);
}

void CDLGCategories::NewCategory() {
    CDLGCategoryName dialog(m_settings->GetDatabasePath(), false, QString(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CCategoriesTable table(m_settings->GetDatabasePath());
    CategoryRecord record;
    record.name = dialog.Name();
    if (!table.Open() || table.Insert(record) != 1)
        return;
    table.Close();
    Fill();
    SelectName(dialog.Name());
    m_changed = true;
}

void CDLGCategories::EditCategory() {
    const int id = SelectedId();
    if (id < 0 || !m_edit->isEnabled())
        return;
    CDLGCategoryName dialog(m_settings->GetDatabasePath(), true, m_list->currentItem()->text(),
                            this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CCategoriesTable table(m_settings->GetDatabasePath());
    CategoryRecord record;
    record.id = id;
    record.name = dialog.Name();
    if (!table.Open() || table.Update(record) != 1)
        return;
    table.Close();
    Fill();
    SelectName(dialog.Name());
    m_changed = true;
}

void CDLGCategories::DeleteCategory() {
    const int id = SelectedId();
    if (id < 0 || !m_delete->isEnabled())
        return;
    const QString path = m_settings->GetDatabasePath();
    int target = m_settings->m_nDefaultCategoryId;
    if (target == id || !CategoryExists(path, target))
        target = FindCategoryId(path, QLatin1String(CCategoriesTable::kFallbackName));
    if (target < 0 || target == id)
        return; // nowhere to move its shortcuts to
    CCategoriesTable table(path);
    if (!table.Open() || table.DeleteMovingShortcuts(id, target) != 1)
        return;
    table.Close();
    if (m_settings->m_nDefaultCategoryId == id) {
        // New shortcuts go where the deleted default's went.
        m_settings->m_nDefaultCategoryId = target;
        m_settings->Save();
    }
    Fill();
    m_list->setCurrentRow(0);
    m_changed = true;
}

void CDLGCategories::done(int result) {
    // Escape and the close box leave like Close: every change is written already.
    m_selectedName = m_list->currentItem() ? m_list->currentItem()->text() : QString();
    QDialog::done(result);
}

} // namespace skyloom
