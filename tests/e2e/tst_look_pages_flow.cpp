// The look of the wallpaper changed from the window, with real X input (xdotool) under Xvfb in a
// fresh home: the landscape position set to "Far Left" on the Wallpaper Settings page and the
// gradient picked on the Background page, then Apply. The next picture on the root window has
// the photo at its left edge over the gradient. On the Options page, the auto-start check makes
// the autostart entry appear and go.

#include "Screenshots.h"
#include "SlideshowHome.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "app/AutoStart.h"
#include "app/CPSMainDialog.h"
#include "ui/pages/CPPDLGBackground.h"
#include "ui/pages/CPPDLGOptions.h"
#include "ui/pages/CPPDLGWallpaperSettings.h"
#include "ui/pages/CXDesktopST.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

// Xlib last: its macros would trip Qt's headers.
#include "RootPixmap.h"
#include "X11Windows.h"

using namespace skyloom;
using test::kSlow;

namespace {

QStringList ClickAt(const QPoint& at) {
    return {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"};
}

QStringList ClickOn(const QWidget* widget) {
    return ClickAt(widget->mapToGlobal(widget->rect().center()));
}

// A check box or radio button takes clicks on its indicator and caption only.
QStringList ClickOnIndicator(const QWidget* widget) {
    return ClickAt(widget->mapToGlobal(QPoint(8, widget->height() / 2)));
}

bool Xdotool(const QStringList& commands) {
    return QProcess::execute("xdotool", commands) == 0;
}

// A page of the page bar, clicked.
bool OpenPage(QListWidget* bar, int row) {
    const QRect item = bar->visualItemRect(bar->item(row));
    return Xdotool(ClickAt(bar->viewport()->mapToGlobal(item.center())));
}

bool Saturated(QRgb p) {
    return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}) > 80;
}

} // namespace

class TestLookPagesFlow : public QObject {
    Q_OBJECT

private slots:
    void lookChangedFromThePages() {
        QVERIFY(test::MakeSlideshowHome(QDir::homePath(), [](CAppSettings& s) {
            s.m_bGlassReflection = 0;
            s.m_nLandscapePosition = kCenter;
            s.m_nLandscapeScale = 50;
            s.m_nBackgroundType = kSolidBackground;
            s.m_crSolidColor = 0;
            s.m_bMinimizeToTray = 0;
        }));
        test::DisplayPtr display(XOpenDisplay(nullptr));
        QVERIFY(display);

        CPSMainDialog window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The start-up sequence shows a first picture: the photo in the middle, over black.
        QTRY_VERIFY_WITH_TIMEOUT(test::RootPixmap("_XROOTPMAP_ID", display.get()) != 0,
                                 20000 * kSlow);
        const unsigned long first = test::RootPixmap("_XROOTPMAP_ID", display.get());
        QImage root = test::PixmapPicture(display.get(), first);
        QCOMPARE(root.size(), QSize(1280, 1024));
        QVERIFY(Saturated(root.pixel(640, 512)));
        QCOMPARE(QColor(root.pixel(5, 512)), QColor(Qt::black));

        auto* bar = window.findChild<QListWidget*>("pageBar");
        QVERIFY(OpenPage(bar, 1));
        QTRY_COMPARE(bar->currentRow(), 1);
        CPPDLGWallpaperSettings& look = window.WallpaperSettingsPage();
        auto* position = look.findChild<QComboBox*>("landscapePositionCombo");
        QVERIFY(Xdotool(ClickOn(position)));
        QTest::qWait(300);
        QVERIFY(Xdotool({"key", "Home", "Return"}));
        QTRY_COMPARE(window.Settings().m_nLandscapePosition, int(kFarLeft));
        QTRY_VERIFY(look.Preview().IsCurrent());

        QVERIFY(OpenPage(bar, 2));
        QTRY_COMPARE(bar->currentRow(), 2);
        CPPDLGBackground& background = window.BackgroundPage();
        QVERIFY(Xdotool(ClickOnIndicator(background.findChild<QRadioButton*>("gradientRadio"))));
        QTRY_COMPARE(window.Settings().m_nBackgroundType, int(kGradientBackground));

        auto* apply = window.findChild<QPushButton*>("applyButton");
        QTRY_VERIFY(apply->isEnabled());
        QVERIFY(Xdotool(ClickOn(apply)));
        // The setter drops the old property before it names the new pixmap: wait for a name
        // that is there and new, and read that pixmap.
        unsigned long shown = 0;
        QTRY_VERIFY_WITH_TIMEOUT((shown = test::RootPixmap("_XROOTPMAP_ID", display.get())) != 0 &&
                                     shown != first,
                                 20000 * kSlow);
        root = test::PixmapPicture(display.get(), shown);
        QVERIFY(!root.isNull());
        root.save(test::ArtworkFolder() + "/look-pages-root.png");
        // The photo now starts at the left edge; the right half shows the default gradient from
        // blue at the top to white at the bottom.
        QVERIFY(Saturated(root.pixel(5, 512)));
        QVERIFY(!Saturated(root.pixel(1000, 512)) || qBlue(root.pixel(1000, 512)) > 200);
        const QRgb top = root.pixel(1200, 3), bottom = root.pixel(1200, 1020);
        QVERIFY2(qBlue(top) > 200 && qRed(top) < 60, qPrintable(QColor(top).name()));
        QVERIFY2(qGray(bottom) > 230, qPrintable(QColor(bottom).name()));
        const CAppSettings stored = test::StoredSettings(QDir::homePath());
        QCOMPARE(stored.m_nLandscapePosition, int(kFarLeft));
        QCOMPARE(stored.m_nBackgroundType, int(kGradientBackground));

        // Auto-start, from the Options page.
        QVERIFY(OpenPage(bar, 3));
        QTRY_COMPARE(bar->currentRow(), 3);
        auto* autoStart = window.OptionsPage().findChild<QCheckBox*>("autoStartCheck");
        QVERIFY(!QFile::exists(AutoStartEntryPath()));
        QVERIFY(Xdotool(ClickOnIndicator(autoStart)));
        QTRY_VERIFY(QFile::exists(AutoStartEntryPath()));
        QVERIFY(Xdotool(ClickOnIndicator(autoStart)));
        QTRY_VERIFY(!QFile::exists(AutoStartEntryPath()));
        window.Settings().m_bConfirmExit = 0;
    }
};

SKYLOOM_TEST_MAIN(TestLookPagesFlow, QApplication)
#undef Bool // Xlib's, which Qt's generated code would meet
#include "tst_look_pages_flow.moc"
