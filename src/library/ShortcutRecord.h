#pragma once

#include <QString>

#include <array>

namespace skyloom {

// One row of the Shortcuts table: a named, categorised bookmark to a photo folder.
struct ShortcutRecord {
    int id = -1;
    int catId = -1;
    QString name;
    QString folder;
    int jpg = -1;
    int bmp = -1;
    int tiff = -1;
    int png = -1;
    int recursive = -1;
    int numPhotos = -1;

    // The result columns a load reads, lower-cased, in the order SetColumn numbers them.
    static constexpr std::array<const char*, 10> kColumns{
        "id", "catid", "name", "folder", "jpg", "bmp", "tiff", "png", "recursive", "numphotos"};
    // Sets the field of a column from its text (null for SQL NULL, which keeps the default).
    void SetColumn(std::size_t column, const char* text);
    void Encode();
    void Decode();
    void Reset() { *this = ShortcutRecord(); }
};

} // namespace skyloom
