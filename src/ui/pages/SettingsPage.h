#pragma once

#include <QWidget>

namespace skyloom {

class CAppSettings;

// What the four pages of the main window share: their caption and the one settings record.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(const QString& caption, CAppSettings* settings, QWidget* parent = nullptr);
    const QString& Caption() const { return m_caption; }
    // Fills the page once the settings are loaded.
    virtual void Initialize() {}
    // Each time the page becomes the one shown.
    virtual void Activate() {}

protected:
    CAppSettings* Settings() const { return m_settings; }

private:
    QString m_caption;
    CAppSettings* m_settings;
};

} // namespace skyloom
