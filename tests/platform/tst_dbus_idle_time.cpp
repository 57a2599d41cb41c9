// The idle time of a Wayland session from the desktop on a private session bus: GNOME's idle
// monitor first, else the freedesktop screen saver; nothing when neither answers.

#include "TestMain.h"
#include "platform/dbus/DBusIdleTime.h"

#include <QDBusConnection>
#include <QThread>

// Answers like a desktop's screen saver service.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public slots:
    uint GetSessionIdleTime() { return 4321; }
};

class FakeIdleMonitor : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")

public slots:
    qulonglong GetIdletime() { return 98765; }
};

class TestDBusIdleTime : public QObject {
    Q_OBJECT

    // Serves the object under the name on a connection and thread of its own, as a desktop
    // would from its own process.
    bool Serve(QThread& thread, QObject& object, const char* connection, const char* service,
               const char* path) {
        object.moveToThread(&thread);
        thread.start();
        bool registered = false;
        QMetaObject::invokeMethod(
            &object,
            [&] {
                QDBusConnection bus =
                    QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection);
                registered = bus.registerObject(path, &object, QDBusConnection::ExportAllSlots) &&
                             bus.registerService(service);
            },
            Qt::BlockingQueuedConnection);
        return registered;
    }

    static void StopServing(QThread& thread, QObject& object, const char* connection) {
        QMetaObject::invokeMethod(
            &object, [connection] { QDBusConnection::disconnectFromBus(connection); },
            Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }

private slots:
    void nobodyAnswers() {
        skyloom::platform::DBusIdleTime idle;
        QCOMPARE(idle.IdleMilliseconds(), std::nullopt);
    }

    void theScreenSaverAnswers() {
        QThread thread;
        FakeScreenSaver saver;
        QVERIFY(Serve(thread, saver, "saver", "org.freedesktop.ScreenSaver",
                      "/org/freedesktop/ScreenSaver"));
        skyloom::platform::DBusIdleTime idle;
        QCOMPARE(idle.IdleMilliseconds(), std::optional<qint64>(4321));

        // GNOME's monitor, when there, is asked first.
        QThread monitorThread;
        FakeIdleMonitor monitor;
        QVERIFY(Serve(monitorThread, monitor, "monitor", "org.gnome.Mutter.IdleMonitor",
                      "/org/gnome/Mutter/IdleMonitor/Core"));
        QCOMPARE(idle.IdleMilliseconds(), std::optional<qint64>(98765));
        StopServing(monitorThread, monitor, "monitor");
        StopServing(thread, saver, "saver");
    }
};

SKYLOOM_TEST_MAIN(TestDBusIdleTime, QCoreApplication)
#include "tst_dbus_idle_time.moc"
