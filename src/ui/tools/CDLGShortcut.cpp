#include "CDLGShortcut.h"

#include "CDLGCategories.h"
#include "FolderChooser.h"
#include "ToolWidgets.h"
#include "library/LibraryQueries.h"
#include "library/MessageReporter.h"
#include "library/TextHelpers.h"
#include "settings/CAppSettings.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ExtMessageBox.h"
#include "ui/widgets/HelpLinks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace skyloom {
namespace {

// Letters and digits of any script, and - _ space ' &.
bool IsNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u' ' || c == u'\'' || c == u'&';
}

} // namespace

void CDLGShortcut::SetFolderChooser(std::function<QString(const QString&, const QString&)> c) {
    skyloom::SetFolderChooser(std::move(c));
}

CDLGShortcut::CDLGShortcut(CAppSettings* settings, Mode mode, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_mode(mode) {
    setObjectName(QStringLiteral("shortcutDialog"));
    const bool tips = settings->m_bShowTooltips != 0;
    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("categoryCombo"));
    m_category->setAccessibleName(QStringLiteral("Category"));
    m_manageCategories = MakePictureButton(this, "manageCategoriesButton", "categories",
                                           QStringLiteral("Manage Categories"), tips);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_name->setAccessibleName(QStringLiteral("Name"));
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("folderEdit"));
    m_folder->setAccessibleName(QStringLiteral("Folder Location"));
    m_browse = MakePictureButton(this, "browseButton", "browse",
                                 QStringLiteral("Choose Source Photo Folder"), tips);
    const auto check = [this](const char* name, const QString& text) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(QString(text).remove(u'&'));
        return box;
    };
    m_recursive = check("recursiveCheck", QStringLiteral("Include Subfolders"));
    m_jpeg = check("jpegCheck", QStringLiteral("JPEG"));
    m_bmp = check("bmpCheck", QStringLiteral("BMP"));
    m_png = check("pngCheck", QStringLiteral("PNG"));
    m_tiff = check("tiffCheck", QStringLiteral("TIFF"));

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(mode == Mode::New ? QStringLiteral("Save") : QStringLiteral("Update"),
                              QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QPushButton* help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("helpButton"));
    for (QPushButton* b : {m_ok, cancel, help})
        b->setAccessibleName(b->text());
    connect(buttons, &QDialogButtonBox::accepted, this, &CDLGShortcut::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { OpenHelpTopic(m_mode == Mode::New ? 5001 : 5002); });

    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_category, 1);
    categoryRow->addWidget(m_manageCategories);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    // Each label's mnemonic takes the focus to its field.
    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* form = new QFormLayout;
    form->addRow(label(QStringLiteral("&Category:"), m_category), categoryRow);
    form->addRow(label(QStringLiteral("&Name:"), m_name), m_name);
    form->addRow(label(QStringLiteral("&Folder Location:"), m_folder), folderRow);
    auto* properties = new QGroupBox(QStringLiteral("Properties"), this);
    auto* formats = new QHBoxLayout;
    formats->addWidget(new QLabel(QStringLiteral("Photo Formats:"), properties));
    for (QCheckBox* box : {m_jpeg, m_bmp, m_png, m_tiff})
        formats->addWidget(box);
    formats->addStretch(1);
    auto* propertiesLayout = new QVBoxLayout(properties);
    propertiesLayout->addWidget(m_recursive);
    propertiesLayout->addLayout(formats);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(properties);
    layout->addWidget(buttons);
    setTabOrder(m_category, m_manageCategories);
    setTabOrder(m_manageCategories, m_name);
    setTabOrder(m_name, m_folder);
    setTabOrder(m_folder, m_browse);
    setTabOrder(m_browse, m_recursive);
    setTabOrder(m_recursive, m_jpeg);
    setTabOrder(m_jpeg, m_bmp);
    setTabOrder(m_bmp, m_png);
    setTabOrder(m_png, m_tiff);

    connect(m_manageCategories, &QAbstractButton::clicked, this, &CDLGShortcut::ManageCategories);
    connect(m_browse, &QAbstractButton::clicked, this, &CDLGShortcut::Browse);
    connect(m_category, &QComboBox::activated, this, &CDLGShortcut::UpdateOkForCategory);
    connect(m_recursive, &QCheckBox::clicked, this, [this] {
        m_propertiesChanged = true;
        m_ok->setEnabled(true);
    });

    FillCategories();
    if (mode == Mode::New) {
        if (!SelectCategoryId(settings->m_nDefaultCategoryId))
            m_category->setCurrentIndex(-1);
        m_recursive->setChecked(settings->m_bDefaultRecursive != 0);
        m_jpeg->setChecked(settings->m_bDefaultJpeg != 0);
        m_bmp->setChecked(settings->m_bDefaultBmp != 0);
        m_png->setChecked(settings->m_bDefaultPng != 0);
        m_tiff->setChecked(settings->m_bDefaultTiff != 0);
        setWindowTitle(QStringLiteral("Create New Photo Folder Shortcut"));
    }
    setAccessibleName(windowTitle());
    m_name->setFocus();
}

