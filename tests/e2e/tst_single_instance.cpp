// One Skyloom a user: later starts and the remote commands reach the running copy (here the
// headless slideshow) over its socket; "/x" ends it; a copy killed outright leaves nothing that
// stops the next one.

#include "SlideshowHome.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "TestProcess.h"

#include <QElapsedTimer>
#include <QProcess>

using namespace skyloom;
using test::kSlow;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_log; // what the recording wallpaper command was handed, a line each
    QProcessEnvironment m_env;
    std::unique_ptr<QProcess> m_running;

    Run Skyloom(const QStringList& arguments, bool display = true) {
        QProcess process;
        QProcessEnvironment env = m_env;
        if (!display) {
            env.remove("DISPLAY");
            env.remove("WAYLAND_DISPLAY");
        }
        process.setProcessEnvironment(env);
        process.start(SKYLOOM_BINARY, arguments);
        if (!process.waitForFinished(15000 * kSlow)) {
            process.kill();
            process.waitForFinished();
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
                QString::fromUtf8(process.readAllStandardError()).trimmed()};
    }

    // Starts the headless slideshow and waits until it has built its queue.
    void StartSlideshow() {
        m_running = std::make_unique<QProcess>();
        m_running->setProcessEnvironment(m_env);
        m_running->setProcessChannelMode(QProcess::MergedChannels);
        m_running->start(SKYLOOM_BINARY, {"--slideshow"});
        QVERIFY(m_running->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Skyloom({"--status"}).out.contains("3 photos queued"),
                                 10000 * kSlow);
    }

    QStringList Applied() const {
        if (!QFile::exists(m_log))
            return {};
        return QString::fromUtf8(test::ReadAll(m_log)).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        QVERIFY(test::MakeSlideshowHome(m_home.path()));
        m_log = m_home.path() + "/applied.log";
        m_env = test::UserEnvironment(m_home.path());
        m_env.insert("SKYLOOM_SET_WALLPAPER_COMMAND",
                     QString("printf '[%s]\\n' >> '%1'").arg(m_log));
    }

    void cleanup() {
        if (m_running && m_running->state() != QProcess::NotRunning) {
            m_running->kill();
            m_running->waitForFinished();
        }
    }

    void nothingRunning() {
        const Run run = Skyloom({"--status"});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, "Skyloom is not running");
        QCOMPARE(Skyloom({"--next", "--pause"}).status, 2); // one command at a time
    }

    void remoteCommandsReachTheRunningCopy() {
        StartSlideshow();
        QTRY_VERIFY2_WITH_TIMEOUT(!Applied().isEmpty(), m_running->readAll().constData(),
                                  10000 * kSlow); // the first change
        const struct {
            const char* command;
            const char* answer;
            const char* status;
        } steps[] = {
            {"--pause", "Paused", "paused, 3 photos queued"},
            {"--resume", "Resumed", "running, 3 photos queued"},
            {"--toggle-pause", "Paused", "paused"},
            {"--toggle-pause", "Resumed", "running"},
            {"--show", "Skyloom runs without a window", "running"},
        };
        for (const auto& step : steps) {
            const Run run = Skyloom({step.command});
            QCOMPARE(run.status, 0);
            QCOMPARE(run.out, QString(step.answer));
            QVERIFY2(Skyloom({"--status"}).out.startsWith(step.status), step.command);
        }
        QTRY_VERIFY_WITH_TIMEOUT(Skyloom({"--status"}).out.contains("next change in"),
                                 5000 * kSlow);
        const int before = int(Applied().size());
        QCOMPARE(Skyloom({"--next"}).out, "Next wallpaper");
        QTRY_COMPARE_WITH_TIMEOUT(int(Applied().size()), before + 1, 10000 * kSlow);
        const QString status = Skyloom({"--status"}).out;
        QVERIFY2(status.contains("showing " + m_home.path() + "/Pictures/sea/"), qPrintable(status));
        QVERIFY2(status.trimmed().endsWith(", one photo on the primary monitor"), qPrintable(status));
        QCOMPARE(Skyloom({"--clear"}).out, "Paused and cleared the wallpaper");
        QTRY_COMPARE_WITH_TIMEOUT(Applied().last(), "[]", 5000 * kSlow);
        QVERIFY(Skyloom({"--status"}).out.startsWith("paused"));

        // Later starts of either kind leave it running; so does a path holding "/x".
        for (const QStringList& start :
             {QStringList{"--slideshow"}, QStringList{}, QStringList{"/home/xavier"}}) {
            const Run run = Skyloom(start);
            QCOMPARE(run.status, 0);
            QCOMPARE(run.out, "Skyloom is already running (without a window)");
        }
        QCOMPARE(m_running->state(), QProcess::Running);

        QCOMPARE(Skyloom({"--quit"}).out, "Skyloom is exiting");
        QVERIFY(m_running->waitForFinished(5000 * kSlow));
        QCOMPARE(m_running->exitCode(), 0);
        QCOMPARE(test::StoredSettings(m_home.path()).m_bConfirmExit,
                 1); // --quit leaves the setting alone
    }

    void theExitSwitchEndsItFromAConsole() {
        StartSlideshow();
        const int before = int(Applied().size());
        // No display: the switch still reaches the running copy.
        const Run run = Skyloom({"/X"}, false);
        QCOMPARE(run.status, 0);
        QVERIFY(m_running->waitForFinished(5000 * kSlow));
        QCOMPARE(test::StoredSettings(m_home.path()).m_bConfirmExit, 0);
        QVERIFY(Applied().size() > before);
        QCOMPARE(Applied().last(), "[]"); // the wallpaper was cleared
        QCOMPARE(Skyloom({"--status"}).status, 1);
    }

    void aKilledCopyLeavesNothingBehind() {
        StartSlideshow();
        m_running->kill(); // SIGKILL: the lock and the socket stay on disk
        m_running->waitForFinished();
        QCOMPARE(Skyloom({"--status"}).status, 1);
        StartSlideshow(); // takes the stale lock and socket over
        QCOMPARE(Skyloom({"--status"}).status, 0);
        QCOMPARE(Skyloom({"--quit"}).status, 0);
        QVERIFY(m_running->waitForFinished(5000 * kSlow));
    }
};

SKYLOOM_TEST_MAIN(TestSingleInstance, QCoreApplication)
#include "tst_single_instance.moc"
