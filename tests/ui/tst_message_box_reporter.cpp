// Messages from non-UI code shown in a message box: on the main thread even when a worker
// asks, with the answer handed back to the worker.

#include "TestMain.h"
#include "ui/widgets/MessageBoxReporter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
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
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shownCaption = box->windowTitle();
            shownOn = box->thread();
            box->button(QMessageBox::No)->click();
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
};

SKYLOOM_TEST_MAIN(TestMessageBoxReporter, QApplication)
#include "tst_message_box_reporter.moc"
