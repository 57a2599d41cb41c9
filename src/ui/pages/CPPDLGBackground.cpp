#include "CPPDLGBackground.h"

#include "CXDesktopST.h"
#include "LookCombos.h"
#include "LookPagesHost.h"
#include "composer/CBackgroundRenderer.h"
#include "engine/SlideshowSnapshot.h"
#include "settings/CAppSettings.h"
#include "settings/CUtility.h"
#include "settings/SettingsSnapshot.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/CColourPicker.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ComboData.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace skyloom {
namespace {

// Nothing of the profile: the samples installed with the program.
constexpr char kNoSamplesFolder[] = "RIO";

CPPDLGBackground::ImageChooser& Chooser() {
    static CPPDLGBackground::ImageChooser chooser;
    return chooser;
}

QRadioButton* NewRadio(QWidget* parent, const char* name, const QString& text,
                       const QString& accessibleName) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QLatin1String(name));
    radio->setAccessibleName(accessibleName);
    return radio;
}

CColourPicker* NewPicker(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* picker = new CColourPicker(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setAccessibleName(accessibleName);
    picker->SetChooseEnabled(true);
    return picker;
}

} // namespace

CPPDLGBackground::CPPDLGBackground(CAppSettings* settings, QWidget* parent)
    : SettingsPage(QStringLiteral("Background"), settings, parent) {
    setObjectName(QStringLiteral("backgroundPage"));
    BuildLayout();
}

void CPPDLGBackground::SetImageChooser(ImageChooser chooser) {
    Chooser() = std::move(chooser);
}

void CPPDLGBackground::BuildLayout() {
    m_preview = new CXDesktopST(this);

    m_solidRadio = NewRadio(this, "solidRadio", QStringLiteral("Use Solid Color:"),
                            QStringLiteral("Use Solid Color"));
    m_solidColour = NewPicker(this, "solidColourButton", QStringLiteral("Solid Color"));
    m_gradientRadio = NewRadio(this, "gradientRadio", QStringLiteral("Use Gradient Fill:"),
                               QStringLiteral("Use Gradient Fill"));
    m_startColour = NewPicker(this, "startColourButton", QStringLiteral("Start Color"));
    m_endColour = NewPicker(this, "endColourButton", QStringLiteral("End Color"));
    m_direction = new CXGradientDirectionCB(this);
    m_direction->setObjectName(QStringLiteral("directionCombo"));
    m_direction->setAccessibleName(QStringLiteral("Fill Direction"));
    m_transform = new CXGradientTransformCB(this);
    m_transform->setObjectName(QStringLiteral("transformCombo"));
    m_transform->setAccessibleName(QStringLiteral("Transformation"));
    m_imageRadio =
        NewRadio(this, "imageRadio",
                 QStringLiteral("Use the Selected Image/Photo as Background and Display as:"),
                 QStringLiteral("Use the Selected Image as Background"));
    m_style = new CXBackgroundImageStyleCB(this);
    m_style->setObjectName(QStringLiteral("imageStyleCombo"));
    m_style->setAccessibleName(QStringLiteral("Display Image as"));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("imagePathEdit"));
    m_path->setAccessibleName(QStringLiteral("Background Image"));
    m_browse = new CImageButton(this);
    m_browse->setObjectName(QStringLiteral("browseImageButton"));
    m_browse->setAccessibleName(QStringLiteral("Select Background Image"));
    m_browse->SetPictures(Artwork::ButtonPicture(QStringLiteral("browse")));
    m_browse->setFixedSize(24, 24);
    m_browse->setFocusPolicy(Qt::StrongFocus);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* radio : {m_solidRadio, m_gradientRadio, m_imageRadio})
        group->addButton(radio);

    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* fills = new QGridLayout;
    fills->setVerticalSpacing(4);
    fills->setColumnMinimumWidth(0, 16);
    fills->addWidget(m_solidRadio, 0, 0, 1, 2);
    fills->addWidget(m_solidColour, 0, 2, Qt::AlignLeft);
    fills->addWidget(m_gradientRadio, 1, 0, 1, 4);
    auto* colours = new QHBoxLayout;
    colours->addWidget(label(QStringLiteral("Start Color:"), m_startColour));
    colours->addWidget(m_startColour);
    colours->addSpacing(8);
    colours->addWidget(label(QStringLiteral("End Color:"), m_endColour));
    colours->addWidget(m_endColour);
    colours->addStretch(1);
    fills->addLayout(colours, 2, 1, 1, 3);
    fills->addWidget(label(QStringLiteral("Fill Direction:"), m_direction), 3, 1);
    fills->addWidget(m_direction, 3, 2, 1, 2);
    fills->addWidget(label(QStringLiteral("Transformation:"), m_transform), 4, 1);
    fills->addWidget(m_transform, 4, 2, 1, 2);
    fills->setColumnStretch(3, 1);
    fills->setRowStretch(5, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_preview, 0, Qt::AlignTop);
    top->addSpacing(6);
    top->addLayout(fills, 1);

    // The style under the radio's long caption, the file beside it.
    auto* image = new QHBoxLayout;
    image->addSpacing(16);
    image->addWidget(m_style);
    image->addWidget(m_path, 1);
    image->addWidget(m_browse);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addWidget(m_imageRadio);
    layout->addLayout(image);
    layout->addStretch(1);
    setTabOrder(m_solidRadio, m_solidColour);
    setTabOrder(m_solidColour, m_gradientRadio);
    setTabOrder(m_gradientRadio, m_startColour);
    setTabOrder(m_startColour, m_endColour);
    setTabOrder(m_endColour, m_direction);
    setTabOrder(m_direction, m_transform);
    setTabOrder(m_transform, m_imageRadio);
    setTabOrder(m_imageRadio, m_style);
    setTabOrder(m_style, m_path);
    setTabOrder(m_path, m_browse);

    using S = CAppSettings;
    connect(m_solidColour, &CColourPicker::colourPicked, this, &CPPDLGBackground::OnSolidColour);
    connect(m_startColour, &CColourPicker::colourPicked, this, [this](qint64 colour) {
        OnGradientColour(m_startColour, colour, 0xFF0000, &S::m_crGradientStart);
    });
    connect(m_endColour, &CColourPicker::colourPicked, this, [this](qint64 colour) {
        OnGradientColour(m_endColour, colour, 0xFFFFFF, &S::m_crGradientEnd);
    });
    connect(m_solidRadio, &QRadioButton::clicked, this, [this] { OnTypeRadio(kSolidBackground); });
    connect(m_gradientRadio, &QRadioButton::clicked, this,
            [this] { OnTypeRadio(kGradientBackground); });
    connect(m_imageRadio, &QRadioButton::clicked, this, &CPPDLGBackground::OnImageRadio);
    connect(m_direction, &QComboBox::currentIndexChanged, this,
            [this] { OnComboChanged(SelectedData(m_direction), &S::m_nGradientDirection); });
    connect(m_transform, &QComboBox::currentIndexChanged, this,
            [this] { OnComboChanged(SelectedData(m_transform), &S::m_nGradientTransform); });
    connect(m_style, &QComboBox::currentIndexChanged, this, &CPPDLGBackground::OnImageStyle);
    connect(m_browse, &QAbstractButton::clicked, this, &CPPDLGBackground::Browse);
}

