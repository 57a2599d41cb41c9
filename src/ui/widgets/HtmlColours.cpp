#include "HtmlColours.h"

#include <QPalette>

#include <array>
#include <cctype>

namespace skyloom {
namespace {

struct SystemColour {
    const char* name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour names, each as the palette role that plays its part on this desktop.
constexpr std::array<SystemColour, 39> kSystemColours{{
    {"ScrollBar", QPalette::Active, QPalette::Button},
    {"Background", QPalette::Active, QPalette::Window},
    {"Desktop", QPalette::Active, QPalette::Window},
    {"ActiveCaption", QPalette::Active, QPalette::Highlight},
    {"InactiveCaption", QPalette::Inactive, QPalette::Mid},
    {"Menu", QPalette::Active, QPalette::Window},
    {"Window", QPalette::Active, QPalette::Base},
    {"WindowFrame", QPalette::Active, QPalette::Shadow},
    {"MenuText", QPalette::Active, QPalette::WindowText},
    {"WindowText", QPalette::Active, QPalette::WindowText},
    {"ActiveCaptionText", QPalette::Active, QPalette::HighlightedText},
    {"CaptionText", QPalette::Active, QPalette::HighlightedText},
    {"ActiveBorder", QPalette::Active, QPalette::Window},
    {"InactiveBorder", QPalette::Inactive, QPalette::Window},
    {"AppWorkspace", QPalette::Active, QPalette::Dark},
    {"Highlight", QPalette::Active, QPalette::Highlight},
    {"HighlightText", QPalette::Active, QPalette::HighlightedText},
    {"BtnFace", QPalette::Active, QPalette::Button},
    {"Control", QPalette::Active, QPalette::Button},
    {"BtnShadow", QPalette::Active, QPalette::Dark},
    {"ControlDark", QPalette::Active, QPalette::Dark},
    {"GrayText", QPalette::Disabled, QPalette::WindowText},
    {"BtnText", QPalette::Active, QPalette::ButtonText},
    {"ControlText", QPalette::Active, QPalette::ButtonText},
    {"InactiveCaptionText", QPalette::Disabled, QPalette::WindowText},
    {"BtnHighlight", QPalette::Active, QPalette::Light},
    {"BtnHilight", QPalette::Active, QPalette::Light},
    {"ControlLight", QPalette::Active, QPalette::Light},
    {"ControlLightLight", QPalette::Active, QPalette::Light},
    {"ControlDarkDark", QPalette::Active, QPalette::Shadow},
    {"InfoText", QPalette::Active, QPalette::ToolTipText},
    {"Info", QPalette::Active, QPalette::ToolTipBase},
    {"InfoBk", QPalette::Active, QPalette::ToolTipBase},
    {"HotLight", QPalette::Active, QPalette::Link},
    {"HotTrack", QPalette::Active, QPalette::Link},
    {"GradientActiveCaption", QPalette::Active, QPalette::Highlight},
    {"GradientInactiveCaption", QPalette::Inactive, QPalette::Mid},
    {"MenuHilight", QPalette::Active, QPalette::Highlight},
    {"MenuBar", QPalette::Active, QPalette::Window},
}};

bool IsName(const QString& value) {
    if (value.isEmpty() || value.size() > 32)
        return false;
    for (const QChar c : value)
        if (!(c >= u'a' && c <= u'z') && !(c >= u'A' && c <= u'Z'))
            return false;
    return true;
}

} // namespace

QColor ParseHtmlColour(const QString& value, const QPalette& palette) {
    const QColor black(0, 0, 0);
    if (value.startsWith(QLatin1Char('#'))) {
        if (value.size() != 7)
            return black;
        for (const QChar c : QStringView(value).mid(1))
            if (!isxdigit(c.toLatin1()))
                return black;
        return QColor::fromRgb(QRgb(value.mid(1).toUInt(nullptr, 16)));
    }
    if (value.contains(QLatin1Char(','))) {
        const QStringList parts = value.split(QLatin1Char(','));
        if (parts.size() > 3)
            return black;
        int rgb[3] = {0, 0, 0};
        for (qsizetype i = 0; i < parts.size(); ++i) {
            bool ok = false;
            rgb[i] = parts[i].trimmed().toInt(&ok);
            if (!ok && !(i == 2 && parts[i].trimmed().isEmpty()))
                return black;
        }
        return QColor(std::clamp(rgb[0], 0, 255), std::clamp(rgb[1], 0, 255),
                      std::clamp(rgb[2], 0, 255));
    }
    if (!IsName(value))
        return black;
    for (const SystemColour& system : kSystemColours)
        if (value.compare(QLatin1String(system.name), Qt::CaseInsensitive) == 0)
            return palette.color(system.group, system.role);
    // The CSS colour names are Qt's SVG colour names.
    // Qt also knows "transparent", which is no CSS colour name.
    const QColor named = QColor::fromString(value.toLower());
    return named.isValid() && named.alpha() == 255 ? named : black;
}

} // namespace skyloom
