// KDE Plasma: a stand-in plasmashell on a private session bus receives the script that names
// the picture; without plasmashell the apply fails with the bus's words.

#include "TestFiles.h"
#include "TestMain.h"
#include "platform/kde/PlasmaWallpaper.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QThread>

using skyloom::platform::PlasmaWallpaper;

// Answers plasmashell's scripting call and keeps the scripts.
class FakePlasmaShell : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")

public:
    QStringList scripts;

public slots:
    void evaluateScript(const QString& script) { scripts << script; }
};

class TestPlasmaWallpaper : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void withoutPlasmashellTheApplyFails() {
        QVERIFY(skyloom::test::WriteFile(m_dir.filePath("Wallpaper.jpg")));
        PlasmaWallpaper plasma;
        QString error;
        QVERIFY(!plasma.Apply(m_dir.filePath("Wallpaper.jpg"), &error));
        QVERIFY2(error.startsWith("plasmashell: "), qPrintable(error));
    }

    void plasmashellReceivesTheScript() {
        // The stand-in answers on its own connection and thread, as plasmashell would from its
        // own process while the caller waits.
        QThread thread;
        FakePlasmaShell shell;
        shell.moveToThread(&thread);
        thread.start();
        bool registered = false;
        QMetaObject::invokeMethod(
            &shell,
            [&] {
                QDBusConnection bus =
                    QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake-plasmashell");
                registered =
                    bus.registerObject("/PlasmaShell", &shell, QDBusConnection::ExportAllSlots) &&
                    bus.registerService("org.kde.plasmashell");
            },
            Qt::BlockingQueuedConnection);
        QVERIFY(registered);

        QVERIFY(skyloom::test::WriteFile(m_dir.filePath("Wallpaper.jpg")));
        PlasmaWallpaper plasma;
        QString error;
        QVERIFY2(plasma.Apply(m_dir.filePath("Wallpaper.jpg"), &error), qPrintable(error));
        QVERIFY(plasma.Clear(&error));
        // A photo per monitor: each monitor's file with its centre relative to the desktop, for
        // the script to match Plasma's screens to.
        skyloom::platform::MonitorWallpapers two;
        two.canvas = m_dir.filePath("Wallpaper.jpg");
        two.box = QRect(0, 0, 2000, 1000);
        for (const auto& [name, rect] :
             {std::pair{"DP-1", QRect(0, 0, 1000, 1000)}, {"DP-2", QRect(1000, 250, 1000, 500)}}) {
            two.monitors.push_back({{name, rect, false}, m_dir.filePath(QString(name) + ".jpg")});
            QVERIFY(skyloom::test::WriteFile(two.monitors.back().path, name));
        }
        QVERIFY(plasma.WantsMonitorFiles());
        QVERIFY2(plasma.ApplyMonitors(two, &error), qPrintable(error));

        QStringList scripts;
        QMetaObject::invokeMethod(
            &shell, [&] { scripts = shell.scripts; }, Qt::BlockingQueuedConnection);
        QCOMPARE(scripts.size(), 3);
        QVERIFY2(scripts[2].contains("{x: 0.25, y: 0.5, image: 'file://" +
                                     m_dir.filePath("DP-1-1.jpg") + "'}"),
                 qPrintable(scripts[2]));
        QVERIFY(scripts[2].contains("{x: 0.75, y: 0.5, image: 'file://" +
                                    m_dir.filePath("DP-2-1.jpg") + "'}"));
        QVERIFY(scripts[2].contains("screenGeometry(d.screen)"));
        QCOMPARE(skyloom::test::ReadAll(m_dir.filePath("DP-2-1.jpg")), QByteArray("DP-2"));
        QVERIFY(scripts[0].contains("'file://" + m_dir.filePath("Wallpaper-1.jpg") + "'"));
        QVERIFY(scripts[0].contains("wallpaperPlugin = 'org.kde.image'"));
        QVERIFY(scripts[0].contains("writeConfig('FillMode', 6)"));
        QVERIFY(scripts[1].contains("'org.kde.color'"));
        QCOMPARE(skyloom::test::ReadAll(m_dir.filePath("Wallpaper-1.jpg")), QByteArray("x"));

        QMetaObject::invokeMethod(
            &shell, [] { QDBusConnection::disconnectFromBus("fake-plasmashell"); },
            Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
};

SKYLOOM_TEST_MAIN(TestPlasmaWallpaper, QCoreApplication)
#include "tst_plasma_wallpaper.moc"