void CPPDLGBackground::Initialize() {
    m_initialised = false;
    CAppSettings& s = *Settings();
    m_solidColour->SetColour(s.m_crSolidColor);
    m_startColour->SetColour(s.m_crGradientStart);
    m_endColour->SetColour(s.m_crGradientEnd);
    SelectData(m_direction, s.m_nGradientDirection);
    SelectData(m_transform, s.m_nGradientTransform);
    SelectData(m_style, s.m_nBackgroundImageStyle);
    m_solidRadio->setChecked(s.m_nBackgroundType == kSolidBackground);
    m_gradientRadio->setChecked(s.m_nBackgroundType == kGradientBackground);
    m_imageRadio->setChecked(s.m_nBackgroundType == kImageBackground);
    m_browse->SetTooltip(QStringLiteral("Select Background Image"), s.m_bShowTooltips != 0);
    // An image that is gone is forgotten.
    if (!QFileInfo(s.GetBackgroundImage()).isFile())
        s.SetBackgroundImage(QString());
    m_path->setText(s.GetBackgroundImage());
    UpdatePreview();
    m_preview->SetImagePath(s.GetBackgroundImagePath());
    UpdateEnabledStates();
    m_initialised = true;
}

void CPPDLGBackground::UpdateEnabledStates() {
    const bool solid = m_solidRadio->isChecked();
    const bool gradient = m_gradientRadio->isChecked();
    const bool image = m_imageRadio->isChecked();
    m_solidColour->setEnabled(solid);
    for (QWidget* w : {static_cast<QWidget*>(m_startColour), static_cast<QWidget*>(m_endColour),
                       static_cast<QWidget*>(m_direction), static_cast<QWidget*>(m_transform)})
        w->setEnabled(gradient);
    for (QWidget* w : {static_cast<QWidget*>(m_browse), static_cast<QWidget*>(m_style),
                       static_cast<QWidget*>(m_path)})
        w->setEnabled(image);
}

void CPPDLGBackground::UpdatePreview() {
    BackgroundSettings background = BackgroundOf(*Settings());
    // The preview draws an image background from the thumbnail.
    background.image = Settings()->GetBackgroundImagePath();
    m_preview->SetBackground(background);
}

void CPPDLGBackground::MarkChange() {
    if (m_initialised && m_host)
        m_host->MarkChanged(PendingChange::Background, 0);
}

