#pragma once

#include <QString>

#include <array>

namespace skyloom {

// One row of the Categories table.
struct CategoryRecord {
    int id = -1;
    QString name;

    // The result columns a load reads, lower-cased, in the order SetColumn numbers them.
    static constexpr std::array<const char*, 2> kColumns{"id", "name"};
    // Sets the field of a column from its text (null for SQL NULL, which keeps the default).
    void SetColumn(std::size_t column, const char* text);
    void Encode();
    void Decode();
    void Reset() { *this = CategoryRecord(); }
};

} // namespace skyloom
