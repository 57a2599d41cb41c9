#pragma once

#include "SettingsPage.h"

class QCheckBox;
class QComboBox;

namespace skyloom {

class CImageButton;
class ClampingSpinBox;
class IOptionsPageHost;

// The Options page: the general options, AutoQueue and the defaults of new shortcuts. There is
// no Apply here: each control writes its setting and saves the settings file at once.
class CPPDLGOptions final : public SettingsPage {
    Q_OBJECT
public:
    explicit CPPDLGOptions(CAppSettings* settings, QWidget* parent = nullptr);

    void SetHost(IOptionsPageHost* host) { m_host = host; }
    void Initialize() override;
    void Activate() override;
    // The categories changed elsewhere: both combos are filled again when the page is shown.
    void MarkCategoriesChanged() { m_categoriesChanged = true; }
    void ManageCategories();

private:
    QCheckBox* AddCheck(const char* name, const QString& text, int CAppSettings::*member);
    void BuildLayout();
    void FillCategoryCombo(QComboBox* combo, bool withAll);
    // An AutoQueue category that is gone becomes "All", saved.
    void CheckAutoQueueCategory();
    // The AutoQueue controls and the tooltip from the settings.
    void ShowAutoQueueSettings();
    void OnAutoQueueChanged();
    void OnIdleChanged();
    void Save();

    IOptionsPageHost* m_host = nullptr;
    bool m_categoriesChanged = false;
    bool m_filling = false; // controls being set from the settings: no handler runs

    QCheckBox* m_autoStart = nullptr;
    QCheckBox* m_alwaysShowTray = nullptr;
    QCheckBox* m_idleOnly = nullptr;
    ClampingSpinBox* m_idleSeconds = nullptr;
    QCheckBox* m_autoQueue = nullptr;
    ClampingSpinBox* m_autoQueueCount = nullptr;
    QComboBox* m_autoQueueCategory = nullptr;
    QComboBox* m_defaultCategory = nullptr;
    CImageButton* m_manageCategories = nullptr;
    QList<QPair<QCheckBox*, int CAppSettings::*>> m_checks;
};

} // namespace skyloom
