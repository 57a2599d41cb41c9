#pragma once

#include <QColor>
#include <QString>

class QPalette;

namespace skyloom {

// A COLOR or BGCOLOR value of the HTML label: "r,g,b" in decimal (a missing blue is 0),
// "#RRGGBB", a CSS colour name or a system colour name ("WindowText", "BtnFace", ...), the
// latter taken from the palette. Names are compared without regard to case; anything else is
// black.
QColor ParseHtmlColour(const QString& value, const QPalette& palette);

} // namespace skyloom
