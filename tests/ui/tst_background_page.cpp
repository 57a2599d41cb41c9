// The Background page over a real settings record and thumbnail file: what the colour pickers
// store (a cancelled dialog included), the radios and their controls, when the thumbnail is
// written anew, where the image dialog starts, and the page's look.

#include "LookPagesFixture.h"
#include "Screenshots.h"
#include "TestMain.h"
#include "engine/SlideshowSnapshot.h"
#include "ui/pages/CPPDLGBackground.h"
#include "ui/widgets/CColourPicker.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QStandardPaths>

using namespace skyloom;

namespace {

// The answer the colour dialog gives in a row: a swatch of the palette, a cancel, or a colour.
constexpr qint64 kSwatch = -2;
constexpr qint64 kCancel = -1;

QColor ColourOf(COLORREF c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// Within a few steps per channel (the photo went through JPEG).
bool Near(QRgb pixel, const QColor& colour) {
    return qAbs(qRed(pixel) - colour.red()) < 8 && qAbs(qGreen(pixel) - colour.green()) < 8 &&
           qAbs(qBlue(pixel) - colour.blue()) < 8;
}

} // namespace

class TestBackgroundPage : public QObject {
    Q_OBJECT

    std::unique_ptr<test::LookPagesFixture> m_fixture;
    std::unique_ptr<CPPDLGBackground> m_page;
    test::RecordingLookHost m_host;
    QString m_photo; // an image file to choose
    QStringList m_dialogFolders;

    CAppSettings& Settings() { return m_fixture->settings; }
    template <class T> T* Child(const char* name) { return m_page->findChild<T*>(name); }
    void Open() {
        m_page = std::make_unique<CPPDLGBackground>(&Settings());
        m_page->SetHost(&m_host);
        m_page->Initialize();
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
        m_host.Clear();
    }
    // A stand-in thumbnail, so that a test sees whether the page wrote the file anew.
    void PlantThumbnail() {
        QImage sentinel(3, 3, QImage::Format_RGB32);
        sentinel.fill(Qt::magenta);
        QVERIFY(sentinel.save(m_fixture->Thumbnail(), "PNG"));
    }
    bool ThumbnailRewritten() const { return QImage(m_fixture->Thumbnail()).size() != QSize(3, 3); }

private slots:
    void init() {
        m_fixture = std::make_unique<test::LookPagesFixture>();
        m_photo = m_fixture->dir.path() + "/Ocean <blue>.jpg";
        QImage photo(400, 300, QImage::Format_RGB32);
        photo.fill(QColor(20, 90, 200));
        QVERIFY(photo.save(m_photo, "JPEG"));
        Settings().m_crSolidColor = 0x102030;
        Settings().m_crGradientStart = 0x00FF00;
        Settings().m_crGradientEnd = 0x0000FF;
        m_dialogFolders.clear();
        CPPDLGBackground::SetImageChooser([this](QWidget*, const QString& folder, const QString&) {
            m_dialogFolders << folder;
            return m_photo;
        });
        Open();
    }
    void cleanup() {
        m_page.reset();
        m_fixture.reset();
        CColourPicker::SetColourChooser({});
        CPPDLGBackground::SetImageChooser({});
    }

    void colourPicks_data() {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<qint64>("answer");
        QTest::addColumn<uint>("stored");
        QTest::addColumn<bool>("marked");
        const uint swatch = CColourPicker::Palette().at(13);
        QTest::newRow("solid: a swatch") << "solidColourButton" << kSwatch << swatch << true;
        QTest::newRow("solid: a colour")
            << "solidColourButton" << qint64(0x030201) << 0x030201u << true;
        QTest::newRow("solid: the same colour")
            << "solidColourButton" << qint64(0x102030) << 0x102030u << false;
        QTest::newRow("solid: cancelled") << "solidColourButton" << kCancel << 0x102030u << false;
        QTest::newRow("start: cancelled is red")
            << "startColourButton" << kCancel << 0xFF0000u << true;
        QTest::newRow("end: cancelled is white")
            << "endColourButton" << kCancel << 0xFFFFFFu << true;
        QTest::newRow("start: a swatch") << "startColourButton" << kSwatch << swatch << true;
        QTest::newRow("end: the same colour")
            << "endColourButton" << qint64(0x0000FF) << 0x0000FFu << false;
    }
    void colourPicks() {
        QFETCH(QString, picker);
        QFETCH(qint64, answer);
        QFETCH(uint, stored);
        auto* button = Child<CColourPicker>(qPrintable(picker));
        QVERIFY(button);
        CColourPicker::SetColourChooser([answer](const QColor&, QWidget*) -> std::optional<QColor> {
            if (answer == kCancel)
                return std::nullopt;
            return ColourOf(COLORREF(answer));
        });
        if (answer == kSwatch)
            button->PickSwatch(13);
        else
            button->Choose();
        const COLORREF CAppSettings::*member =
            picker == "solidColourButton"   ? &CAppSettings::m_crSolidColor
            : picker == "startColourButton" ? &CAppSettings::m_crGradientStart
                                            : &CAppSettings::m_crGradientEnd;
        QCOMPARE(uint(Settings().*member), stored);
        QCOMPARE(uint(button->Colour()), stored);
        QTEST(m_host.calls > 0, "marked");
        if (m_host.calls > 0)
            QCOMPARE(m_host.changes, PendingChange::Background);
        // The preview draws what is stored.
        const BackgroundSettings& shown = m_page->Preview().Scene().options.background;
        QCOMPARE(uint(picker == "solidColourButton"   ? shown.solidColor
                      : picker == "startColourButton" ? shown.gradientStart
                                                      : shown.gradientEnd),
                 stored);
    }

