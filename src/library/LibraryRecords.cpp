#include "CategoryRecord.h"
#include "ShortcutRecord.h"
#include "StoredForm.h"

#include <cstdlib>

namespace skyloom {

void CategoryRecord::SetColumn(std::size_t column, const char* text) {
    if (!text)
        return;
    if (column == 0)
        id = std::atoi(text);
    else
        name = QString::fromUtf8(text);
}

void CategoryRecord::Encode() {
    name = EncodeCategoryText(name);
}
void CategoryRecord::Decode() {
    name = DecodeCategoryText(name);
}

void ShortcutRecord::SetColumn(std::size_t column, const char* text) {
    if (!text)
        return;
    int* const numbers[] = {&id,  &catId, nullptr, nullptr,    &jpg,
                            &bmp, &tiff,  &png,    &recursive, &numPhotos};
    if (column == 2)
        name = QString::fromUtf8(text);
    else if (column == 3)
        folder = QString::fromUtf8(text);
    else if (column < std::size(numbers))
        *numbers[column] = std::atoi(text);
}

void ShortcutRecord::Encode() {
    name = EncodeShortcutText(name);
    folder = EncodeShortcutText(folder);
}

void ShortcutRecord::Decode() {
    name = DecodeShortcutText(name);
    folder = DecodeShortcutText(folder);
}

} // namespace skyloom
