#pragma once

#include <QString>

namespace skyloom {

// The stored forms of names and folders in the photo library. The database never holds the
// characters ' . / ( ) , : - of a name, nor (for shortcuts) { and }: each is replaced by a
// code such as "&#39" (no closing semicolon). The two tables differ in when the ampersand is
// replaced: first for categories, last for shortcuts, so that a shortcut's codes get their own
// ampersands replaced too. Existing library files hold exactly these forms.

QString EncodeCategoryText(QString text);
QString DecodeCategoryText(QString text);
QString EncodeShortcutText(QString text);
QString DecodeShortcutText(QString text);

} // namespace skyloom
