// The change interval from the stored hours, minutes and seconds, whatever they hold.

#include "TestMain.h"
#include "engine/ChangeInterval.h"

#include <climits>

class TestChangeInterval : public QObject {
    Q_OBJECT

private slots:
    void interval_data() {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("glass");
        QTest::addColumn<qint64>("ms");
        QTest::newRow("defaults") << 0 << 0 << 3 << true << qint64(1000);
        QTest::newRow("2 s without reflection is raised to 1 s")
            << 0 << 0 << 2 << false << qint64(1000);
        QTest::newRow("1 min 30 s with reflection") << 0 << 1 << 30 << true << qint64(87000);
        QTest::newRow("the longest the pages set")
            << 23 << 59 << 59 << false << qint64(((23 * 60 + 59) * 60 + 57) * 1000LL);
        QTest::newRow("2^31-1 hours waits as long as a timer can")
            << INT_MAX << 0 << 3 << true << qint64(INT_MAX);
        QTest::newRow("negative minutes give the shortest")
            << 0 << INT_MIN << 30 << true << qint64(1000);
        QTest::newRow("every field at its lowest")
            << INT_MIN << INT_MIN << INT_MIN << false << qint64(1000);
        QTest::newRow("seconds at their highest") << 0 << 0 << INT_MAX << false << qint64(INT_MAX);
    }

    void interval() {
        QFETCH(int, hours);
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(bool, glass);
        QFETCH(qint64, ms);
        QCOMPARE(skyloom::ChangeIntervalMs(hours, minutes, seconds, glass), ms);
    }
};

SKYLOOM_TEST_MAIN(TestChangeInterval, QCoreApplication)
#include "tst_change_interval.moc"
