#pragma once

#include <QColor>
#include <QPalette>

namespace skyloom::test {

// A dark desktop theme's colours, for checking that what is drawn reads on it.
inline QPalette DarkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(225, 225, 225));
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::Text, QColor(225, 225, 225));
    p.setColor(QPalette::Button, QColor(60, 60, 64));
    p.setColor(QPalette::ButtonText, QColor(225, 225, 225));
    p.setColor(QPalette::Link, QColor(120, 170, 255));
    p.setColor(QPalette::Highlight, QColor(47, 120, 196));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(120, 120, 124));
    p.setColor(QPalette::Disabled, QPalette::Light, QColor(45, 45, 48)); // no embossing
    return p;
}

} // namespace skyloom::test
