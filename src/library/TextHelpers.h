#pragma once

#include <QString>

namespace skyloom {

// A tidy shortcut name made from a folder name: punctuation becomes blanks, "&" gets a blank
// on each side, words longer than three letters are lower-cased, every word, and every part
// of a word joined by "-" or "_", begins upper-case ("Mc" names keep their third capital).
QString AutoCorrectName(const QString& text);

// The text trimmed and put into the shortcut stored form, for comparing typed or generated
// names and folders with the library ("Name='%s'").
QString EncodeForQuery(const QString& text);

// n in decimal with a comma before every group of three digits: 12,345 and -1,234.
QString FormatNumber(int n);

// "<number> <noun>", with an "s" on the noun unless n is exactly 1: 0 Photos, 1 Photo.
QString FormatCount(const QString& noun, int n);

// Trims the path; adds the trailing path separator ('/') when add is set and there is none,
// or removes one trailing separator when add is not set.
QString SetTrailingBackslash(const QString& path, bool add);

} // namespace skyloom
