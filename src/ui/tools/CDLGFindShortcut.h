#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace skyloom {

class CAppSettings;

// Finds shortcuts by name as the user types (from two characters on): those whose name starts
// with, or contains, the text, with their category and photo count. Go To ends the dialog with
// the chosen shortcut's id. Column widths and the match mode are kept in the profile store.
class CDLGFindShortcut final : public QDialog {
    Q_OBJECT
public:
    explicit CDLGFindShortcut(CAppSettings* settings, QWidget* parent = nullptr);

    // The id of the shortcut chosen with Go To; -1 before.
    int ChosenId() const { return m_chosenId; }
    void Search();

public slots:
    void done(int result) override;

private:
    void Jump();
    void SaveProfile();

    CAppSettings* m_settings;
    int m_chosenId = -1;
    QLineEdit* m_text = nullptr;
    QRadioButton* m_startsWith = nullptr;
    QRadioButton* m_contains = nullptr;
    QLabel* m_status = nullptr;
    QTableWidget* m_list = nullptr;
    QPushButton* m_goTo = nullptr;
};

} // namespace skyloom