void CDLGShortcut::SetRecord(const ShortcutRecord& record) {
    m_id = record.id;
    m_categoryId = record.catId;
    m_name->setText(record.name);
    m_folder->setText(record.folder);
    if (!SelectCategoryId(record.catId))
        m_category->setCurrentIndex(-1);
    m_recursive->setChecked(record.recursive != 0);
    m_jpeg->setChecked(record.jpg != 0);
    m_bmp->setChecked(record.bmp != 0);
    m_png->setChecked(record.png != 0);
    m_tiff->setChecked(record.tiff != 0);
    setWindowTitle(QStringLiteral("Edit %1 Photo Folder Shortcut").arg(record.name));
    setAccessibleName(windowTitle());
}

ShortcutRecord CDLGShortcut::Record() const {
    ShortcutRecord record;
    record.id = m_id;
    record.catId = m_categoryId;
    record.name = m_name->text().trimmed();
    record.folder = m_folder->text();
    record.recursive = m_recursive->isChecked() ? 1 : 0;
    record.jpg = m_jpeg->isChecked() ? 1 : 0;
    record.bmp = m_bmp->isChecked() ? 1 : 0;
    record.png = m_png->isChecked() ? 1 : 0;
    record.tiff = m_tiff->isChecked() ? 1 : 0;
    return record;
}

void CDLGShortcut::FillCategories() {
    m_category->clear();
    std::vector<CategoryRecord> categories = LoadCategories(m_settings->GetDatabasePath());
    std::stable_sort(categories.begin(), categories.end(),
                     [](const CategoryRecord& a, const CategoryRecord& b) {
                         return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
                     });
    for (const CategoryRecord& category : categories)
        m_category->addItem(category.name, category.id);
}

bool CDLGShortcut::SelectCategoryId(int id) {
    const int index = m_category->findData(id);
    m_category->setCurrentIndex(index);
    return index >= 0;
}

int CDLGShortcut::SelectedCategoryId() const {
    return m_category->currentIndex() < 0 ? -1 : m_category->currentData().toInt();
}

void CDLGShortcut::UpdateOkForCategory() {
    m_ok->setEnabled(SelectedCategoryId() != m_categoryId || m_propertiesChanged);
}

void CDLGShortcut::ManageCategories() {
    const int index = m_category->currentIndex();
    CDLGCategories categories(m_settings, this);
    categories.exec();
    m_categoriesChanged = m_categoriesChanged || categories.Changed();
    FillCategories();
    if (m_categoriesChanged) {
        const int found = m_category->findText(categories.SelectedName(),
                                               Qt::MatchExactly | Qt::MatchCaseSensitive);
        m_category->setCurrentIndex(found >= 0 ? found : 0);
    } else {
        m_category->setCurrentIndex(std::min(index, m_category->count() - 1));
    }
}

void CDLGShortcut::Browse() {
    const QString title = QStringLiteral("Choose Source Photo Folder.");
    const QString initial =
        m_folder->text().isEmpty() ? m_settings->GetLastBrowseFolder() : m_folder->text();
    const QString picked = ChooseFolder(this, title, initial);
    if (!picked.isEmpty()) {
        m_folder->setText(picked);
        if (m_settings->m_bDefaultUseFolderName && m_name->text().isEmpty()) {
            // The last component up to its last ".": Trip.2010 gives Trip.
            const QString last = QFileInfo(QDir::cleanPath(picked)).completeBaseName();
            m_name->setText(AutoCorrectName(last));
        }
    }
    // The folder that holds the one chosen, for the next browse; empty without a folder.
    const QString folder = m_folder->text();
    m_settings->SetLastBrowseFolder(
        folder.isEmpty() ? QString() : QFileInfo(QDir::cleanPath(folder)).path() + u'/');
    m_settings->Save();
    m_ok->setEnabled(!m_folder->text().isEmpty() && !m_name->text().isEmpty() &&
                     QFileInfo(m_folder->text()).isDir());
}

bool CDLGShortcut::Refuse(const QString& text, bool icon, QWidget* focus) {
    ExtMessageBox(QStringLiteral("Skyloom"), this, text,
                  MessageStyle::Ok | (icon ? MessageStyle::IconInformation : 0u));
    focus->setFocus();
    return false;
}

void CDLGShortcut::accept() {
    if (!m_jpeg->isChecked() && !m_bmp->isChecked() && !m_png->isChecked() &&
        !m_tiff->isChecked()) {
        Refuse(QStringLiteral("Please choose at least one photo format (JPEG|PNG|BMP|TIF) to "
                              "include for before clicking OK."),
               true, m_jpeg);
        return;
    }
    const QString name = m_name->text();
    if (!std::all_of(name.begin(), name.end(), IsNameCharacter)) {
        Refuse(QStringLiteral("Please enter in letters, numbers and/or (- _ ') in this field."),
               false, m_name);
        return;
    }
    if (name.trimmed().isEmpty()) {
        Refuse(QStringLiteral("Please enter in a valid Name for this Shortcut before clicking OK."),
               true, m_name);
        return;
    }
    // Another shortcut's name is refused when editing too.
    if (ShortcutNameTaken(m_settings->GetDatabasePath(), name, m_mode == Mode::New ? -1 : m_id)) {
        Refuse(QStringLiteral("A Shortcut with the same name already exists.  Please choose a "
                              "different name for this Shortcut."),
               true, m_name);
        return;
    }
    if (!QFileInfo(m_folder->text()).isDir()) {
        Refuse(QStringLiteral("Please select a valid Folder Location before clicking OK."), true,
               m_folder);
        return;
    }
    m_categoryId = SelectedCategoryId();
    QDialog::accept();
}

} // namespace skyloom
