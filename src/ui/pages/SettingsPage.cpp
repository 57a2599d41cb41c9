#include "SettingsPage.h"

namespace skyloom {

SettingsPage::SettingsPage(const QString& caption, CAppSettings* settings, QWidget* parent)
    : QWidget(parent), m_caption(caption), m_settings(settings) {
    setObjectName(caption);
}

} // namespace skyloom
