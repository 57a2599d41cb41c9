// Text values of the application profile and the report of a failed system call.

#include "DummyServices.h"
#include "RecordingReporter.h"
#include "TestMain.h"
#include "settings/CUtility.h"
#include "platform/Platform.h"

#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

using skyloom::CUtility;

class TestUtility : public QObject {
    Q_OBJECT

private slots:
    void valuesRoundTripThroughTheUserProfile() {
        // The session's own store: an INI file in the private config folder.
        skyloom::test::RecordingReporter reporter;
        QCOMPARE(CUtility::GetRegString("Control Panel\\Desktop", "WallpaperStyle", "RIO"), "RIO");
        QVERIFY(CUtility::SetRegString("Control Panel\\Desktop", "WallpaperStyle", "0"));
        QVERIFY(CUtility::SetRegString("Settings", "Builder", "/home/zoë/Bilder & more"));
        QCOMPARE(CUtility::GetRegString("Control Panel\\Desktop", "WallpaperStyle", "RIO"), "0");
        QCOMPARE(CUtility::GetRegString("Settings", "Builder", ""), "/home/zoë/Bilder & more");
        QVERIFY(
            QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Kestrelworks/Skyloom.ini"));
        QVERIFY(reporter.messages.isEmpty());
    }

    void storeFailuresAreReportedOnce_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("caption");
        QTest::newRow("read") << false << "Utility Class Error in GetRegString (13)";
        QTest::newRow("write") << true << "Utility Class Error in SetRegString (13)";
    }

    void storeFailuresAreReportedOnce() {
        QFETCH(bool, write);
        QFETCH(QString, caption);
        QTemporaryDir home;
        skyloom::test::DummyServices services(home.path());
        services.profile.failWith = EACCES;
        skyloom::test::RecordingReporter reporter;

        if (write)
            QVERIFY(!CUtility::SetRegString("Settings", "Samples", "x"));
        else
            QCOMPARE(CUtility::GetRegString("Control Panel\\Colors", "Background", "RIO"), "RIO");

        QCOMPARE(reporter.messages.size(), 1);
        QCOMPARE(reporter.messages[0].caption, caption);
        QCOMPARE(reporter.messages[0].text, QString::fromLocal8Bit(std::strerror(EACCES)));
    }

    void errorCodeZeroShowsNothing() {
        skyloom::test::RecordingReporter reporter;
        CUtility::ReportLastError("SetRegString", 0);
        QVERIFY(reporter.messages.isEmpty());
    }
};

SKYLOOM_TEST_MAIN(TestUtility, QCoreApplication)
#include "tst_utility.moc"
