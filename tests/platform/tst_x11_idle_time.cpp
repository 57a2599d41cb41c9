// The idle time of an X11 session from the screen saver extension of a real X server: it grows
// while nobody touches anything and starts again from nothing at the next input.

#include "TestMain.h"
#include "platform/x11/X11IdleTime.h"

#include <QProcess>

class TestX11IdleTime : public QObject {
    Q_OBJECT

private slots:
    void growsUntilTheNextInput() {
        // Asked once first, so that its connection is up before xdotool's comes and goes: an X
        // server whose last client leaves resets itself and refuses connections meanwhile.
        skyloom::platform::X11IdleTime idle(qgetenv("DISPLAY"));
        QVERIFY(idle.IdleMilliseconds().has_value());
        QCOMPARE(QProcess::execute("xdotool", {"mousemove", "10", "10"}), 0);
        const auto start = idle.IdleMilliseconds();
        QVERIFY(start.has_value());
        QTest::qWait(700);
        const auto later = idle.IdleMilliseconds();
        QVERIFY(later.has_value());
        QVERIFY2(*later >= *start + 500, qPrintable(QString("%1 %2").arg(*start).arg(*later)));
        QCOMPARE(QProcess::execute("xdotool", {"mousemove", "200", "200"}), 0);
        const auto after = idle.IdleMilliseconds();
        QVERIFY(after.has_value() && *after < *later);
    }

    void noServerNoAnswer() {
        skyloom::platform::X11IdleTime idle(":987");
        QCOMPARE(idle.IdleMilliseconds(), std::nullopt);
    }
};

SKYLOOM_TEST_MAIN(TestX11IdleTime, QCoreApplication)
#include "tst_x11_idle_time.moc"
