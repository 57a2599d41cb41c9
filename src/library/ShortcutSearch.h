#pragma once

#include <QString>

#include <vector>

namespace skyloom {

enum class NameMatch { StartsWith, Contains };

// A shortcut found by its name, with what the Find list shows of it.
struct FoundShortcut {
    int id = -1;
    QString name;
    QString category; // "All" for no category, empty when its category is gone
    int numPhotos = -1;
};

// The shortcuts whose name starts with, or contains, the text, letter case ignored, in the
// library's order of names. The text is matched as typed: "%", "_" and "#" are characters, not
// wild cards, and a text holding characters the library stores in coded form (an apostrophe,
// a hyphen, ...) finds the names that hold them. It reaches SQL only as a bound parameter.
std::vector<FoundShortcut> FindShortcuts(const QString& databasePath, const QString& text,
                                         NameMatch match);

} // namespace skyloom
