// The main window's command row driven through its objectNames: the buttons, Apply and the
// pending changes, the exit question and its check box, minimizing, help and the page bar.

#include "Screenshots.h"
#include "TestMain.h"
#include "app/AutoStart.h"
#include "app/CPSMainDialog.h"
#include "engine/CSlideshowEngine.h"
#include "library/MessageReporter.h"
#include "ui/pages/CPPDLGOptions.h"
#include "ui/pages/CPPDLGShortcuts.h"
#include "ui/pages/CXDesktopST.h"
#include "ui/widgets/ExtMessageBox.h"
#include "ui/widgets/WebLinks.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

using namespace skyloom;

class TestMainWindowCommands : public QObject {
    Q_OBJECT

    static QPushButton* Button(CPSMainDialog& window, const char* name) {
        return window.findChild<QPushButton*>(name);
    }

    static CAppSettings Stored(CPSMainDialog& window) {
        CAppSettings stored;
        stored.SetSettingsPath(window.Settings().GetSettingsPath());
        stored.Load();
        return stored;
    }

private slots:
    void buttonsInTheirOrder() {
        CPSMainDialog window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QStringList names{"pauseButton", "minimizeButton", "applyButton",
                                "aboutButton", "helpButton",     "exitButton"};
        const QStringList captions{"Pause", "Minimize", "Apply", "About", "Help", "Exit"};
        int x = -1;
        for (int i = 0; i < names.size(); ++i) {
            QPushButton* button = Button(window, qPrintable(names[i]));
            QVERIFY2(button, qPrintable(names[i]));
            QCOMPARE(button->text(), captions[i]);
            QCOMPARE(button->accessibleName(), captions[i]);
            QVERIFY(button->x() > x); // left to right
            x = button->x();
        }
        QVERIFY(!Button(window, "applyButton")->isEnabled());
        // The page bar: an icon for every page, and the entries of the missing system menu.
        auto* bar = window.findChild<QListWidget*>("pageBar");
        for (int i = 0; i < bar->count(); ++i)
            QVERIFY(!bar->item(i)->icon().isNull());
        auto* menu = window.findChild<QMenu*>("pageBarMenu");
        QStringList entries;
        for (QAction* action : menu->actions())
            entries << action->text();
        QCOMPARE(entries, QStringList({"QuickStart Wizard", "About Skyloom..."}));
    }

    void applyTakesThePendingChanges() {
        CPSMainDialog window;
        window.show();
        QPushButton* apply = Button(window, "applyButton");
        window.MarkChanged(0x10); // not a change bit: nothing to apply
        QVERIFY(!apply->isEnabled());
        window.Settings().m_nIntervalMinutes = 7;
        window.MarkChanged(PendingChange::Interval);
        QVERIFY(apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        QVERIFY(!apply->isEnabled());
        QCOMPARE(Stored(window).m_nIntervalMinutes, 7); // saved on Apply
    }

    void progressBarAtRestIsNoBusyBar() {
        // A busy bar (range 0..0) animates, and so costs CPU, for as long as it is shown.
        CPSMainDialog window;
        auto* progress = window.findChild<QProgressBar*>("progress");
        emit window.Engine().progressChanged(3, 10);
        QCOMPARE(progress->value(), 3);
        emit window.Engine().progressChanged(0, 0); // a build has ended
        QVERIFY(progress->maximum() > progress->minimum());
        QCOMPARE(progress->value(), 0);
    }

    void pauseButtonFollowsTheSlideshow() {
        CPSMainDialog window;
        QPushButton* pause = Button(window, "pauseButton");
        window.Engine().Pause();
        QCOMPARE(pause->text(), "Resume");
        QVERIFY(window.Tray().Action(CTrayIcon::Command::Pause)->isChecked());
        window.Engine().Resume();
        QCOMPARE(pause->text(), "Pause");
        QVERIFY(!window.Tray().Action(CTrayIcon::Command::Pause)->isChecked());
    }

    void exitQuestion_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("exits");
        QTest::addColumn<int>("confirmAfter");
        QTest::newRow("no") << MessageResult::No << false << false << 1;
        QTest::newRow("no, ticked") << MessageResult::No << true << false << 0;
        QTest::newRow("yes") << MessageResult::Yes << false << true << 1;
    }

