#include "CPPDLGWallpaperSettings.h"

#include "CXDesktopST.h"
#include "LookCombos.h"
#include "LookPagesHost.h"
#include "engine/SlideshowSnapshot.h"
#include "settings/CAppSettings.h"
#include "settings/SettingsSnapshot.h"
#include "ui/widgets/ClampingSpinBox.h"
#include "ui/widgets/ComboData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>

namespace skyloom {
namespace {

QString Percent(int value) {
    return QStringLiteral("%1%").arg(value);
}

ClampingSpinBox* NewSpin(QWidget* parent, const char* name, const QString& accessibleName,
                         int minimum, int maximum) {
    auto* spin = new ClampingSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setAccessibleName(accessibleName);
    spin->SetLimits(minimum, maximum);
    return spin;
}

QSlider* NewSlider(QWidget* parent, const QString& name, const QString& accessibleName, int minimum,
                   int maximum) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setAccessibleName(accessibleName);
    slider->setRange(minimum, maximum);
    slider->setTickInterval(5);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setPageStep(5);
    return slider;
}

} // namespace

CPPDLGWallpaperSettings::CPPDLGWallpaperSettings(CAppSettings* settings, QWidget* parent)
    : SettingsPage(QStringLiteral("Wallpaper Settings"), settings, parent) {
    setObjectName(QStringLiteral("wallpaperSettingsPage"));
    using S = CAppSettings;
    m_portrait.positionMember = &S::m_nPortraitPosition;
    m_portrait.scaleMember = &S::m_nPortraitScale;
    m_portrait.transparencyMember = &S::m_nPortraitTransparency;
    m_portrait.grayscaleMember = &S::m_bPortraitGrayscale;
    m_landscape.positionMember = &S::m_nLandscapePosition;
    m_landscape.scaleMember = &S::m_nLandscapeScale;
    m_landscape.transparencyMember = &S::m_nLandscapeTransparency;
    m_landscape.grayscaleMember = &S::m_bLandscapeGrayscale;
    BuildLayout();
}

