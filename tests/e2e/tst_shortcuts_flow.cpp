// A new user's first slideshow, driven with real X input (xdotool) on the real main window
// under Xvfb, in a fresh home: the QuickStart wizard is skipped, a shortcut is created over a
// folder of photos with the New button and its dialog, queued with the add button, and Apply
// pressed. The library row, the queue in Settings.skdat and the root window's picture all change,
// and the picture changes again at the interval.

#include "TestMain.h"
#include "TestProcess.h"
#include "app/CPSMainDialog.h"
#include "engine/CSlideshowEngine.h"
#include "library/LibraryQueries.h"
#include "ui/pages/CPPDLGShortcuts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>
#include <QWizard>

// Xlib last: its macros would trip Qt's headers.
#include "RootPixmap.h"
#include "X11Windows.h"

using namespace skyloom;
using test::kSlow;

namespace {

// The centre of a widget on the screen.
QStringList At(const QWidget* widget) {
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    return {"mousemove", QString::number(centre.x()), QString::number(centre.y())};
}

QStringList ClickOn(const QWidget* widget) {
    return At(widget) << "click"
                      << "1";
}

bool Xdotool(const QStringList& commands) {
    return QProcess::execute("xdotool", commands) == 0;
}

} // namespace

class TestShortcutsFlow : public QObject {
    Q_OBJECT

private slots:
    void firstSlideshowFromTheWindow() {
        const QString photos =
            QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + "/Sea Side";
        QVERIFY(QDir().mkpath(photos));
        for (int i = 0; i < 3; ++i) {
            QImage photo(800, 600, QImage::Format_RGB32);
            photo.fill(QColor::fromHsv(i * 110, 220, 230));
            QVERIFY(photo.save(QString("%1/%2.jpg").arg(photos).arg(i)));
        }
        test::DisplayPtr display(XOpenDisplay(nullptr));
        QVERIFY(display);

        CPSMainDialog window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The start-up sequence opens the QuickStart wizard on this empty library. This user
        // skips it and closes the Getting Started box; both run modally from the start-up
        // timer, so they are answered from a timer inside their event loops.
        int skipped = 0;
        QTimer skipper;
        skipper.setInterval(100);
        connect(&skipper, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->windowHandle() || !modal->windowHandle()->isExposed())
                return;
            if (auto* wizard = qobject_cast<QWizard*>(modal); wizard && skipped == 0)
                skipped += Xdotool(ClickOn(wizard->button(QWizard::CancelButton))) ? 1 : 0;
            else if (modal->objectName() == "gettingStartedBox" && skipped == 1)
                skipped +=
                    Xdotool(ClickOn(modal->findChild<QPushButton*>("continueButton"))) ? 1 : 0;
        });
        skipper.start();
        QTRY_COMPARE_WITH_TIMEOUT(skipped, 2, 15000 * kSlow);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 5000 * kSlow);
        skipper.stop();
        // Then the start-up goes on: the stored (empty) queue is built a second later.
        QTRY_COMPARE_WITH_TIMEOUT(window.findChild<QLabel*>("status")->text(), "Ready",
                                  5000 * kSlow);
        CPPDLGShortcuts& page = window.ShortcutsPage();

        // New: the dialog is modal, so it is filled in from inside its own event loop.
        bool filled = false;
        std::function<void()> fill = [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->windowHandle() || !dialog->windowHandle()->isExposed()) {
                QTimer::singleShot(100, this, fill);
                return;
            }
            // "type" takes the rest of its command line as text: one command each.
            const auto type = [](const QString& text) {
                return Xdotool({"type", "--delay", "10", text});
            };
            filled = Xdotool(ClickOn(dialog->findChild<QLineEdit*>("nameEdit"))) &&
                     type("Sea Side") &&
                     Xdotool(ClickOn(dialog->findChild<QLineEdit*>("folderEdit"))) &&
                     type(photos) && Xdotool(ClickOn(dialog->findChild<QPushButton*>("okButton")));
            // A dialog still open later (a check refused what was typed) must not hang the test.
            QTimer::singleShot(10000 * kSlow, &window,
                               [&window] { CPSMainDialog::CloseOpenDialogs(&window); });
        };
        QTimer::singleShot(100, this, fill);
        QVERIFY(Xdotool(ClickOn(page.findChild<QWidget*>("newButton"))));
        QTRY_VERIFY_WITH_TIMEOUT(filled, 15000 * kSlow);

        // The library row, counted in the background, shown and selected.
        const QString library = window.Settings().GetDatabasePath();
        QTRY_VERIFY_WITH_TIMEOUT(ShortcutIdByName(library, "Sea Side") > 0, 10000 * kSlow);
        const int id = ShortcutIdByName(library, "Sea Side");
        QTRY_COMPARE_WITH_TIMEOUT(LoadShortcut(library, id)->numPhotos, 3, 10000 * kSlow);
        QCOMPARE(LoadShortcut(library, id)->folder, photos);
        QTRY_COMPARE_WITH_TIMEOUT(page.Current().id, id, 5000 * kSlow);

        // Queued, then applied.
        QTRY_VERIFY(page.findChild<QWidget*>("addButton")->isEnabled());
        QVERIFY(Xdotool(ClickOn(page.findChild<QWidget*>("addButton"))));
        QTRY_VERIFY(window.Settings().m_arrQueue == std::vector<int>{id});
        QPushButton* apply = window.findChild<QPushButton*>("applyButton");
        QTRY_VERIFY(apply->isEnabled());
        const unsigned long before = test::RootPixmap("_XROOTPMAP_ID", display.get());
        QVERIFY(Xdotool(ClickOn(apply)));
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                CAppSettings stored;
                stored.SetSettingsPath(window.Settings().GetSettingsPath());
                stored.Load();
                return stored.m_arrQueue == std::vector<int>{id};
            }(),
            5000 * kSlow);

        // The slideshow runs: a picture now, another at the interval (3 s by default).
        unsigned long shown = before;
        int changes = 0;
        QElapsedTimer clock;
        clock.start();
        while (changes < 2 && clock.elapsed() < 20000 * kSlow) {
            QTest::qWait(50);
            const unsigned long pixmap = test::RootPixmap("_XROOTPMAP_ID", display.get());
            if (pixmap && pixmap != shown) {
                shown = pixmap;
                ++changes;
            }
        }
        QCOMPARE(changes, 2);
        QVERIFY(window.Engine().State().currentPhoto.startsWith(photos));
    }
};

SKYLOOM_TEST_MAIN(TestShortcutsFlow, QApplication)
#undef Bool // Xlib's, which Qt's generated code would meet
#include "tst_shortcuts_flow.moc"