void CPPDLGBackground::OnSolidColour(qint64 colour) {
    CAppSettings& s = *Settings();
    if (colour == CColourPicker::kNoColour || COLORREF(colour) == s.m_crSolidColor) {
        m_solidColour->SetColour(s.m_crSolidColor);
        return;
    }
    s.m_crSolidColor = COLORREF(colour);
    UpdatePreview();
    MarkChange();
}

void CPPDLGBackground::OnGradientColour(CColourPicker* picker, qint64 colour, COLORREF fallback,
                                        COLORREF CAppSettings::*member) {
    const COLORREF value = colour == CColourPicker::kNoColour ? fallback : COLORREF(colour);
    picker->SetColour(value);
    if (value == Settings()->*member)
        return;
    Settings()->*member = value;
    UpdatePreview();
    MarkChange();
}

void CPPDLGBackground::OnTypeRadio(int type) {
    QRadioButton* radio = type == kSolidBackground ? m_solidRadio : m_gradientRadio;
    if (radio->isChecked() && Settings()->m_nBackgroundType != type) {
        Settings()->m_nBackgroundType = type;
        UpdatePreview();
        MarkChange();
    }
    UpdateEnabledStates();
}

void CPPDLGBackground::OnImageRadio() {
    CAppSettings& s = *Settings();
    if (m_imageRadio->isChecked() && s.m_nBackgroundType != kImageBackground) {
        s.m_nBackgroundType = kImageBackground;
        const QString path = m_path->text();
        if (!QFileInfo(path).isFile()) {
            // No picture yet: the preview shows a white screen, and Apply waits for one.
            BackgroundSettings white;
            white.type = kSolidBackground;
            white.solidColor = 0xFFFFFF;
            CBackgroundRenderer::WriteBackgroundThumbnail(white, s.GetBackgroundImagePath());
            m_preview->SetImagePath(s.GetBackgroundImagePath());
        } else {
            s.SetBackgroundImage(path);
            WriteThumbnail();
            MarkChange();
        }
        UpdatePreview();
    }
    UpdateEnabledStates();
}

void CPPDLGBackground::OnComboChanged(int value, int CAppSettings::*member) {
    if (!m_initialised || value < 0 || value == Settings()->*member)
        return;
    Settings()->*member = value;
    UpdatePreview();
    MarkChange();
}

void CPPDLGBackground::OnImageStyle() {
    CAppSettings& s = *Settings();
    const int style = SelectedData(m_style);
    if (!m_initialised || style < 0 || style == s.m_nBackgroundImageStyle)
        return;
    // The preview lays the thumbnail out anew; the thumbnail itself stays as it is.
    s.m_nBackgroundImageStyle = style;
    UpdatePreview();
    s.Save();
    MarkChange();
}

void CPPDLGBackground::WriteThumbnail() {
    const CAppSettings& s = *Settings();
    CBackgroundRenderer::WriteBackgroundThumbnail(BackgroundOf(s), s.GetBackgroundImagePath());
    m_preview->SetImagePath(s.GetBackgroundImagePath());
}

QString CPPDLGBackground::BrowseFolder() const {
    QString folder = CUtility::GetRegString(QStringLiteral("Settings"), QStringLiteral("Samples"),
                                            QLatin1String(kNoSamplesFolder));
    if (folder == QLatin1String(kNoSamplesFolder))
        folder = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                 QStringLiteral("/../share/skyloom/Sample Images"));
    if (!folder.endsWith(u'/'))
        folder += u'/';
    folder += SelectedData(m_style) == kTileImage ? QStringLiteral("Tiles/")
                                                  : QStringLiteral("Backgrounds/");
    return folder;
}

void CPPDLGBackground::Browse() {
    static const QString filter =
        QStringLiteral("JPEG (*.jpg);;BMP (*.bmp);;PNG (*.png);;TIFF (*.tif);;"
                       "All (*.jpg *.png *.tif *.bmp)");
    QString folder = BrowseFolder();
    if (!QFileInfo(folder).isDir()) {
        // No samples here: the folder of the image chosen last, else the pictures.
        const QFileInfo current(Settings()->GetBackgroundImage());
        folder = current.isFile()
                     ? current.absolutePath()
                     : QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    }
    const QString file =
        Chooser() ? Chooser()(this, folder, filter)
                  : QFileDialog::getOpenFileName(this, QStringLiteral("Select Background Image"),
                                                 folder, filter);
    if (file.isEmpty())
        return;
    CAppSettings& s = *Settings();
    m_path->setText(file);
    s.SetBackgroundImage(file);
    s.m_nBackgroundType = kImageBackground;
    s.m_nBackgroundImageStyle = SelectedData(m_style);
    MarkChange();
    WriteThumbnail();
    s.Save();
    m_imageRadio->setChecked(true);
    UpdatePreview();
    UpdateEnabledStates();
}

} // namespace skyloom
