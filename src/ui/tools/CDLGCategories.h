#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace skyloom {

class CAppSettings;

// Lists the categories and creates, renames and deletes them; every change reaches the library
// at once. "Miscellaneous" can be neither renamed nor deleted. A deleted category's shortcuts
// move, in the same transaction, to the default category of new shortcuts (to
// "Miscellaneous" when that default is the one deleted or none).
class CDLGCategories final : public QDialog {
    Q_OBJECT
public:
    CDLGCategories(CAppSettings* settings, QWidget* parent = nullptr);

    // Something was created, renamed or deleted.
    bool Changed() const { return m_changed; }
    // The category selected when the dialog closed.
    QString SelectedName() const { return m_selectedName; }

    void NewCategory();
    void EditCategory();
    void DeleteCategory();

public slots:
    void done(int result) override;

private:
    void Fill();
    void SelectName(const QString& name);
    void UpdateButtons();
    int SelectedId() const;

    CAppSettings* m_settings;
    bool m_changed = false;
    QString m_selectedName;
    QListWidget* m_list = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace skyloom
