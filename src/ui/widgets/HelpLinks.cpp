#include "HelpLinks.h"

#include "WebLinks.h"

namespace skyloom {
namespace {

constexpr char kHelpAddress[] = "https://help.skyloom.app/JumpTo.asp?A=Go&S=%1";

} // namespace

QString HelpTopicName(int id) {
    switch (id) {
    case 106:
        return QStringLiteral("IDD_PP_SKP_SHORTCUTS");
    case 107:
        return QStringLiteral("IDD_PP_SKP_WALLPAPERSETTINGS");
    case 108:
        return QStringLiteral("IDD_PP_SKP_BACKGROUND");
    case 109:
        return QStringLiteral("IDD_PP_SKP_OPTIONS");
    case 2100:
        return QStringLiteral("IDD_DLG_CATEGORIES");
    case 2500:
        return QStringLiteral("IDD_DLG_SHORTCUTBUILDER");
    case 5001:
        return QStringLiteral("IDD_DLG_SHORTCUTS_NEW");
    case 5002:
        return QStringLiteral("IDD_DLG_SHORTCUTS_EDIT");
    default:
        return {};
    }
}

QUrl HelpAddress(int id) {
    // The topic names hold only letters and underscores: nothing to escape.
    return QUrl(QString::fromLatin1(kHelpAddress).arg(HelpTopicName(id)));
}

void OpenHelpTopic(int id) {
    WebLinks::Open(HelpAddress(id).toString());
}

} // namespace skyloom
