// skyloom --compose: composing one wallpaper from the command line, without a window, without
// touching the user's files, and failing with one line and a non-zero status on bad input.

#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "app/CAppSettings.h"

#include <QImage>
#include <QProcess>

using skyloom::test::WriteFile;

namespace {

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
        QTest::newRow("no display and no screen size")
            << QStringList{"--compose", photo, "--output", out} << false << 1
            << "--screen is needed when there is no display";
        QTest::newRow("no output")
            << QStringList{"--compose", photo} << false << 2 << "--compose needs --output FILE";
        QTest::newRow("output without compose")
            << QStringList{"--output", out} << false << 2 << "--output goes with --compose";
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
