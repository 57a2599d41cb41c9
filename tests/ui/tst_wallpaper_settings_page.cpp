// The Wallpaper Settings page over a real settings record: the interval and minimum-size limits,
// which controls each filter and the reflection leave enabled, what each control marks for
// Apply, a stored position the list does not hold, the sample the pointer picks, and the look.

#include "LookPagesFixture.h"
#include "Screenshots.h"
#include "TestMain.h"
#include "TestFiles.h"
#include "engine/SlideshowSnapshot.h"
#include "settings/CUtility.h"
#include "ui/pages/CPPDLGWallpaperSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

using namespace skyloom;

class TestWallpaperSettingsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<test::LookPagesFixture> m_fixture;
    std::unique_ptr<CPPDLGWallpaperSettings> m_page;
    test::RecordingLookHost m_host;

    CAppSettings& Settings() { return m_fixture->settings; }
    template <class T> T* Child(const char* name) {
        T* child = m_page->findChild<T*>(name);
        if (!child)
            qWarning("no %s", name);
        return child;
    }
    void Open() {
        m_page = std::make_unique<CPPDLGWallpaperSettings>(&Settings());
        m_page->SetHost(&m_host);
        m_page->Initialize();
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
        m_host.Clear();
    }
    // Types into a spin box; Enter finishes the edit when asked.
    void Type(const char* spin, const QString& text, bool finish = true) {
        auto* box = Child<QSpinBox>(spin);
        QVERIFY(box);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        if (finish)
            QTest::keyClick(box, Qt::Key_Return);
    }