    void radiosAndTheirControls_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("solid");
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<bool>("image");
        QTest::newRow("gradient") << "gradientRadio" << 1 << false << true << false;
        QTest::newRow("image") << "imageRadio" << 2 << false << false << true;
        QTest::newRow("solid again") << "solidRadio" << 0 << true << false << false;
    }
    void radiosAndTheirControls() {
        QFETCH(QString, radio);
        if (radio == "solidRadio")
            Child<QRadioButton>("gradientRadio")->click();
        Child<QRadioButton>(qPrintable(radio))->click();
        QTEST(Settings().m_nBackgroundType, "type");
        QTEST(m_page->Preview().Scene().options.background.type, "type");
        QTEST(Child<QWidget>("solidColourButton")->isEnabled(), "solid");
        for (const char* name :
             {"startColourButton", "endColourButton", "directionCombo", "transformCombo"})
            QTEST(Child<QWidget>(name)->isEnabled(), "gradient");
        for (const char* name : {"imageStyleCombo", "imagePathEdit", "browseImageButton"})
            QTEST(Child<QWidget>(name)->isEnabled(), "image");
    }

    void comboValues() {
        auto* direction = Child<QComboBox>("directionCombo");
        QStringList captions;
        QList<int> values;
        for (int i = 0; i < direction->count(); ++i) {
            captions << direction->itemText(i);
            values << direction->itemData(i).toInt();
        }
        QCOMPARE(captions, QStringList({"Horizontal", "Vertical", "Radial", "Backward Diagonal",
                                        "Forward Diagonal"}));
        QCOMPARE(values, QList<int>({0, 1, 2, 5, 4}));
        auto* transform = Child<QComboBox>("transformCombo");
        QCOMPARE(transform->findText("Shift"), 3);
        QCOMPARE(transform->itemData(3).toInt(), 5);
        Child<QRadioButton>("gradientRadio")->click();
        m_host.Clear();
        direction->setCurrentIndex(3);
        QCOMPARE(Settings().m_nGradientDirection, 5);
        transform->setCurrentIndex(transform->findData(2));
        QCOMPARE(Settings().m_nGradientTransform, 2);
        QCOMPARE(m_host.changes, PendingChange::Background);
        QCOMPARE(m_page->Preview().Scene().options.background.gradientDirection, 5);
    }

