#pragma once

#include <QComboBox>

namespace skyloom {

class CAppSettings;

// The category drop-down list of the tools: every category with a name, in the library's
// order of names, each item carrying its id.
class CXCategoriesCB final : public QComboBox {
    Q_OBJECT
public:
    explicit CXCategoriesCB(QWidget* parent = nullptr);

    void Fill(const QString& databasePath);
    bool SelectId(int id);
    // The selected category's id, -1 when none.
    int SelectedId() const;
    // Runs the Categories dialog and fills the list again: when the dialog changed something,
    // the category it closed on is selected (the first when it is not there), otherwise the
    // one selected before. True when something changed.
    bool ManageCategories(CAppSettings* settings);
};

} // namespace skyloom
