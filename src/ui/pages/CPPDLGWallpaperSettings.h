#pragma once

#include "SettingsPage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSlider;

namespace skyloom {

class CAppSettings;
class ClampingSpinBox;
class CXDesktopST;
class CXOrientationCB;
class CXPhotoPositionCB;
class ILookPagesHost;

// The Wallpaper Settings page: the change interval, the two photo filters, one photo or a photo
// per monitor, the glass reflection
// and, for portrait and landscape photos apart, the position, scale, transparency and greyscale,
// with a preview of a sample photo drawn with them. Every edit goes into the settings record at
// once and waits for Apply.
class CPPDLGWallpaperSettings final : public SettingsPage {
    Q_OBJECT
public:
    explicit CPPDLGWallpaperSettings(CAppSettings* settings, QWidget* parent = nullptr);

    void SetHost(ILookPagesHost* host) { m_host = host; }
    void Initialize() override;
    // Shows the background as the Background page left it.
    void Activate() override;
    CXDesktopST& Preview() const { return *m_preview; }

protected:
    // The pointer over the portrait or the landscape options shows that sample.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls of one orientation's options and the settings they edit.
    struct PhotoControls {
        QGroupBox* box = nullptr;
        CXPhotoPositionCB* position = nullptr;
        QSlider* scale = nullptr;
        QLabel* scaleLabel = nullptr;
        QSlider* transparency = nullptr;
        QLabel* transparencyLabel = nullptr;
        QCheckBox* grayscale = nullptr;
        int CAppSettings::*positionMember = nullptr;
        int CAppSettings::*scaleMember = nullptr;
        int CAppSettings::*transparencyMember = nullptr;
        int CAppSettings::*grayscaleMember = nullptr;
    };

    void BuildLayout();
    QGroupBox* BuildPhotoControls(PhotoControls& controls, bool landscape);
    void ConnectPhotoControls(PhotoControls& controls);
    void LoadPhotoControls(PhotoControls& controls);
    // A slider moved: stored and shown when its value differs from the setting.
    void OnSlider(QSlider* slider, QLabel* label, int CAppSettings::*member);
    void OnOrientationFilter();
    void OnMinSizeCheck();
    void OnGlassReflection();
    void UpdateEnabledStates();
    void UpdatePreviewOptions();
    // Records a change for Apply once the page is filled.
    void Mark(unsigned changeBits, unsigned filterBits = 0);

    ILookPagesHost* m_host = nullptr;
    bool m_initialised = false; // clear while the controls are filled from the settings
    bool m_focused = false;

    CXDesktopST* m_preview = nullptr;
    ClampingSpinBox* m_hours = nullptr;
    ClampingSpinBox* m_minutes = nullptr;
    ClampingSpinBox* m_seconds = nullptr;
    CXOrientationCB* m_orientation = nullptr;
    QCheckBox* m_minSizeCheck = nullptr;
    ClampingSpinBox* m_minSize = nullptr;
    QComboBox* m_monitors = nullptr;
    QCheckBox* m_glass = nullptr;
    PhotoControls m_portrait;
    PhotoControls m_landscape;
};

} // namespace skyloom
