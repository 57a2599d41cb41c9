#pragma once

#include "library/ShortcutRecord.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace skyloom {

class CAppSettings;
class CImageButton;

// Creates or edits one Photo Folder Shortcut: its name, category, folder, whether sub-folders
// count and which photo formats. It only collects and checks the values; the page writes the
// shortcut, counts its photos and shows it.
class CDLGShortcut final : public QDialog {
    Q_OBJECT
public:
    enum class Mode { New, Edit };

    CDLGShortcut(CAppSettings* settings, Mode mode, QWidget* parent = nullptr);

    // Edit mode: the shortcut as stored.
    void SetRecord(const ShortcutRecord& record);
    // The values entered: name (trimmed), folder, category (-1 for none), flags.
    ShortcutRecord Record() const;
    // The categories were changed through the Manage Categories button.
    bool CategoriesChanged() const { return m_categoriesChanged; }

    // Tests: the folder browser is replaced by the given chooser (title, initial folder; an
    // empty result is a cancel). None restores the desktop's folder dialog.
    static void SetFolderChooser(std::function<QString(const QString&, const QString&)> chooser);

public slots:
    // Checks the values in order; the first that fails is said and its field gets the focus.
    void accept() override;

private:
    void FillCategories();
    bool SelectCategoryId(int id);
    int SelectedCategoryId() const;
    void Browse();
    void ManageCategories();
    void UpdateOkForCategory();
    // Shows a check's message; false so that callers can return it.
    bool Refuse(const QString& text, bool icon, QWidget* focus);

    CAppSettings* m_settings;
    Mode m_mode;
    int m_id = -1;         // the shortcut edited
    int m_categoryId = -1; // the category it had
    bool m_propertiesChanged = false;
    bool m_categoriesChanged = false;

    QComboBox* m_category = nullptr;
    CImageButton* m_manageCategories = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_folder = nullptr;
    CImageButton* m_browse = nullptr;
    QCheckBox* m_recursive = nullptr;
    QCheckBox* m_jpeg = nullptr;
    QCheckBox* m_bmp = nullptr;
    QCheckBox* m_png = nullptr;
    QCheckBox* m_tiff = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace skyloom
