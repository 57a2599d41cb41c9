// skyloom --compose: composing one wallpaper from the command line, without a window, without
// touching the user's files, and failing with one line and a non-zero status on bad input.

#include "MeasuredRun.h"
#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "settings/CAppSettings.h"

#include <QImage>
#include <QProcess>

#include <climits>
#include <functional>

using skyloom::CAppSettings;
using skyloom::test::WriteFile;

namespace {

using skyloom::test::kComposePeakLimitKiB;
using skyloom::test::kPeakIsChecked;

// A sanitizer slows everything down.
#ifdef SKYLOOM_SANITIZED
constexpr double kSecondsLimit = 20;
#else
constexpr double kSecondsLimit = 2.5;
#endif

// Settings no page can produce, as a damaged or hand-edited file may hold them.
const std::vector<std::pair<const char*, std::function<void(CAppSettings&)>>> kWildSettings = {
    {"landscape scale 474284032 %", [](CAppSettings& s) { s.m_nLandscapeScale = 474284032; }},
    {"landscape scale -2^31 %", [](CAppSettings& s) { s.m_nLandscapeScale = INT_MIN; }},
    {"transparency 1172369955 %",
     [](CAppSettings& s) {
         s.m_nLandscapeTransparency = 1172369955;
         s.m_bGlassReflection = 0;
     }},
    {"transparency -90 %",
     [](CAppSettings& s) {
         s.m_nLandscapeTransparency = -90;
         s.m_bGlassReflection = 0;
     }},
    {"position 2^31-1", [](CAppSettings& s) { s.m_nLandscapePosition = INT_MAX; }},
    {"position -7", [](CAppSettings& s) { s.m_nLandscapePosition = -7; }},
    {"glass flag 77 and greyscale -1",
     [](CAppSettings& s) {
         s.m_bGlassReflection = 77;
         s.m_bLandscapeGrayscale = -1;
     }},
    {"colours with every bit set",
     [](CAppSettings& s) {
         s.m_nBackgroundType = 1;
         s.m_crGradientStart = 0xFFFFFFFFu;
         s.m_crGradientEnd = 0xDEADBEEFu;
     }},
    {"background type 1000", [](CAppSettings& s) { s.m_nBackgroundType = 1000; }},
    {"gradient direction and transform out of range",
     [](CAppSettings& s) {
         s.m_nBackgroundType = 1;
         s.m_nGradientDirection = -12;
         s.m_nGradientTransform = 1 << 30;
     }},
    {"image style 9 with no image",
     [](CAppSettings& s) {
         s.m_nBackgroundType = 2;
         s.m_nBackgroundImageStyle = 9;
     }},
    {"interval of 2^31-1 hours",
     [](CAppSettings& s) {
         s.m_nIntervalHours = INT_MAX;
         s.m_nIntervalMinutes = INT_MIN;
         s.m_nIntervalSeconds = -1;
     }},
    {"sizes and counts out of range",
     [](CAppSettings& s) {
         s.m_nMinSize = INT_MAX;
         s.m_nIdleSeconds = -5;
         s.m_nAutoQueueCount = INT_MAX;
     }},
};

struct Run {
    int exitCode;
    QString out;
    QString err;
};

Run Skyloom(const QStringList& arguments, const QString& home, bool display) {
    QProcess process;
    process.setProcessEnvironment(skyloom::test::UserEnvironment(home, display));
    process.start(SKYLOOM_BINARY, arguments);
    if (!process.waitForFinished(60000))
        return {-1, {}, "timed out"};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestComposeCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(skyloom::test::Quadrants(300, 400).save(Path("photo.png")));
        // A gradient background, the photo "Far Right - 3D", written by the program's own
        // settings record.
        skyloom::CAppSettings settings;
        settings.m_nBackgroundType = 1;
        settings.m_nPortraitPosition = 9;
        settings.SetSettingsPath(Path("look.skdat"));
        QVERIFY(settings.Save());
        QVERIFY(WriteFile(Path("damaged.skdat"), "not settings"));
    }

