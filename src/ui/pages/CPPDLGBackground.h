#pragma once

#include "SettingsPage.h"
#include "composer/Colours.h"

#include <functional>

class QLineEdit;
class QRadioButton;

namespace skyloom {

class CColourPicker;
class CImageButton;
class CXBackgroundImageStyleCB;
class CXDesktopST;
class CXGradientDirectionCB;
class CXGradientTransformCB;
class ILookPagesHost;

// The Background page: the solid colour, the gradient with its direction and transformation, or
// an image fitted or tiled, that every wallpaper is drawn over, with a preview of it. Edits go
// into the settings record at once and wait for Apply.
class CPPDLGBackground final : public SettingsPage {
    Q_OBJECT
public:
    explicit CPPDLGBackground(CAppSettings* settings, QWidget* parent = nullptr);

    void SetHost(ILookPagesHost* host) { m_host = host; }
    void Initialize() override;
    CXDesktopST& Preview() const { return *m_preview; }

    // Where the image file dialog starts: the "Samples" folder of the profile, or the sample
    // images installed with the program, then "Tiles" or "Backgrounds" as the style shown says.
    QString BrowseFolder() const;
    // The browse button: the file dialog, and the image chosen there as the background.
    void Browse();

    // What opens the file dialog: the parent, the folder it starts in and the filter in, the
    // chosen file out (empty when cancelled). Tests answer it; by default it is QFileDialog.
    using ImageChooser = std::function<QString(QWidget*, const QString&, const QString&)>;
    static void SetImageChooser(ImageChooser chooser);

private:
    void BuildLayout();
    void OnSolidColour(qint64 colour);
    // A gradient colour picked; a cancelled dialog stands for the default colour.
    void OnGradientColour(CColourPicker* picker, qint64 colour, COLORREF fallback,
                          COLORREF CAppSettings::*member);
    void OnTypeRadio(int type);
    void OnImageRadio();
    void OnComboChanged(int value, int CAppSettings::*member);
    void OnImageStyle();
    void UpdateEnabledStates();
    void UpdatePreview();
    // Writes the background thumbnail for the settings as they are now and shows it.
    void WriteThumbnail();
    // Records the background change for Apply once the page is filled.
    void MarkChange();

    ILookPagesHost* m_host = nullptr;
    bool m_initialised = false;

    CXDesktopST* m_preview = nullptr;
    QRadioButton* m_solidRadio = nullptr;
    CColourPicker* m_solidColour = nullptr;
    QRadioButton* m_gradientRadio = nullptr;
    CColourPicker* m_startColour = nullptr;
    CColourPicker* m_endColour = nullptr;
    CXGradientDirectionCB* m_direction = nullptr;
    CXGradientTransformCB* m_transform = nullptr;
    QRadioButton* m_imageRadio = nullptr;
    CXBackgroundImageStyleCB* m_style = nullptr;
    QLineEdit* m_path = nullptr;
    CImageButton* m_browse = nullptr;
};

} // namespace skyloom