void CPPDLGWallpaperSettings::BuildLayout() {
    m_preview = new CXDesktopST(this);

    auto* every = new QLabel(QStringLiteral("Change Wallpaper Every:"), this);
    m_hours = NewSpin(this, "hoursSpin", QStringLiteral("Hours"), 0, 23);
    m_minutes = NewSpin(this, "minutesSpin", QStringLiteral("Minutes"), 0, 59);
    m_seconds = NewSpin(this, "secondsSpin", QStringLiteral("Seconds"), 0, 59);
    every->setBuddy(m_hours);
    auto* interval = new QHBoxLayout;
    interval->setSpacing(4);
    for (const auto& [spin, caption] :
         {std::pair{m_hours, "Hours"}, {m_minutes, "Minutes"}, {m_seconds, "Seconds"}}) {
        interval->addWidget(spin);
        auto* label = new QLabel(QLatin1String(caption), this);
        label->setBuddy(spin);
        interval->addWidget(label);
    }
    interval->addStretch(1);

    auto* orientationLabel = new QLabel(QStringLiteral("Photo Orientation:"), this);
    m_orientation = new CXOrientationCB(this);
    m_orientation->setObjectName(QStringLiteral("orientationCombo"));
    m_orientation->setAccessibleName(QStringLiteral("Photo Orientation"));
    orientationLabel->setBuddy(m_orientation);

    m_minSizeCheck = new QCheckBox(QStringLiteral("Minimum Allowed Photo Size (in Pixels):"), this);
    m_minSizeCheck->setObjectName(QStringLiteral("minSizeCheck"));
    m_minSizeCheck->setAccessibleName(QStringLiteral("Minimum Allowed Photo Size"));
    m_minSize = NewSpin(this, "minSizeSpin", QStringLiteral("Minimum Photo Size"), 480, 2000);
    auto* minSize = new QHBoxLayout;
    minSize->addSpacing(m_minSizeCheck->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4);
    minSize->addWidget(m_minSize);
    minSize->addStretch(1);

    auto* monitorsLabel = new QLabel(QStringLiteral("Monitors:"), this);
    m_monitors = new QComboBox(this);
    m_monitors->setObjectName(QStringLiteral("monitorsCombo"));
    m_monitors->setAccessibleName(QStringLiteral("Monitors"));
    m_monitors->addItem(QStringLiteral("One photo on the primary monitor"),
                        int(CAppSettings::kPrimaryMonitor));
    m_monitors->addItem(QStringLiteral("A photo on each monitor"), int(CAppSettings::kEachMonitor));
    monitorsLabel->setBuddy(m_monitors);

    m_glass = new QCheckBox(QStringLiteral("Include Glass Reflection when Drawing Photo"), this);
    m_glass->setObjectName(QStringLiteral("glassReflectionCheck"));
    m_glass->setAccessibleName(m_glass->text());

    auto* general = new QVBoxLayout;
    general->setSpacing(2);
    general->addWidget(every);
    general->addLayout(interval);
    general->addWidget(orientationLabel);
    general->addWidget(m_orientation);
    general->addWidget(m_minSizeCheck);
    general->addLayout(minSize);
    general->addWidget(monitorsLabel);
    general->addWidget(m_monitors);
    general->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_preview, 0, Qt::AlignTop);
    top->addSpacing(6);
    top->addLayout(general, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_glass);
    layout->addWidget(BuildPhotoControls(m_portrait, false));
    layout->addWidget(BuildPhotoControls(m_landscape, true));
    // The two groups' columns line up.
    const int checkWidth = std::max(m_portrait.grayscale->sizeHint().width(),
                                    m_landscape.grayscale->sizeHint().width());
    for (PhotoControls* c : {&m_portrait, &m_landscape})
        c->grayscale->setMinimumWidth(checkWidth);
    layout->addStretch(1);

    connect(m_hours, &ClampingSpinBox::valueTaken, this, [this](int hours) {
        Settings()->m_nIntervalHours = hours;
        Mark(PendingChange::Interval);
    });
    connect(m_minutes, &ClampingSpinBox::valueTaken, this, [this](int minutes) {
        Settings()->m_nIntervalMinutes = minutes;
        // With no minutes the interval takes at least a second.
        m_seconds->SetLimits(minutes <= 0 ? 1 : 0, 59);
        Mark(PendingChange::Interval);
    });
    connect(m_seconds, &ClampingSpinBox::valueTaken, this, [this](int seconds) {
        Settings()->m_nIntervalSeconds = seconds;
        Mark(PendingChange::Interval);
    });
    connect(m_orientation, &QComboBox::currentIndexChanged, this,
            &CPPDLGWallpaperSettings::OnOrientationFilter);
    connect(m_minSizeCheck, &QCheckBox::clicked, this, &CPPDLGWallpaperSettings::OnMinSizeCheck);
    // Kept as typed until the edit is finished, then brought within its limits.
    connect(m_minSize, &ClampingSpinBox::valueTyped, this, [this](int size) {
        Settings()->m_nMinSize = size;
        Mark(PendingChange::PhotoOptions, FilterChange::MinSize);
    });
    connect(m_glass, &QCheckBox::clicked, this, &CPPDLGWallpaperSettings::OnGlassReflection);
    connect(m_monitors, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_initialised)
            return;
        Settings()->m_nMonitors = m_monitors->currentData().toInt();
        // The photos are drawn and composed again for the monitors.
        Mark(PendingChange::PhotoOptions);
    });
    ConnectPhotoControls(m_portrait);
    ConnectPhotoControls(m_landscape);
}

