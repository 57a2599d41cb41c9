// Applying and clearing the wallpaper through the desktop backend: a failure is shown once
// while it lasts, and the program goes on.

#include "DummyServices.h"
#include "RecordingReporter.h"
#include "TestMain.h"
#include "engine/DesktopWallpaper.h"

using namespace skyloom;

class TestDesktopWallpaper : public QObject {
    Q_OBJECT

private slots:
    void failuresAreShownOnceWhileTheyLast() {
        QTemporaryDir home;
        test::DummyServices services(home.path());
        test::RecordingReporter reporter;
        QVERIFY(ApplyDesktopWallpaper("/data/Wallpaper.jpg"));
        QCOMPARE(services.wallpaper.applied, QStringList{"/data/Wallpaper.jpg"});

        services.wallpaper.failWith = "gsettings failed (exit 1): No such schema";
        QVERIFY(!ApplyDesktopWallpaper("/data/Wallpaper.jpg"));
        QVERIFY(!ClearDesktopWallpaper());
        QVERIFY(!ApplyDesktopWallpaper("/data/Wallpaper.jpg"));
        QCOMPARE(reporter.messages.size(), 1);
        QCOMPARE(reporter.messages[0].caption, "Skyloom - Desktop Wallpaper Changer");
        QCOMPARE(reporter.messages[0].text,
                 "The desktop wallpaper could not be set (dummy): gsettings failed (exit 1): No "
                 "such schema");

        services.wallpaper.failWith.clear();
        QVERIFY(ClearDesktopWallpaper());
        QCOMPARE(services.wallpaper.cleared, 2);
        services.wallpaper.failWith = "again";
        QVERIFY(!ApplyDesktopWallpaper("/data/Wallpaper.jpg"));
        QCOMPARE(reporter.messages.size(), 2); // a new spell of trouble is shown again
    }
};

SKYLOOM_TEST_MAIN(TestDesktopWallpaper, QCoreApplication)
#include "tst_desktop_wallpaper.moc"