    void composesWithoutAWindowOrTheUsersFiles() {
        QTemporaryDir home;
        const Run run = Skyloom({"--compose", Path("photo.png"), "--output", Path("out.jpg"),
                                 "--screen", "640x360", "--settings", Path("look.skdat")},
                                home.path(), false);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QImage wallpaper(Path("out.jpg"));
        QCOMPARE(wallpaper.size(), QSize(640, 360));
        QVERIFY(qRed(wallpaper.pixel(638, 180)) > 150); // the photo's right edge at the screen's
        QVERIFY(!QFileInfo::exists(home.path() + "/Documents")); // nothing of the user's touched
    }

    void appliesThroughTheDesktopBackend() {
        QTemporaryDir home;
        const Run run =
            Skyloom({"--compose", Path("photo.png"), "--output", Path("applied.jpg"), "--apply"},
                    home.path(), true);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QImage(Path("applied.jpg")).isNull(), false);
    }

    // A photo per monitor: the display's one screen gives the primary screen's picture with
    // the first photo; --screen stands for one monitor of that size.
    void eachMonitorOnTheDisplay() {
        QTemporaryDir home;
        QVERIFY(skyloom::test::Quadrants(400, 300).save(Path("wide.png")));
        const Run primary = Skyloom({"--compose", Path("photo.png"), "--output", Path("one.jpg")},
                                    home.path(), true);
        QCOMPARE(primary.exitCode, 0);
        const Run each = Skyloom({"--compose", Path("photo.png"), "--compose", Path("wide.png"),
                                  "--monitors", "each", "--output", Path("each.jpg")},
                                 home.path(), true);
        QCOMPARE(each.exitCode, 0);
        QVERIFY2(each.err.isEmpty(), qPrintable(each.err));
        QCOMPARE(QImage(Path("each.jpg")).size(), QImage(Path("one.jpg")).size());
        const Run sized =
            Skyloom({"--compose", Path("photo.png"), "--compose", Path("wide.png"), "--monitors",
                     "each", "--screen", "320x200", "--output", Path("sized.jpg")},
                    home.path(), false);
        QCOMPARE(sized.exitCode, 0);
        QCOMPARE(QImage(Path("sized.jpg")).size(), QSize(320, 200));
    }

    void hostilePhotosStayWithinTheMemoryBound_data() {
        QTest::addColumn<QByteArray>("photo");
        QTest::addColumn<int>("exitCode");
        // libjpeg would keep 2.7 GB of coefficients for it: refused as undecodable.
        QTest::newRow("30000x30000 progressive JPEG")
            << skyloom::test::JpegDeclaring(30000, 30000, true) << 1;
        // Decoded at an eighth, 8125x8125, inside the image limit.
        QTest::newRow("65000x65000 baseline JPEG")
            << skyloom::test::JpegDeclaring(65000, 65000) << 0;
    }

    void hostilePhotosStayWithinTheMemoryBound() {
        QFETCH(QByteArray, photo);
        QFETCH(int, exitCode);
        QVERIFY(WriteFile(Path("hostile.jpg"), photo));
        QTemporaryDir home;
        const auto run =
            skyloom::test::RunMeasured(SKYLOOM_BINARY,
                                       {"--compose", Path("hostile.jpg"), "--output",
                                        Path("hostile-out.jpg"), "--screen", "1280x720"},
                                       skyloom::test::UserEnvironment(home.path(), false), 60);
        QVERIFY2(run.Exited(), run.err.constData());
        QCOMPARE(run.exitCode, exitCode);
        if (kPeakIsChecked)
            QVERIFY2(run.peakKiB < kComposePeakLimitKiB, qPrintable(QString::number(run.peakKiB)));
        qInfo("peak %ld KiB in %.2f s", run.peakKiB, run.seconds);
    }

    void wildSettingsFinishWithinTheBounds_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(kWildSettings.size()); ++i)
            QTest::newRow(kWildSettings[i].first) << i;
    }

    void wildSettingsFinishWithinTheBounds() {
        QFETCH(int, index);
        CAppSettings settings;
        kWildSettings[index].second(settings);
        settings.SetSettingsPath(Path("wild.skdat"));
        QVERIFY(settings.Save());
        QVERIFY(skyloom::test::Quadrants(1600, 900).save(Path("landscape.png")));
        QTemporaryDir home;
        const auto run = skyloom::test::RunMeasured(
            SKYLOOM_BINARY,
            {"--compose", Path("landscape.png"), "--output", Path("wild-out.jpg"), "--screen",
             "1920x1080", "--settings", Path("wild.skdat")},
            skyloom::test::UserEnvironment(home.path(), false), 60);
        QVERIFY2(run.Exited(), run.err.constData());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.seconds < kSecondsLimit, qPrintable(QString::number(run.seconds)));
        if (kPeakIsChecked)
            QVERIFY2(run.peakKiB < kComposePeakLimitKiB, qPrintable(QString::number(run.peakKiB)));
        QCOMPARE(QImage(Path("wild-out.jpg")).size(), QSize(1920, 1080));
    }

    void badInputFailsWithOneLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("display");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString photo = m_dir.filePath("photo.png");
        const QString out = m_dir.filePath("bad-out.jpg");
        QTest::newRow("no such photo")
            << QStringList{"--compose", "/nonexistent.jpg", "--output", out, "--screen", "64x36"}
            << false << 1 << "skyloom: cannot read the photo /nonexistent.jpg";
        QTest::newRow("damaged settings")
            << QStringList{"--compose", photo,   "--output",   out,
                           "--screen",  "64x36", "--settings", m_dir.filePath("damaged.skdat")}
            << false << 1 << "is damaged";
        QTest::newRow("missing settings file")
            << QStringList{"--compose", photo,   "--output",   out,
                           "--screen",  "64x36", "--settings", m_dir.filePath("none.skdat")}
            << false << 1 << "cannot read the settings file";
        QTest::newRow("output folder missing")
            << QStringList{"--compose", photo,  "--output", m_dir.filePath("no/dir/x.jpg"),
                           "--screen",  "64x36"}
            << false << 1 << "cannot write";
        QTest::newRow("bad screen size")
            << QStringList{"--compose", photo, "--output", out, "--screen", "big"} << false << 1
            << "--screen takes WIDTHxHEIGHT";
        QTest::newRow("screen beyond the image limit")
            << QStringList{"--compose", photo, "--output", out, "--screen", "99999x99999"} << false
            << 1 << "cannot compose for a 99999x99999 screen";
        QTest::newRow("no display and no screen size")
            << QStringList{"--compose", photo, "--output", out} << false << 1
            << "--screen is needed when there is no display";
        QTest::newRow("no output")
            << QStringList{"--compose", photo} << false << 2 << "--compose needs --output FILE";
        QTest::newRow("output without compose")
            << QStringList{"--output", out} << false << 2 << "--output goes with --compose";
        QTest::newRow("monitors neither")
            << QStringList{"--compose", photo, "--output", out, "--monitors", "both"} << false << 2
            << "--monitors takes primary or each";
        QTest::newRow("several photos for the primary screen")
            << QStringList{"--compose", photo, "--compose", photo, "--output", out} << false << 2
            << "several photos go with --monitors each";
        QTest::newRow("each, no display and no screen size")
            << QStringList{"--compose", photo, "--output", out, "--monitors", "each"} << false << 1
            << "--screen is needed when there is no display";
        QTest::newRow("monitors without compose")
            << QStringList{"--monitors", "each"} << false << 2 << "--monitors goes with --compose";
    }

    void badInputFailsWithOneLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, display);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir home;
        const Run run = Skyloom(arguments, home.path(), display);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.err.trimmed().count('\n'), 0);
        QVERIFY(!QFile::exists(m_dir.filePath("bad-out.jpg")));
    }
};

SKYLOOM_TEST_MAIN(TestComposeCommand, QCoreApplication)
#include "tst_compose_command.moc"
