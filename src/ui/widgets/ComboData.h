#pragma once

#include <QComboBox>

namespace skyloom {

// Selects the first item whose data is the value; with none, nothing is selected. True when an
// item was selected.
inline bool SelectData(QComboBox* combo, int value) {
    const int index = combo->findData(value);
    combo->setCurrentIndex(index);
    return index >= 0;
}

// The selected item's data, or -1 when nothing is selected.
inline int SelectedData(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

} // namespace skyloom
