#include "FolderListPair.h"

#include "CXFolderLB.h"
#include "ToolWidgets.h"
#include "ui/widgets/CImageButton.h"

#include <QVBoxLayout>

namespace skyloom {

FolderListPair::FolderListPair(QWidget* parent, bool showTooltips)
    : QObject(parent), m_left(new CXFolderLB(parent)), m_right(new CXFolderLB(parent)),
      m_add(MakePictureButton(parent, "addFolderButton", QStringLiteral("next"),
                              QStringLiteral("Add to selected Shortcuts"), showTooltips)),
      m_remove(MakePictureButton(parent, "removeFolderButton", QStringLiteral("previous"),
                                 QStringLiteral("Remove from selected Shortcuts"), showTooltips)),
      m_addAll(MakePictureButton(parent, "addAllFoldersButton", QStringLiteral("last"),
                                 QStringLiteral("Add all to selected Shortcuts"), showTooltips)),
      m_removeAll(MakePictureButton(parent, "removeAllFoldersButton", QStringLiteral("first"),
                                    QStringLiteral("Remove all from selected Shortcuts"),
                                    showTooltips)),
      m_column(new QVBoxLayout) {
    m_left->setObjectName(QStringLiteral("availableList"));
    m_left->setAccessibleName(QStringLiteral("Available Folders"));
    m_right->setObjectName(QStringLiteral("selectedList"));
    m_right->setAccessibleName(QStringLiteral("Selected Folders"));
    m_column->addStretch(1);
    for (CImageButton* b : {m_add, m_remove, m_addAll, m_removeAll})
        m_column->addWidget(b);
    m_column->addStretch(1);
    // Tab goes through them as they stand: left list, the buttons, right list.
    QWidget* order[] = {m_left, m_add, m_remove, m_addAll, m_removeAll, m_right};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    connect(m_add, &QAbstractButton::clicked, this, &FolderListPair::MoveRight);
    connect(m_remove, &QAbstractButton::clicked, this, &FolderListPair::MoveLeft);
    connect(m_addAll, &QAbstractButton::clicked, this, &FolderListPair::MoveAllRight);
    connect(m_removeAll, &QAbstractButton::clicked, this, &FolderListPair::MoveAllLeft);
    connect(m_left, &QListWidget::itemDoubleClicked, this, &FolderListPair::MoveRight);
    connect(m_right, &QListWidget::itemDoubleClicked, this, &FolderListPair::MoveLeft);
    connect(m_left, &CXFolderLB::itemActivatedByKey, this, &FolderListPair::MoveRight);
    connect(m_right, &CXFolderLB::itemActivatedByKey, this, &FolderListPair::MoveLeft);
    for (CXFolderLB* list : {m_left, m_right})
        connect(list, &QListWidget::itemSelectionChanged, this, [this] {
            UpdateButtons();
            emit changed();
        });
}

void FolderListPair::MoveOne(CXFolderLB* from, CXFolderLB* to) {
    const int row = from->SelectedRow();
    if (!m_enabled || row < 0)
        return;
    {
        const QSignalBlocker blockTo(to);
        const QSignalBlocker blockFrom(from);
        QListWidgetItem* item = from->item(row);
        to->SelectRow(to->AddFolder(item->text(), item->data(Qt::UserRole).toInt()));
        delete from->takeItem(row);
        from->SelectRow(std::min(row, from->count() - 1));
    }
    UpdateButtons();
    emit changed();
}

void FolderListPair::MoveAll(CXFolderLB* from, CXFolderLB* to) {
    if (!m_enabled || from->count() == 0)
        return;
    {
        const QSignalBlocker blockTo(to);
        const QSignalBlocker blockFrom(from);
        to->setUpdatesEnabled(false);
        for (int row = 0; row < from->count(); ++row)
            to->AddFolder(from->item(row)->text(), from->item(row)->data(Qt::UserRole).toInt());
        from->clear();
        to->SelectRow(0);
        to->setUpdatesEnabled(true);
    }
    UpdateButtons();
    emit changed();
}

void FolderListPair::UpdateButtons() {
    const bool left = m_enabled && m_left->count() > 0 && m_left->SelectedRow() >= 0;
    const bool right = m_enabled && m_right->count() > 0 && m_right->SelectedRow() >= 0;
    m_add->setEnabled(left);
    m_addAll->setEnabled(left);
    m_remove->setEnabled(right);
    m_removeAll->setEnabled(right);
}

void FolderListPair::SetEnabled(bool enabled) {
    m_enabled = enabled;
    m_left->setEnabled(enabled);
    m_right->setEnabled(enabled);
    UpdateButtons();
}

} // namespace skyloom