    void thumbnailWrittenOnlyForTheImage_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("rewritten");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("saved");
        QTest::newRow("image radio without an image") << "radio" << true << false << false;
        QTest::newRow("image radio with an image typed") << "typed" << true << true << false;
        QTest::newRow("image chosen") << "browse" << true << true << true;
        QTest::newRow("image style") << "style" << false << true << true;
        QTest::newRow("solid colour") << "solid" << false << true << false;
        QTest::newRow("gradient direction") << "direction" << false << true << false;
    }
    void thumbnailWrittenOnlyForTheImage() {
        QFETCH(QString, action);
        if (action == "style") {
            Settings().m_nBackgroundType = kImageBackground;
            Settings().SetBackgroundImage(m_photo);
            Open();
        } else if (action == "direction") {
            Settings().m_nBackgroundType = kGradientBackground;
            Open();
        }
        PlantThumbnail();
        QFile::remove(Settings().GetSettingsPath());
        if (action == "radio") {
            Child<QRadioButton>("imageRadio")->click();
        } else if (action == "typed") {
            Child<QLineEdit>("imagePathEdit")->setText(m_photo);
            Child<QRadioButton>("imageRadio")->click();
            QCOMPARE(Settings().GetBackgroundImage(), m_photo);
        } else if (action == "browse") {
            m_page->Browse();
            QCOMPARE(Settings().GetBackgroundImage(), m_photo);
            QCOMPARE(Child<QLineEdit>("imagePathEdit")->text(), m_photo);
            QVERIFY(Child<QRadioButton>("imageRadio")->isChecked());
        } else if (action == "style") {
            Child<QComboBox>("imageStyleCombo")->setCurrentIndex(1);
            QCOMPARE(Settings().m_nBackgroundImageStyle, 1);
            QCOMPARE(m_page->Preview().Scene().options.background.imageStyle, 1);
        } else if (action == "solid") {
            Child<CColourPicker>("solidColourButton")->PickSwatch(5);
        } else if (action == "direction") {
            Child<QComboBox>("directionCombo")->setCurrentIndex(2);
        }
        QTEST(ThumbnailRewritten(), "rewritten");
        QTEST(m_host.calls > 0, "marked");
        QTEST(QFile::exists(Settings().GetSettingsPath()), "saved");
        if (action == "radio" || action == "typed" || action == "browse") {
            QCOMPARE(Settings().m_nBackgroundType, int(kImageBackground));
            // The thumbnail shows the image, or white while there is none.
            const QColor expected = action == "radio" ? QColor(Qt::white) : QColor(20, 90, 200);
            const QRgb middle = QImage(m_fixture->Thumbnail()).pixel(100, 50);
            QVERIFY2(Near(middle, expected), qPrintable(QColor(middle).name()));
            QVERIFY(test::WaitForPreview(m_page->Preview()));
            const QRgb screen = m_page->Preview().Composed().pixel(95, 60);
            QVERIFY2(Near(screen, expected), qPrintable(QColor(screen).name()));
        }
    }

    void imageDialogStartsInTheSamples_data() {
        QTest::addColumn<bool>("profile");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("folder");
        QTest::newRow("profile, tile") << true << 1 << "Tiles/";
        QTest::newRow("profile, fit") << true << 0 << "Backgrounds/";
        QTest::newRow("installed samples, tile") << false << 1 << "Tiles/";
    }
    void imageDialogStartsInTheSamples() {
        QFETCH(bool, profile);
        QFETCH(int, style);
        QFETCH(QString, folder);
        const QString samples = m_fixture->dir.path() + "/Samples";
        QVERIFY(QDir().mkpath(samples + "/Tiles"));
        QVERIFY(QDir().mkpath(samples + "/Backgrounds"));
        int error = 0;
        if (profile)
            m_fixture->services.profile.WriteString(platform::ProfileRoot::CurrentUser, "Settings",
                                                    "Samples", samples, &error);
        Child<QComboBox>("imageStyleCombo")->setCurrentIndex(style);
        const QString base = profile ? samples + "/"
                                     : QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                       "/../share/skyloom/Sample Images") +
                                           "/";
        QCOMPARE(m_page->BrowseFolder(), base + folder);
        m_page->Browse();
        QCOMPARE(m_dialogFolders.size(), 1);
        // A folder that is not there gives way to the pictures folder.
        QCOMPARE(m_dialogFolders.first(),
                 profile ? base + folder
                         : QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
        QCOMPARE(Settings().m_nBackgroundImageStyle, style);
    }

    void imageThatIsGoneIsForgotten() {
        Settings().m_nBackgroundType = kImageBackground;
        Settings().SetBackgroundImage(m_fixture->dir.path() + "/gone.jpg");
        Open();
        QCOMPARE(Settings().GetBackgroundImage(), QString());
        QCOMPARE(Child<QLineEdit>("imagePathEdit")->text(), QString());
        QCOMPARE(m_host.calls, 0);
    }

    void screenshots_data() { test::AddScreenshotRows(); }
    void screenshots() {
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        test::UsePalette(dark);
        Settings().m_nBackgroundType = kGradientBackground;
        Settings().m_crGradientStart = 0x5A2A10;
        Settings().m_crGradientEnd = 0xE8C890;
        Settings().m_nGradientDirection = kRadial;
        Open();
        QVERIFY(test::SaveLookPageScreenshot(*m_page, m_page->Preview(), "background-page", dark,
                                             ratio));
        // The colour picker's drop-down: the swatches and "Choose...".
        QMenu* menu = Child<CColourPicker>("startColourButton")->menu();
        menu->ensurePolished();
        menu->adjustSize();
        QVERIFY(test::SaveScreenshot(*menu, "colour-menu", dark, ratio));
        test::UsePalette(false);
    }
};

SKYLOOM_TEST_MAIN(TestBackgroundPage, QApplication)
#include "tst_background_page.moc"