    void exitQuestion() {
        QFETCH(int, button);
        QFETCH(bool, tick);
        QFETCH(bool, exits);
        QFETCH(int, confirmAfter);
        CPSMainDialog window;
        window.Settings().m_bConfirmExit = 1;
        window.Settings().m_bMinimizeOnClose = 0;
        window.Settings().Save();
        window.show();
        QString asked;
        CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
            asked = box.windowTitle() + "|" + box.ClipboardText().section("\r\n", 3, 3);
            if (tick)
                box.CheckBox()->setChecked(true);
            box.Button(button)->click();
        });
        QTest::mouseClick(Button(window, "exitButton"), Qt::LeftButton);
        QCOMPARE(asked, "Skyloom - Desktop Wallpaper Changer|Are you sure you want to exit?");
        QCOMPARE(window.IsClosing(), exits);
        QCOMPARE(window.isVisible(), !exits);
        QCOMPARE(Stored(window).m_bConfirmExit, confirmAfter);
        if (!exits) {
            // Asked again unless the check box turned the question off.
            bool askedAgain = false;
            CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
                askedAgain = true;
                box.Button(MessageResult::No)->click();
            });
            QTest::mouseClick(Button(window, "exitButton"), Qt::LeftButton);
            QCOMPARE(askedAgain, !tick);
            CExtMessageBox::TakeAnswerer(); // an answerer left unused
        }
    }

    void closeBoxMinimizesWhenAsked() {
        CPSMainDialog window;
        window.Settings().m_bMinimizeOnClose = 1;
        window.Settings().m_bMinimizeToTray = 1; // no tray offscreen: the taskbar keeps it
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.close();
        QVERIFY(!window.IsClosing());
        QVERIFY(window.isMinimized());
        window.resize(800, 600);
        window.RestoreWindow();
        QVERIFY(!window.isMinimized());
        QCOMPARE(window.size(), QSize(639, 441)); // restore resets the size
        QTest::keyClick(&window, Qt::Key_Escape); // Escape does not end the program
        QVERIFY(!window.IsClosing());
    }

    void sessionEndAsksNothing_data() {
        QTest::addColumn<bool>("questionOpen");
        QTest::newRow("window shown") << false;
        QTest::newRow("exit question open") << true;
    }

    void sessionEndAsksNothing() {
        // At log-out the session manager's "die" reaches the program as a quit event. Neither
        // the close box's minimizing nor the exit question may stand in its way.
        QFETCH(bool, questionOpen);
        // The window's filter sees the quit event first; this one keeps it from then ending
        // the test program's event loops for good.
        struct SwallowQuit final : QObject {
            bool eventFilter(QObject*, QEvent* event) override {
                return event->type() == QEvent::Quit;
            }
        } swallow;
        qApp->installEventFilter(&swallow);
        CPSMainDialog window;
        window.Settings().m_bConfirmExit = 1;
        window.Settings().m_bMinimizeOnClose = 1;
        window.Settings().Save();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto die = [] {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
        };
        if (questionOpen) {
            bool asked = false;
            CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
                asked = true;
                // Shown for real, in its own event loop, when the session ends.
                QTimer::singleShot(0, die);
                box.exec();
            });
            QMetaObject::invokeMethod(window.Tray().Action(CTrayIcon::Command::Exit),
                                      &QAction::trigger);
            QVERIFY(asked);
        } else {
            die();
        }
        QVERIFY(window.IsClosing());
        QVERIFY(!window.isVisible());
        QVERIFY(!window.isMinimized());
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName())); // the box too
        QCOMPARE(Stored(window).m_bConfirmExit, 1);
    }

    void applyWaitsWhileTheShortcutsPageIsBusy_data() {
        QTest::addColumn<unsigned>("change");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("interval") << PendingChange::Interval << true;
        QTest::newRow("photo options") << PendingChange::PhotoOptions << false;
        QTest::newRow("background") << PendingChange::Background << false;
    }
    void applyWaitsWhileTheShortcutsPageIsBusy() {
        QFETCH(unsigned, change);
        CPSMainDialog window;
        auto* apply = window.findChild<QPushButton*>("applyButton");
        window.ShortcutsPage().SetBusy(true);
        window.MarkChanged(change, 0);
        QTEST(apply->isEnabled(), "enabled");
    }

    void autoStartFollowsItsOption() {
        CPSMainDialog window;
        auto* check = window.OptionsPage().findChild<QCheckBox*>("autoStartCheck");
        QVERIFY(check);
        for (bool on : {false, true, false}) {
            check->setChecked(!on);
            check->click();
            QCOMPARE(QFile::exists(AutoStartEntryPath()), on);
            QCOMPARE(Stored(window).m_bAutoStart, int(on));
        }
    }

    void screenshots_data() { test::AddScreenshotRows(); }

    void screenshots() {
        // Saved under the build folder's artwork/ to be looked at: the window, and the tray
        // menu as it is while paused with AutoQueue off.
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        test::UsePalette(dark);
        CPSMainDialog window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.Engine().Pause();
        for (QWidget* widget :
             {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.Tray().Menu())}) {
            widget->ensurePolished();
            widget->adjustSize();
            if (widget == &window)
                window.resize(639, 441);
            QVERIFY(test::SaveScreenshot(*widget, widget == &window ? "main-window" : "tray-menu",
                                         dark, ratio));
        }
        // Every page fits the window at its smallest size.
        auto* bar = window.findChild<QListWidget*>("pageBar");
        const char* const names[] = {"shortcuts", "wallpaper", "background", "options"};
        for (int row = 0; row < bar->count(); ++row) {
            bar->setCurrentRow(row);
            window.resize(639, 441);
            QTest::qWait(10);
            // The look pages' previews are composed before the window is saved.
            if (auto* preview = window.findChild<QScrollArea*>(QString("pageScroll%1").arg(row))
                                    ->findChild<CXDesktopST*>())
                QTRY_VERIFY(preview->IsCurrent());
            auto* scroll = window.findChild<QScrollArea*>(QString("pageScroll%1").arg(row));
            const QSize needed = scroll->widget()->minimumSizeHint();
            QVERIFY2(!scroll->horizontalScrollBar()->isVisible() &&
                         !scroll->verticalScrollBar()->isVisible(),
                     qPrintable(QString("%1 needs %2x%3 in %4x%5")
                                    .arg(names[row])
                                    .arg(needed.width())
                                    .arg(needed.height())
                                    .arg(scroll->viewport()->width())
                                    .arg(scroll->viewport()->height())));
            QVERIFY(
                test::SaveScreenshot(window, QString("main-window-") + names[row], dark, ratio));
        }
        test::UsePalette(false);
    }

    void helpOpensThePagesTopic() {
        QList<QUrl> opened;
        WebLinks::SetOpener([&](const QUrl& url) {
            opened << url;
            return true;
        });
        CPSMainDialog window;
        window.findChild<QListWidget*>("pageBar")->setCurrentRow(2);
        QTest::mouseClick(Button(window, "helpButton"), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].query(), "A=Go&S=IDD_PP_SKP_BACKGROUND");
        WebLinks::SetOpener([](const QUrl&) { return false; });
    }
};

SKYLOOM_TEST_MAIN(TestMainWindowCommands, QApplication)
#include "tst_main_window_commands.moc"
