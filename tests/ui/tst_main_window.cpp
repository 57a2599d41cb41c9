// The main window built on the offscreen platform with the session's own facilities in a
// private home: its title, its four pages and the files its construction fixes.

#include "SkipStartupWizard.h"
#include "TestMain.h"
#include "app/CPSMainDialog.h"
#include "engine/CSlideshowEngine.h"
#include "ui/pages/SettingsPage.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStandardPaths>

using skyloom::CPSMainDialog;

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void windowShowsTheFourPagesInOrder() {
        auto window = std::make_unique<CPSMainDialog>();
        QCOMPARE(window->windowTitle(), "Skyloom - Desktop Wallpaper Changer");
        QCOMPARE(window->minimumSize(), QSize(639, 441));

        auto* navigation = window->findChild<QListWidget*>();
        auto* stack = window->findChild<QStackedWidget*>();
        QVERIFY(navigation && stack);
        QCOMPARE(navigation->width(), 110);
        const QStringList captions = {"Photo Folder Shortcuts", "Wallpaper Settings", "Background",
                                      "Options"};
        QCOMPARE(navigation->count(), captions.size());
        for (int i = 0; i < captions.size(); ++i) {
            QCOMPARE(navigation->item(i)->text(), captions[i]);
            // Each page in a scroll area of its own.
            auto* scroll = qobject_cast<QScrollArea*>(stack->widget(i));
            QVERIFY(scroll);
            QCOMPARE(qobject_cast<skyloom::SettingsPage*>(scroll->widget())->Caption(),
                     captions[i]);
        }

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        navigation->setCurrentRow(2);
        QCOMPARE(stack->currentIndex(), 2);

        auto* status = window->findChild<QLabel*>("status");
        QCOMPARE(status->text(), "One moment please...");
        // The start-up finds an empty library: the QuickStart wizard opens on the first page,
        // and once it is skipped (with the Getting Started box of a first run) there is
        // nothing to queue.
        skyloom::test::SkipStartupWizard skip;
        QTRY_COMPARE_WITH_TIMEOUT(skip.boxes, 1, 5000);
        QCOMPARE(skip.wizards, 1);
        QCOMPARE(stack->currentIndex(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), "Ready", 5000);
        window->SetStatus("  Shown trimmed  ");
        QCOMPARE(status->text(), "Shown trimmed");
        window->reject();
        QCOMPARE(status->text(), "Shutting down...");
        QVERIFY(!window->Engine().IsChanging());
    }

    void constructionFixesThePathsBelowTheDocumentsFolder() {
        auto window = std::make_unique<CPSMainDialog>();
        const QString data =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/My Skyloom";
        QVERIFY(data.startsWith(qEnvironmentVariable("HOME")));
        QCOMPARE(window->Settings().GetDataFolder(), data);
        QVERIFY(QFile::exists(data + "/Settings.skdat"));
        QCOMPARE(window->Startup().wallpaperPath, data + "/Wallpaper.jpg");
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(window->Startup().screenSize, screen->size() * screen->devicePixelRatio());
        // The screen background every wallpaper starts from, and the thumbnail of it.
        QCOMPARE(window->Engine().ScreenSize(), window->Startup().screenSize);
        QCOMPARE(QImage(data + "/SKBackground.png").size(), QSize(200, 100));
    }
};

SKYLOOM_TEST_MAIN(TestMainWindow, QApplication)
#include "tst_main_window.moc"
