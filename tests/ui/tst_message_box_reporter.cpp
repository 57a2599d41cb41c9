// Messages from non-UI code shown in a message box: on the main thread even when a worker
// asks, with the answer handed back to the worker.

#include "TestMain.h"
#include "ui/widgets/ExtMessageBox.h"
#include "ui/widgets/MessageBoxReporter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <thread>

using namespace skyloom;

class TestMessageBoxReporter : public QObject {
    Q_OBJECT

private slots:
    void workerQuestionIsAskedOnTheMainThread() {
        MessageBoxReporter reporter;
        QString shownCaption;
        QThread* shownOn = nullptr;
        // Answers "No" in the box as soon as it is up.
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<CExtMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shownCaption = box->windowTitle();
            shownOn = box->thread();
            box->Button(MessageResult::No)->click();
        });
        answer.start(10);

        std::atomic<int> result{0};
        std::thread worker([&] {
            result = reporter.ShowMessage("Skyloom", "Really?",
                                          MessageStyle::YesNo | MessageStyle::IconQuestion);
        });
        QTRY_VERIFY_WITH_TIMEOUT(result != 0, 10000);
        worker.join();
        QCOMPARE(result.load(), MessageResult::No);
        QCOMPARE(shownCaption, "Skyloom");
        QCOMPARE(shownOn, QThread::currentThread());
    }

    void boxClosedAsTheProgramEndsAnswersCautiously() {
        // The termination handler stops the reporter and closes the open box.
        MessageBoxReporter reporter;
        QTimer close;
        connect(&close, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<CExtMessageBox*>(QApplication::activeModalWidget())) {
                reporter.StopShowing();
                box->reject();
            }
        });
        close.start(10);
        QCOMPARE(reporter.ShowMessage("Skyloom", "Delete?", MessageStyle::YesNo),
                 MessageResult::No);
    }

    void aWorkerWaitingForAnAnswerIsReleasedByTheEnd() {
        // The main thread joins the worker (as the exit does) without running its event loop:
        // the box is never shown, and stopping the reporter hands the worker its answer.
        MessageBoxReporter reporter;
        std::atomic<int> result{0};
        std::thread worker([&] {
            result = reporter.ShowMessage("Skyloom", "The desktop failed.", MessageStyle::Ok);
        });
        QThread::msleep(50);
        QCOMPARE(result.load(), 0);
        reporter.StopShowing();
        worker.join();
        QCOMPARE(result.load(), MessageResult::Ok);
        // The box asked for meanwhile is not shown later either.
        QCoreApplication::processEvents();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void aWorkerWaitsForTheUserForALimitedTime() {
        // Nobody answers: the worker goes on with the cautious answer; the box is still shown
        // for the user, and answering it later changes nothing for the worker.
        MessageBoxReporter reporter;
        reporter.SetWorkerWaitLimit(std::chrono::milliseconds(200));
        QElapsedTimer timer;
        timer.start();
        int result = 0;
        std::thread worker(
            [&] { result = reporter.ShowMessage("Skyloom", "Delete?", MessageStyle::YesNo); });
        worker.join();
        QVERIFY(timer.elapsed() >= 200 && timer.elapsed() < 5000);
        QCOMPARE(result, MessageResult::No);
        bool answered = false;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<CExtMessageBox*>(QApplication::activeModalWidget())) {
                box->Button(MessageResult::Yes)->click();
                answered = true;
            }
        });
        answer.start(10);
        QTRY_VERIFY_WITH_TIMEOUT(answered, 5000);
        QCOMPARE(result, MessageResult::No);
    }

    void nothingIsShownOnceStopped_data() {
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK") << MessageStyle::Ok << MessageResult::Ok;
        QTest::newRow("OK and Cancel") << MessageStyle::OkCancel << MessageResult::Cancel;
        QTest::newRow("Yes and No") << MessageStyle::YesNo << MessageResult::No;
    }

    void nothingIsShownOnceStopped() {
        // The program is ending: the cautious answer comes at once, from any thread.
        QFETCH(unsigned, style);
        QFETCH(int, answer);
        MessageBoxReporter reporter;
        reporter.StopShowing();
        int result = 0;
        std::thread worker([&] { result = reporter.ShowMessage("Skyloom", "Going?", style); });
        worker.join();
        QCOMPARE(result, answer);
        QCOMPARE(reporter.ShowMessage("Skyloom", "Going?", style), answer);
    }
};

SKYLOOM_TEST_MAIN(TestMessageBoxReporter, QApplication)
#include "tst_message_box_reporter.moc"
