// A new user's first start under Xvfb, in a fresh home with photos under ~/Pictures: the
// QuickStart wizard opens on its own and is driven with real X input (xdotool) through its
// pages to Finish with "queue and start". The library rows, the queue stored in
// Settings.skdat and the root window's picture follow.

#include "TestMain.h"
#include "TestProcess.h"
#include "app/CPSMainDialog.h"
#include "engine/CSlideshowEngine.h"
#include "library/LibraryQueries.h"
#include "ui/tools/CPPQSScanner.h"
#include "ui/tools/CPSQuickStart.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

// Xlib last: its macros would trip Qt's headers.
#include "RootPixmap.h"
#include "X11Windows.h"

using namespace skyloom;
using test::kSlow;

namespace {

bool ClickOn(const QWidget* widget) {
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    return QProcess::execute("xdotool", {"mousemove", QString::number(centre.x()),
                                         QString::number(centre.y()), "click", "1"}) == 0;
}

bool Exposed(const QWidget* widget) {
    return widget && widget->isVisible() && widget->windowHandle() &&
           widget->windowHandle()->isExposed();
}

void SavePhotos(const QString& folder, int count, int hue) {
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        QImage photo(800, 600, QImage::Format_RGB32);
        photo.fill(QColor::fromHsv((hue + i * 40) % 360, 220, 230));
        photo.save(QString("%1/%2.jpg").arg(folder).arg(i));
    }
}

} // namespace

class TestQuickStartFlow : public QObject {
    Q_OBJECT

private slots:
    void firstStartThroughTheWizard() {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        SavePhotos(pictures + "/Sea Side", 3, 0);
        SavePhotos(pictures + "/Mountains", 2, 120);
        SavePhotos(pictures + "/Mountains/Snow", 1, 240);
        test::DisplayPtr display(XOpenDisplay(nullptr));
        QVERIFY(display);

        CPSMainDialog window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const unsigned long before = test::RootPixmap("_XROOTPMAP_ID", display.get());

        // The wizard runs modally from the start-up sequence: it is driven from a timer inside
        // its own event loop, one step whenever the step before has taken effect.
        QStringList steps;
        bool queueTicked = false;
        int step = 0;
        QTimer driver;
        driver.setInterval(100);
        connect(&driver, &QTimer::timeout, this, [&] {
            auto* wizard = qobject_cast<CPSQuickStart*>(QApplication::activeModalWidget());
            auto* box = qobject_cast<CExtMessageBox*>(QApplication::activeModalWidget());
            const auto click = [&](const QWidget* w, const QString& what) {
                if (ClickOn(w))
                    steps << what;
                ++step;
            };
            if (step == 0 && Exposed(wizard) &&
                wizard->currentId() == CPSQuickStart::InstructionsPage)
                click(wizard->button(QWizard::NextButton), "next");
            else if (step == 1 && wizard && wizard->currentId() == CPSQuickStart::ScannerPage)
                click(wizard->Scanner()->findChild<QWidget*>("startSearchButton"), "search");
            else if (step == 2 && wizard && wizard->Scanner()->Searched() &&
                     wizard->button(QWizard::CommitButton)->isEnabled())
                click(wizard->button(QWizard::CommitButton), "next");
            else if (step == 3 && wizard && wizard->currentId() == CPSQuickStart::ShortcutsPage)
                click(wizard->currentPage()->findChild<QWidget*>("addAllFoldersButton"), "all");
            else if (step == 4 && wizard && wizard->button(QWizard::NextButton)->isEnabled())
                click(wizard->button(QWizard::NextButton), "next");
            else if (step == 5 && wizard && wizard->currentId() == CPSQuickStart::FinishPage) {
                queueTicked =
                    wizard->currentPage()->findChild<QCheckBox*>("queueCheck")->isChecked();
                click(wizard->button(QWizard::FinishButton), "finish");
            } else if (step == 6 && Exposed(box)) {
                steps << box->ClipboardText().section("\r\n", 3, 3);
                QProcess::execute("xdotool", {"key", "Return"});
                ++step;
            }
        });
        driver.start();
        // A wizard still open much later (a step missed its button) must not hang the test.
        QTimer::singleShot(60000 * kSlow, &window,
                           [&window] { CPSMainDialog::CloseOpenDialogs(&window); });
        QTRY_VERIFY_WITH_TIMEOUT(step == 7, 60000 * kSlow);
        driver.stop();
        QCOMPARE(steps, QStringList({"next", "search", "next", "all", "next", "finish",
                                     "3 Photo Folder Shortcuts have been created and saved to "
                                     "the Miscellaneous category."}));
        QVERIFY(queueTicked);

        // The library rows, all formats and sub-folders counted.
        const QString library = window.Settings().GetDatabasePath();
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, 5000 * kSlow);
        QStringList rows;
        std::vector<int> ids;
        for (const ShortcutRecord& r : LoadShortcuts(library, -1)) {
            rows << QString("%1|%2|%3").arg(r.name, r.folder.mid(pictures.size())).arg(r.numPhotos);
            ids.push_back(r.id);
        }
        QCOMPARE(rows, QStringList({"Mountains|/Mountains|3", "Sea Side|/Sea Side|3",
                                    "Snow|/Mountains/Snow|1"}));

        // Queued and applied: the queue is stored and the slideshow shows a photo.
        std::sort(ids.begin(), ids.end());
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                CAppSettings stored;
                stored.SetSettingsPath(window.Settings().GetSettingsPath());
                stored.Load();
                std::vector<int> queue = stored.m_arrQueue;
                std::sort(queue.begin(), queue.end());
                return queue == ids;
            }(),
            5000 * kSlow);
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const unsigned long now = test::RootPixmap("_XROOTPMAP_ID", display.get());
                return now != 0 && now != before;
            }(),
            20000 * kSlow);
        QTRY_VERIFY_WITH_TIMEOUT(window.Engine().State().currentPhoto.startsWith(pictures),
                                 10000 * kSlow);
    }
};

SKYLOOM_TEST_MAIN(TestQuickStartFlow, QApplication)
#undef Bool // Xlib's, which Qt's generated code would meet
#include "tst_quickstart_flow.moc"
