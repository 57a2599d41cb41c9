// The real skyloom program under a private X server: a first start in an empty home, the
// scratch-folder clean-up, a clean exit on SIGTERM, and the answers that need no window.

#include "TestFiles.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "settings/CAppSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <csignal>

namespace {

using skyloom::test::UserEnvironment;

using skyloom::test::WriteFile;

constexpr char kTitle[] = "Skyloom - Desktop Wallpaper Changer";

// How soon a signal must end the program; a sanitizer's checks at exit take their time.
#ifdef SKYLOOM_SANITIZED
constexpr int kExitLimitMs = 8000;
#else
constexpr int kExitLimitMs = 2000;
#endif

// Waits until a window with the exact title is mapped on the X server; its id, or empty.
QString WaitForWindowId(const QString& title, int timeoutMs) {
    QProcess search;
    search.start("xdotool", {"search", "--sync", "--onlyvisible", "--name",
                             "^" + QRegularExpression::escape(title) + "$"});
    if (!search.waitForFinished(timeoutMs)) {
        search.kill();
        search.waitForFinished();
        return {};
    }
    return search.exitCode() == 0 ? QString::fromLatin1(search.readAllStandardOutput()).trimmed()
                                  : QString();
}

bool WaitForWindow(const QString& title, int timeoutMs) {
    return !WaitForWindowId(title, timeoutMs).isEmpty();
}

// The width of a mapped window.
int WindowWidth(const QString& id) {
    QProcess geometry;
    geometry.start("xdotool", {"getwindowgeometry", "--shell", id});
    geometry.waitForFinished(5000);
    const QRegularExpression width("WIDTH=(\\d+)");
    return width.match(QString::fromLatin1(geometry.readAllStandardOutput())).captured(1).toInt();
}

} // namespace

class TestFirstStart : public QObject {
    Q_OBJECT

    // Starts skyloom in the home folder, waits for its window, ends it with SIGTERM and
    // checks that it left cleanly.
    void RunUntilWindowThenTerminate(const QString& home) {
        QProcess skyloom;
        skyloom.setProcessEnvironment(UserEnvironment(home));
        skyloom.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        skyloom.start(SKYLOOM_BINARY, {});
        QVERIFY(skyloom.waitForStarted());
        QVERIFY2(WaitForWindow(kTitle, 20000), "the main window did not appear");
        skyloom.terminate();
        QVERIFY(skyloom.waitForFinished(10000));
        QCOMPARE(skyloom.exitStatus(), QProcess::NormalExit);
        QCOMPARE(skyloom.exitCode(), 0);
    }

private slots:
    void firstStartInAnEmptyHome() {
        QTemporaryDir home;
        RunUntilWindowThenTerminate(home.path());
        const QString data = home.path() + "/Documents/My Skyloom";
        QVERIFY(QFileInfo(data + "/Temp").isDir());
        QVERIFY(QFileInfo(data + "/Skyloomv1.0.skdb").isFile());
        QFile file(data + "/Settings.skdat");
        QVERIFY(file.open(QIODevice::ReadOnly));
        skyloom::CAppSettings settings;
        QVERIFY(settings.Deserialise(file.readAll()));
        QCOMPARE(settings.m_nVersion, 2);
        QCOMPARE(settings.m_nDefaultCategoryId, 3); // "Miscellaneous" in the new library
        QCOMPARE(settings.m_nMinSize, 450);
        // The background thumbnail of the stored (default: solid) background.
        const QImage thumbnail(data + "/SKBackground.png");
        QCOMPARE(thumbnail.size(), QSize(200, 100));
    }

    void startDeletesOldImagesFromTheScratchFolder() {
        QTemporaryDir home;
        const QString temp = home.path() + "/Documents/My Skyloom/Temp";
        QVERIFY(WriteFile(temp + "/old.jpg"));
        QVERIFY(WriteFile(temp + "/notes.txt"));
        QVERIFY(WriteFile(temp + "/sub/inner.jpg"));
        RunUntilWindowThenTerminate(home.path());
        QVERIFY(!QFile::exists(temp + "/old.jpg"));
        QVERIFY(QFile::exists(temp + "/notes.txt"));
        QVERIFY(QFile::exists(temp + "/sub/inner.jpg"));
    }

    void terminationClosesTheStartupErrorBox_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void terminationClosesTheStartupErrorBox() {
        // A library file that is no database: the start-up shows the SQL error box and waits.
        QFETCH(int, signal);
        QTemporaryDir home;
        const QString library = home.path() + "/Documents/My Skyloom/Skyloomv1.0.skdb";
        const QByteArray garbage(4096, '\x7E');
        QVERIFY(WriteFile(library, garbage));
        QProcess skyloom;
        skyloom.setProcessEnvironment(UserEnvironment(home.path()));
        skyloom.start(SKYLOOM_BINARY, {});
        QVERIFY(skyloom.waitForStarted());
        const QString box = WaitForWindowId(kTitle, 20000);
        QVERIFY2(!box.isEmpty(), "the error box did not appear");
        QVERIFY2(WindowWidth(box) < 639, "the main window came up instead of the error box");

        QElapsedTimer timer;
        timer.start();
        ::kill(skyloom.processId(), signal);
        QVERIFY(skyloom.waitForFinished(5000));
        QVERIFY2(timer.elapsed() < kExitLimitMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(skyloom.exitStatus(), QProcess::NormalExit);
        QCOMPARE(skyloom.exitCode(), 0);
        QCOMPARE(skyloom::test::ReadAll(library), garbage);
    }

    void answersWithoutAWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("display");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stdoutStart");
        QTest::addColumn<QString>("stderrPart");
        QTest::newRow("--version") << QStringList{"--version"} << false << 0 << "Skyloom 1.0.0.1"
                                   << "";
        QTest::newRow("--help") << QStringList{"--help"} << false << 0 << "Usage:"
                                << "";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << true << 2 << ""
                                        << "Unknown option 'bogus'";
        QTest::newRow("no graphical session")
            << QStringList{} << false << 1 << ""
            << "Skyloom requires a graphical desktop session (X11 or Wayland) in order to run.";
    }

    void answersWithoutAWindow() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, display);
        QFETCH(int, exitCode);
        QFETCH(QString, stdoutStart);
        QFETCH(QString, stderrPart);

        QTemporaryDir home;
        QProcess skyloom;
        skyloom.setProcessEnvironment(UserEnvironment(home.path(), display));
        skyloom.start(SKYLOOM_BINARY, arguments);
        QVERIFY(skyloom.waitForFinished(10000));
        QCOMPARE(skyloom.exitCode(), exitCode);
        const QString out = QString::fromUtf8(skyloom.readAllStandardOutput());
        QVERIFY2(stdoutStart.isEmpty() ? out.isEmpty() : out.startsWith(stdoutStart),
                 qPrintable(out));
        QVERIFY(QString::fromUtf8(skyloom.readAllStandardError()).contains(stderrPart));
        // Nothing that answers without a window touches the user's files.
        QVERIFY(!QFileInfo::exists(home.path() + "/Documents"));
    }
};

SKYLOOM_TEST_MAIN(TestFirstStart, QCoreApplication)
#include "tst_first_start.moc"
