#include "CDLGCategoryName.h"

#include "library/CCategoriesTable.h"
#include "library/MessageReporter.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace skyloom {

CDLGCategoryName::CDLGCategoryName(const QString& databasePath, bool editMode, const QString& name,
                                   QWidget* parent)
    : QDialog(parent), m_databasePath(databasePath) {
    setObjectName(QStringLiteral("categoryNameDialog"));
    setWindowTitle(editMode ? QStringLiteral("Edit Skyloom Category")
                            : QStringLiteral("New Skyloom Category"));
    setAccessibleName(windowTitle());
    auto* label = new QLabel(QStringLiteral("&Category Name:"), this);
    m_name = new QLineEdit(name, this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_name->setAccessibleName(QStringLiteral("Category Name"));
    label->setBuddy(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    for (QAbstractButton* b : buttons->buttons())
        b->setAccessibleName(b->text().remove(u'&'));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDLGCategoryName::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    m_name->setFocus();
}

QString CDLGCategoryName::Name() const {
    return m_name->text();
}

void CDLGCategoryName::accept() {
    const QString name = m_name->text();
    const auto refuse = [this](const QString& text) {
        ExtMessageBox(QStringLiteral("Skyloom"), this, text,
                      MessageStyle::Ok | MessageStyle::IconInformation);
        m_name->setFocus();
    };
    if (name.isEmpty()) {
        refuse(QStringLiteral("Please type in category name."));
        return;
    }
    CCategoriesTable table(m_databasePath);
    const bool exists = table.Open() && table.Exists(name);
    table.Close();
    if (exists || name.toLower() == u"all") {
        refuse(QStringLiteral("The category already exists.\nPlease try again."));
        return;
    }
    QDialog::accept();
}

} // namespace skyloom
