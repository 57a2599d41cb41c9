// The manual-reset event the main thread and a worker use to tell that the worker has ended.

#include "TestMain.h"
#include "engine/ManualResetEvent.h"

#include <QElapsedTimer>

#include <thread>

using namespace std::chrono_literals;
using skyloom::ManualResetEvent;

class TestManualResetEvent : public QObject {
    Q_OBJECT

private slots:
    void staysSetUntilReset() {
        ManualResetEvent event("WALLPAPER_EVENT", true);
        QVERIFY(event.Wait(0ms));
        QVERIFY(event.Wait(0ms)); // waiting does not reset it
        event.Reset();
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!event.Wait(30ms));
        QVERIFY(timer.elapsed() >= 29);
    }

    void workerSettingItWakesTheWaiter() {
        ManualResetEvent event("QUEUEPHOTOS_EVENT", false);
        std::thread worker([&event] {
            std::this_thread::sleep_for(20ms);
            event.Set();
        });
        QElapsedTimer timer;
        timer.start();
        QVERIFY(event.Wait(5000ms));
        QVERIFY(timer.elapsed() < 4000);
        worker.join();
        QVERIFY(event.IsSet());
    }
};

SKYLOOM_TEST_MAIN(TestManualResetEvent, QCoreApplication)
#include "tst_manual_reset_event.moc"