QGroupBox* CPPDLGWallpaperSettings::BuildPhotoControls(PhotoControls& c, bool landscape) {
    const QString kind = landscape ? QStringLiteral("Landscape") : QStringLiteral("Portrait");
    const QString prefix = landscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
    c.box = new QGroupBox(QStringLiteral("%1 Wallpaper Photo Options").arg(kind), this);
    c.box->setObjectName(prefix + QStringLiteral("Group"));
    c.box->installEventFilter(this);
    c.position = new CXPhotoPositionCB(landscape, c.box);
    c.position->setObjectName(prefix + QStringLiteral("PositionCombo"));
    c.position->setAccessibleName(kind + QStringLiteral(" Photo Position"));
    c.scale = NewSlider(c.box, prefix + QStringLiteral("ScaleSlider"),
                        kind + QStringLiteral(" Scale"), 50, 100);
    c.transparency = NewSlider(c.box, prefix + QStringLiteral("TransparencySlider"),
                               kind + QStringLiteral(" Transparency"), 0, 90);
    c.scaleLabel = new QLabel(c.box);
    c.scaleLabel->setObjectName(prefix + QStringLiteral("ScaleLabel"));
    c.transparencyLabel = new QLabel(c.box);
    c.transparencyLabel->setObjectName(prefix + QStringLiteral("TransparencyLabel"));
    for (QLabel* label : {c.scaleLabel, c.transparencyLabel}) {
        // Room for "100%" whatever the value, so that the slider does not move.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    c.grayscale = new QCheckBox(QStringLiteral("Convert %1 Photos to Grayscale").arg(kind), c.box);
    c.grayscale->setObjectName(prefix + QStringLiteral("GrayscaleCheck"));
    c.grayscale->setAccessibleName(c.grayscale->text());

    // Two rows: the position and the greyscale on the left, the two sliders on the right.
    auto* grid = new QGridLayout(c.box);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(0);
    const auto label = [&](const QString& caption, QWidget* buddy) {
        auto* l = new QLabel(caption, c.box);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(QStringLiteral("Photo Position:"), c.position), 0, 0);
    grid->addWidget(c.position, 0, 1);
    grid->addWidget(c.grayscale, 1, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("Scale:"), c.scale), 0, 2);
    grid->addWidget(c.scale, 0, 3);
    grid->addWidget(c.scaleLabel, 0, 4);
    grid->addWidget(label(QStringLiteral("Transparency:"), c.transparency), 1, 2);
    grid->addWidget(c.transparency, 1, 3);
    grid->addWidget(c.transparencyLabel, 1, 4);
    grid->setColumnMinimumWidth(2, 0);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return c.box;
}

void CPPDLGWallpaperSettings::ConnectPhotoControls(PhotoControls& c) {
    connect(c.position, &QComboBox::currentIndexChanged, this, [this, &c] {
        if (!m_initialised || c.position->currentIndex() < 0)
            return;
        Settings()->*c.positionMember = SelectedData(c.position);
        UpdatePreviewOptions();
        Mark(PendingChange::PhotoOptions);
    });
    connect(c.scale, &QSlider::valueChanged, this,
            [this, &c] { OnSlider(c.scale, c.scaleLabel, c.scaleMember); });
    connect(c.transparency, &QSlider::valueChanged, this,
            [this, &c] { OnSlider(c.transparency, c.transparencyLabel, c.transparencyMember); });
    connect(c.grayscale, &QCheckBox::clicked, this, [this, &c](bool checked) {
        Settings()->*c.grayscaleMember = checked ? 1 : 0;
        UpdatePreviewOptions();
        Mark(PendingChange::PhotoOptions);
    });
}

void CPPDLGWallpaperSettings::OnSlider(QSlider* slider, QLabel* label, int CAppSettings::*member) {
    if (!m_initialised || slider->value() == Settings()->*member)
        return;
    Settings()->*member = slider->value();
    label->setText(Percent(slider->value()));
    UpdatePreviewOptions();
    Mark(PendingChange::PhotoOptions);
}

void CPPDLGWallpaperSettings::LoadPhotoControls(PhotoControls& c) {
    const CAppSettings& s = *Settings();
    // A position the list does not hold (a landscape photo "Left") selects nothing and stays
    // stored until another is picked.
    SelectData(c.position, s.*c.positionMember);
    c.scale->setValue(s.*c.scaleMember);
    c.scaleLabel->setText(Percent(c.scale->value()));
    c.transparency->setValue(s.*c.transparencyMember);
    c.transparencyLabel->setText(Percent(c.transparency->value()));
    c.grayscale->setChecked(s.*c.grayscaleMember != 0);
}

