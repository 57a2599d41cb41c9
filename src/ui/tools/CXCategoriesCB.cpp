#include "CXCategoriesCB.h"

#include "CDLGCategories.h"
#include "library/LibraryQueries.h"
#include "settings/CAppSettings.h"

#include <algorithm>

namespace skyloom {

CXCategoriesCB::CXCategoriesCB(QWidget* parent) : QComboBox(parent) {}

void CXCategoriesCB::Fill(const QString& databasePath) {
    clear();
    // In the library's order of names, as the page's category list has them.
    const std::vector<CategoryRecord> categories = LoadCategories(databasePath);
    for (const CategoryRecord& category : categories)
        if (!category.name.isEmpty())
            addItem(category.name, category.id);
}

bool CXCategoriesCB::SelectId(int id) {
    const int index = findData(id);
    setCurrentIndex(index);
    return index >= 0;
}

int CXCategoriesCB::SelectedId() const {
    return currentIndex() < 0 ? -1 : currentData().toInt();
}

bool CXCategoriesCB::ManageCategories(CAppSettings* settings) {
    const int selected = SelectedId();
    CDLGCategories dialog(settings, this);
    dialog.exec();
    Fill(settings->GetDatabasePath());
    if (dialog.Changed()) {
        const int found =
            findText(dialog.SelectedName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        setCurrentIndex(found >= 0 ? found : 0);
    } else if (!SelectId(selected)) {
        setCurrentIndex(count() > 0 ? 0 : -1);
    }
    return dialog.Changed();
}

} // namespace skyloom