private slots:
    void init() {
        m_fixture = std::make_unique<test::LookPagesFixture>();
        Open();
    }
    void cleanup() {
        m_page.reset();
        m_fixture.reset();
    }

    void intervalLimits_data() {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("spin");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("storedMinutes");
        QTest::addColumn<int>("seconds");
        QTest::newRow("no minutes: at least a second") << 0 << "secondsSpin"
                                                       << "0" << 0 << 0 << 1;
        QTest::newRow("a minute: no seconds allowed") << 1 << "secondsSpin"
                                                      << "0" << 0 << 1 << 0;
        QTest::newRow("seconds above 59") << 1 << "secondsSpin"
                                          << "75" << 0 << 1 << 59;
        QTest::newRow("minutes to 0 lift the seconds") << 1 << "minutesSpin"
                                                       << "0" << 0 << 0 << 1;
        QTest::newRow("minutes above 59") << 1 << "minutesSpin"
                                          << "90" << 0 << 59 << 0;
        QTest::newRow("hours above 23") << 1 << "hoursSpin"
                                        << "30" << 23 << 1 << 0;
    }
    void intervalLimits() {
        QFETCH(int, minutes);
        QFETCH(QString, spin);
        QFETCH(QString, typed);
        Settings().m_nIntervalMinutes = minutes;
        Settings().m_nIntervalSeconds = minutes == 0 ? 3 : 0;
        Open();
        Type(qPrintable(spin), typed);
        QTEST(Settings().m_nIntervalHours, "hours");
        QTEST(Settings().m_nIntervalMinutes, "storedMinutes");
        QTEST(Settings().m_nIntervalSeconds, "seconds");
        QTEST(Child<QSpinBox>("secondsSpin")->value(), "seconds");
        QCOMPARE(m_host.changes, PendingChange::Interval);
    }

    void minimumSizeKeptAsTypedUntilTheEditEnds_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("finished");
        QTest::newRow("below") << "300" << 480;
        QTest::newRow("above") << "2500" << 2000;
        QTest::newRow("inside") << "800" << 800;
    }
    void minimumSizeKeptAsTypedUntilTheEditEnds() {
        QFETCH(QString, typed);
        Type("minSizeSpin", typed, false);
        QCOMPARE(Settings().m_nMinSize, typed.toInt());
        // The focus moves on: the number is brought within its limits.
        Child<QCheckBox>("glassReflectionCheck")->setFocus();
        QTEST(Settings().m_nMinSize, "finished");
        QTEST(Child<QSpinBox>("minSizeSpin")->value(), "finished");
        QCOMPARE(m_host.changes, PendingChange::PhotoOptions);
        QCOMPARE(m_host.filters, FilterChange::MinSize);
    }

    void enabledStates_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<bool>("glass");
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<bool>("portraitTransparency");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<bool>("landscapeTransparency");
        QTest::addColumn<int>("shown");
        QTest::newRow("any, no reflection") << 0 << false << true << true << true << true << 1;
        QTest::newRow("any, reflection") << 0 << true << true << false << true << false << 1;
        QTest::newRow("portrait only") << 1 << false << true << true << false << false << 1;
        QTest::newRow("landscape only") << 2 << false << false << false << true << true << 2;
        QTest::newRow("landscape, reflection") << 2 << true << false << false << true << false << 2;
    }
    void enabledStates() {
        QFETCH(int, filter);
        QFETCH(bool, glass);
        Settings().m_nPortraitTransparency = 40;
        Settings().m_nLandscapeTransparency = 60;
        auto* orientation = Child<QComboBox>("orientationCombo");
        orientation->setCurrentIndex(orientation->findData(filter));
        auto* reflection = Child<QCheckBox>("glassReflectionCheck");
        if (reflection->isChecked() != glass)
            reflection->click();
        for (const char* name :
             {"portraitPositionCombo", "portraitScaleSlider", "portraitGrayscaleCheck"})
            QTEST(Child<QWidget>(name)->isEnabled(), "portrait");
        QTEST(Child<QWidget>("portraitTransparencySlider")->isEnabled(), "portraitTransparency");
        for (const char* name :
             {"landscapePositionCombo", "landscapeScaleSlider", "landscapeGrayscaleCheck"})
            QTEST(Child<QWidget>(name)->isEnabled(), "landscape");
        QTEST(Child<QWidget>("landscapeTransparencySlider")->isEnabled(), "landscapeTransparency");
        QTEST(m_page->Preview().ShownOrientation(), "shown");
        // The reflection turns the transparencies off but keeps them.
        QCOMPARE(Settings().m_nPortraitTransparency, 40);
        QCOMPARE(Settings().m_nLandscapeTransparency, 60);
        QCOMPARE(Settings().m_nOrientationFilter, filter);
        QCOMPARE(Settings().m_bGlassReflection, glass ? 1 : 0);
    }

    void pendingBits_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("value");
        QTest::addColumn<unsigned>("changes");
        QTest::addColumn<unsigned>("filters");
        const unsigned photo = PendingChange::PhotoOptions;
        QTest::newRow("orientation")
            << "orientationCombo" << 2 << photo << FilterChange::Orientation;
        QTest::newRow("minimum-size check")
            << "minSizeCheck" << 0 << photo << FilterChange::MinSize;
        QTest::newRow("glass reflection")
            << "glassReflectionCheck" << 0 << photo << FilterChange::GlassReflection;
        QTest::newRow("portrait position") << "portraitPositionCombo" << 0 << photo << 0u;
        QTest::newRow("landscape position") << "landscapePositionCombo" << 10 << photo << 0u;
        QTest::newRow("portrait scale") << "portraitScaleSlider" << 90 << photo << 0u;
        QTest::newRow("landscape transparency")
            << "landscapeTransparencySlider" << 35 << photo << 0u;
        QTest::newRow("portrait greyscale") << "portraitGrayscaleCheck" << 1 << photo << 0u;
        QTest::newRow("scale left as it is") << "landscapeScaleSlider" << 65 << 0u << 0u;
        QTest::newRow("a photo on each monitor")
            << "monitorsCombo" << int(CAppSettings::kEachMonitor) << photo << 0u;
    }
    void pendingBits() {
        QFETCH(QString, control);
        QFETCH(int, value);
        QWidget* widget = Child<QWidget>(qPrintable(control));
        QVERIFY(widget);
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->setCurrentIndex(combo->findData(value));
        else if (auto* slider = qobject_cast<QSlider*>(widget))
            slider->setValue(value);
        else if (auto* check = qobject_cast<QCheckBox*>(widget))
            check->click();
        QTEST(m_host.changes, "changes");
        QTEST(m_host.filters, "filters");
    }

    void monitorsOptionIsStoredBesideTheFile() {
        auto* monitors = Child<QComboBox>("monitorsCombo");
        QCOMPARE(monitors->count(), 2);
        QCOMPARE(monitors->itemText(0), QString("One photo on the primary monitor"));
        QCOMPARE(monitors->itemText(1), QString("A photo on each monitor"));
        QCOMPARE(monitors->currentIndex(), 0);
        const QByteArray before = Settings().Serialise();
        monitors->setCurrentIndex(1);
        QCOMPARE(Settings().m_nMonitors, int(CAppSettings::kEachMonitor));
        // The file's layout is untouched; the profile store holds the option.
        QCOMPARE(Settings().Serialise(), before);
        QVERIFY(Settings().Save());
        QCOMPARE(CUtility::GetRegString("Options", "Monitors", "?"), QString("each"));
        CAppSettings again;
        again.SetSettingsPath(Settings().GetSettingsPath());
        QCOMPARE(again.Load(), CAppSettings::LoadOutcome::Loaded);
        QCOMPARE(again.m_nMonitors, int(CAppSettings::kEachMonitor));
        Open();
        QCOMPARE(Child<QComboBox>("monitorsCombo")->currentIndex(), 1);
        // A damaged settings file is put aside and reset; the option is not the file's.
        QVERIFY(test::WriteFile(Settings().GetSettingsPath(), "damaged"));
        CAppSettings reset;
        reset.SetSettingsPath(Settings().GetSettingsPath());
        QCOMPARE(reset.Load(), CAppSettings::LoadOutcome::Malformed);
        QCOMPARE(reset.m_nMonitors, int(CAppSettings::kEachMonitor));
        QCOMPARE(CUtility::GetRegString("Options", "Monitors", "?"), QString("each"));
    }

    void sliderShowsAndStoresItsValue() {
        auto* slider = Child<QSlider>("portraitScaleSlider");
        QCOMPARE(slider->minimum(), 50);
        QCOMPARE(slider->maximum(), 100);
        QCOMPARE(slider->pageStep(), 5);
        QCOMPARE(slider->tickInterval(), 5);
        QTest::keyClick(slider, Qt::Key_PageUp);
        QCOMPARE(Settings().m_nPortraitScale, 80);
        QCOMPARE(Child<QLabel>("portraitScaleLabel")->text(), QString("80%"));
        QCOMPARE(Child<QSlider>("landscapeTransparencySlider")->maximum(), 90);
        // The preview follows.
        QCOMPARE(m_page->Preview().Scene().options.portraitScale, 80);
    }

    void positionListsAndAPositionTheyLack() {
        auto* portrait = Child<QComboBox>("portraitPositionCombo");
        auto* landscape = Child<QComboBox>("landscapePositionCombo");
        QCOMPARE(portrait->count(), 11);
        QCOMPARE(landscape->count(), 9);
        QCOMPARE(portrait->itemText(6), QString("Center Right - 3D"));
        QCOMPARE(landscape->findData(2), -1);
        QCOMPARE(landscape->findData(8), -1);
        Settings().m_nLandscapePosition = 2;
        Open();
        landscape = Child<QComboBox>("landscapePositionCombo");
        QCOMPARE(landscape->currentIndex(), -1);
        QCOMPARE(Settings().m_nLandscapePosition, 2);
        QCOMPARE(m_host.calls, 0);
        landscape->setCurrentIndex(landscape->findData(9));
        QCOMPARE(Settings().m_nLandscapePosition, 9);
    }

    void pointerPicksTheSample_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<int>("overPortrait");
        QTest::addColumn<int>("overLandscape");
        QTest::newRow("any") << 0 << 1 << 2;
        QTest::newRow("portrait only") << 1 << 1 << 1;
        QTest::newRow("landscape only") << 2 << 2 << 2;
    }
    void pointerPicksTheSample() {
        QFETCH(int, filter);
        Settings().m_nOrientationFilter = filter;
        Open();
        CXDesktopST& preview = m_page->Preview();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(Child<QGroupBox>("landscapeGroup"), &enter);
        QTEST(preview.ShownOrientation(), "overLandscape");
        QApplication::sendEvent(Child<QGroupBox>("portraitGroup"), &enter);
        QTEST(preview.ShownOrientation(), "overPortrait");
        // Only a change of sample composes again.
        QVERIFY(test::WaitForPreview(preview));
        const int started = preview.CompositionsStarted();
        QApplication::sendEvent(Child<QGroupBox>("portraitGroup"), &enter);
        preview.repaint();
        QCOMPARE(preview.CompositionsStarted(), started);
        QCOMPARE(m_host.calls, 0);
    }

    void screenshots_data() { test::AddScreenshotRows(); }
    void screenshots() {
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        test::UsePalette(dark);
        Settings().m_nBackgroundType = 1;
        Settings().m_crGradientStart = 0x803010;
        Settings().m_crGradientEnd = 0xF0C080;
        Open();
        QVERIFY(test::SaveLookPageScreenshot(*m_page, m_page->Preview(), "wallpaper-settings-page",
                                             dark, ratio));
        test::UsePalette(false);
    }
};

SKYLOOM_TEST_MAIN(TestWallpaperSettingsPage, QApplication)
#include "tst_wallpaper_settings_page.moc"