void CPPDLGWallpaperSettings::Initialize() {
    m_initialised = false;
    const CAppSettings& s = *Settings();
    m_preview->SetPhotoMode(true);
    m_preview->SetDrawFrame(false);
    m_preview->SetPhotoOptions(RenderOptionsOf(s));
    Activate();
    m_preview->SetShownOrientation(s.m_nOrientationFilter == kLandscape ? kLandscape : kPortrait);

    SelectData(m_orientation, s.m_nOrientationFilter);
    m_hours->setValue(s.m_nIntervalHours);
    m_minutes->setValue(s.m_nIntervalMinutes);
    m_seconds->setValue(s.m_nIntervalSeconds);
    // Each brought within its limits, the seconds' as the stored minutes say.
    m_seconds->SetLimits(s.m_nIntervalMinutes <= 0 ? 1 : 0, 59);
    m_minutes->SetLimits(0, 59);
    m_hours->SetLimits(0, 23);
    m_minSizeCheck->setChecked(s.m_bMinSizeFilter != 0);
    m_minSize->setValue(s.m_nMinSize);
    LoadPhotoControls(m_portrait);
    LoadPhotoControls(m_landscape);
    m_glass->setChecked(s.m_bGlassReflection != 0);
    m_monitors->setCurrentIndex(std::max(0, m_monitors->findData(s.m_nMonitors)));
    OnMinSizeCheck();
    OnGlassReflection();
    OnOrientationFilter();
    m_initialised = true;
}

void CPPDLGWallpaperSettings::Activate() {
    const CAppSettings& s = *Settings();
    BackgroundSettings background = BackgroundOf(s);
    background.image = s.GetBackgroundImagePath();
    m_preview->SetBackground(background);
    m_preview->SetImagePath(s.GetBackgroundImagePath());
    if (m_initialised && !std::exchange(m_focused, true))
        m_seconds->setFocus();
}

void CPPDLGWallpaperSettings::OnOrientationFilter() {
    const int filter = SelectedData(m_orientation);
    if (filter >= 0) // a stored filter the list lacks stays as it is
        Settings()->m_nOrientationFilter = filter;
    UpdateEnabledStates();
    m_preview->SetShownOrientation(filter == kLandscape ? kLandscape : kPortrait);
    Mark(PendingChange::PhotoOptions, FilterChange::Orientation);
}

void CPPDLGWallpaperSettings::OnMinSizeCheck() {
    Settings()->m_bMinSizeFilter = m_minSizeCheck->isChecked() ? 1 : 0;
    m_minSize->setEnabled(m_minSizeCheck->isChecked());
    Mark(PendingChange::PhotoOptions, FilterChange::MinSize);
}

void CPPDLGWallpaperSettings::OnGlassReflection() {
    Settings()->m_bGlassReflection = m_glass->isChecked() ? 1 : 0;
    m_preview->SetGlassReflection(m_glass->isChecked());
    UpdateEnabledStates();
    Mark(PendingChange::PhotoOptions, FilterChange::GlassReflection);
}

void CPPDLGWallpaperSettings::UpdateEnabledStates() {
    const int filter = Settings()->m_nOrientationFilter;
    const bool glass = Settings()->m_bGlassReflection != 0;
    const auto enable = [glass](PhotoControls& c, bool on) {
        for (QWidget* w : {static_cast<QWidget*>(c.position), static_cast<QWidget*>(c.scale),
                           static_cast<QWidget*>(c.scaleLabel), static_cast<QWidget*>(c.grayscale)})
            w->setEnabled(on);
        // With the reflection the photo is drawn opaque: its transparency does not count.
        c.transparency->setEnabled(on && !glass);
        c.transparencyLabel->setEnabled(on && !glass);
    };
    enable(m_portrait, filter == kAnyOrientation || filter == kPortrait);
    enable(m_landscape, filter == kAnyOrientation || filter == kLandscape);
}

void CPPDLGWallpaperSettings::UpdatePreviewOptions() {
    m_preview->SetPhotoOptions(RenderOptionsOf(*Settings()));
}

void CPPDLGWallpaperSettings::Mark(unsigned changeBits, unsigned filterBits) {
    if (m_initialised && m_host)
        m_host->MarkChanged(changeBits, filterBits);
}

bool CPPDLGWallpaperSettings::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        const int filter = Settings()->m_nOrientationFilter;
        if (watched == m_portrait.box && filter != kLandscape)
            m_preview->SetShownOrientation(kPortrait);
        else if (watched == m_landscape.box && filter != kPortrait)
            m_preview->SetShownOrientation(kLandscape);
    }
    return SettingsPage::eventFilter(watched, event);
}

} // namespace skyloom
