// The Photo Folder Shortcuts page over a real library file: moving shortcuts between the lists
// with categories switched between, the renamed queued shortcut, folders dropped from a file
// manager, the Category pop-up, deleting a queued shortcut, a new shortcut counted in the
// background, and the page's look in light and dark palettes.

#include "Screenshots.h"
#include "ShortcutLibraryFixture.h"
#include "TestMain.h"
#include "library/MessageReporter.h"
#include "platform/FolderOpener.h"
#include "ui/pages/CPPDLGShortcuts.h"
#include "ui/pages/ShortcutListModel.h"
#include "ui/pages/ShortcutsPageHost.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTimer>

using namespace skyloom;
using List = CPPDLGShortcuts::List;

namespace {

struct RecordingHost final : IShortcutsPageHost {
    QStringList calls;
    void SetStatus(const QString&) override {}
    void EnableCommandButtons(bool enable) override { calls << (enable ? "enable" : "disable"); }
    void ShowProgress(int, int) override {}
    void UpdateStatusText() override {}
    void MarkQueueChanged() override { calls << "queue changed"; }
    void StartQueueBuild() override { calls << "build"; }
    void RunAutoQueue() override { calls << "autoqueue"; }
    void RefreshPhotoInformation(int categoryId) override {
        calls << QString("refresh %1").arg(categoryId);
    }
    void CategoriesChanged() override { calls << "categories"; }
    void RunQuickStart() override { calls << "quickstart"; }
};

QStringList Names(const QListView* view) {
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        names << view->model()->index(row, 0).data().toString();
    return names;
}

} // namespace

class TestShortcutsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ShortcutLibrary> m_library;
    std::unique_ptr<CPPDLGShortcuts> m_page;
    RecordingHost m_host;

    QListView* View(List list) const {
        return m_page->findChild<QListView*>(list == List::Shortcuts ? "shortcutList"
                                                                     : "queuedList");
    }
    QStringList Listed(List list) const { return Names(View(list)); }
    void ShowCategory(const QString& name) {
        auto* combo = m_page->findChild<QComboBox*>("categoryCombo");
        const int index = combo->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void Select(List list, const QString& name) {
        QListView* view = View(list);
        const int row = int(Names(view).indexOf(name));
        QVERIFY2(row >= 0, qPrintable(name));
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    void Click(const char* button) {
        auto* b = m_page->findChild<QAbstractButton*>(button);
        QVERIFY2(b && b->isEnabled(), button);
        b->click();
    }
    QStringList QueuedNames() const {
        QStringList names;
        for (int id : m_library->settings.m_arrQueue)
            if (auto r = LoadShortcut(m_library->Path(), id))
                names << r->name;
        return names;
    }
    void OpenPage() {
        m_page = std::make_unique<CPPDLGShortcuts>(&m_library->settings);
        m_page->SetHost(&m_host);
        m_page->Initialize();
        m_page->resize(560, 380);
        m_page->show();
    }

private slots:
    void initTestCase() {
        // The lists sort in the user's language: "Été" beside the E's.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void init() {
        m_library = std::make_unique<test::ShortcutLibrary>();
        m_library->AddShortcut("Beach", 6, 120);
        m_library->AddShortcut("alps", 6, 30);
        m_library->AddShortcut("Mum", 4, 1);
        m_library->AddShortcut("Dad", 4, 1234);
        m_host.calls.clear();
        OpenPage();
    }
    void cleanup() {
        while (CExtMessageBox::TakeAnswerer()) {
        } // one a failed test left unused
        m_page.reset();
        m_library.reset();
    }

    void queueOperations_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("queued"); // by id: the order of the library
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("summary");
        QTest::newRow("add one") << QStringList{"cat Vacations", "add Beach"}
                                 << QStringList{"Beach"} << QStringList{"alps"}
                                 << "120 Photos in 1 Shortcut";
        QTest::newRow("add all, then all categories")
            << QStringList{"cat Vacations", "all", "cat All"} << QStringList{"Beach", "alps"}
            << QStringList{"Dad", "Mum"} << "150 Photos in 2 Shortcuts";
        QTest::newRow("removed while another category shows")
            << QStringList{"cat All", "add Beach", "cat Family", "remove Beach"} << QStringList{}
            << QStringList{"Dad", "Mum"} << "";
        QTest::newRow("clear brings back the shown category's")
            << QStringList{"cat All", "all", "cat Family", "none"} << QStringList{}
            << QStringList{"Dad", "Mum"} << "";
        QTest::newRow("cleared, then all categories")
            << QStringList{"cat All", "all", "cat Family", "none", "cat All"} << QStringList{}
            << QStringList{"alps", "Beach", "Dad", "Mum"} << "";
        QTest::newRow("queued once however added")
            << QStringList{"cat All", "add Beach", "cat Vacations", "all", "cat All", "add Mum"}
            << QStringList{"Beach", "alps", "Mum"} << QStringList{"Dad"}
            << "151 Photos in 3 Shortcuts";
    }

    void queueOperations() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, queued);
        QFETCH(QStringList, listed);
        QFETCH(QString, summary);
        for (const QString& step : steps) {
            const QString what = step.section(' ', 0, 0), name = step.section(' ', 1);
            if (what == "cat") {
                ShowCategory(name);
            } else if (what == "add") {
                Select(List::Shortcuts, name);
                Click("addButton");
            } else if (what == "remove") {
                Select(List::Queued, name);
                Click("removeButton");
            } else if (what == "all") {
                Click("addAllButton");
            } else if (what == "none") {
                Click("clearButton");
            }
        }
        QCOMPARE(QueuedNames(), queued);
        QCOMPARE(Listed(List::Shortcuts), listed);
        std::vector<int> sorted = m_library->settings.m_arrQueue;
        std::sort(sorted.begin(), sorted.end());
        sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
        QVERIFY(sorted == m_library->settings.m_arrQueue); // ascending, each id once
        QCOMPARE(m_page->findChild<QLabel*>("queueSummary")->text(), summary);
        const bool empty = queued.isEmpty();
        QCOMPARE(m_page->findChild<QAbstractButton*>("removeButton")->isEnabled(), !empty);
        QCOMPARE(m_page->findChild<QAbstractButton*>("clearButton")->isEnabled(), !empty);
        QCOMPARE(m_page->findChild<QAbstractButton*>("addButton")->isEnabled(), !listed.isEmpty());
        QVERIFY(m_host.calls.contains("queue changed"));
    }

    void renamedQueuedShortcutIsNotListedTwice() {
        ShowCategory("All");
        Select(List::Shortcuts, "Beach");
        Click("addButton");
        auto beach = m_library->Shortcut("Beach");
        beach->name = "Coast";
        CShortcutsTable table(m_library->Path());
        QVERIFY(table.Open() && table.Update(*beach) == 1);
        table.Close();
        ShowCategory("Vacations");
        ShowCategory("All");
        QVERIFY(!Listed(List::Shortcuts).contains("Coast"));
        Click("addAllButton");
        QCOMPARE(m_library->settings.m_arrQueue.size(), std::size_t(4));
    }

    void droppedFolders() {
        const QString root = m_library->dir.path() + "/dropped/";
        for (const char* folder : {"Sea $HOME", "Été", "Beach"})
            QVERIFY(QDir().mkpath(root + folder));
        QFile file(root + "photo.jpg");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QMimeData mime;
        QList<QUrl> urls;
        for (const char* path : {"Sea $HOME", "Été", "photo.jpg", "missing", "Beach"})
            urls << QUrl::fromLocalFile(root + path);
        urls << QUrl("https://example.org/folder"); // not local: ignored
        mime.setUrls(urls);
        QString told;
        CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
            told = box.ClipboardText().section("\r\n", 3, 3);
            box.Button(MessageResult::Ok)->click();
        });
        QSignalSpy counted(m_page.get(), &CPPDLGShortcuts::countFinished);
        // As a file manager's drag arrives: entering, then the drop.
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(m_page.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_page.get(), &drop);
        QVERIFY(counted.wait(10000));
        // Shown "All": filed under the default category, which is then shown.
        QCOMPARE(m_page->findChild<QComboBox*>("categoryCombo")->currentText(), "Miscellaneous");
        QCOMPARE(Listed(List::Shortcuts), QStringList({"Été", "Sea Home"}));
        QCOMPARE(m_library->Shortcut("Sea Home")->folder, root + "Sea $HOME/"); // as dropped
        QCOMPARE(m_library->Shortcut("Été")->catId, 3);
        QCOMPARE(told,
                 "1 folder where skipped because they already exist as a Photo Folder Shortcut.");
        QVERIFY(m_host.calls.contains("disable") && m_host.calls.last() == "enable");
    }

    // A drop that makes nothing still says what it skipped.
    void droppedFoldersAllExisting() {
        const QString root = m_library->dir.path() + "/dropped-again/";
        QVERIFY(QDir().mkpath(root + "Beach"));
        QString told;
        CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
            told = box.ClipboardText().section("\r\n", 3, 3);
            box.Button(MessageResult::Ok)->click();
        });
        m_page->AddDroppedFolders({root + "Beach"});
        CExtMessageBox::TakeAnswerer();
        QCOMPARE(told,
                 "1 folder where skipped because they already exist as a Photo Folder Shortcut.");
    }

    // Find's jump: from "All" to the shortcut's own category, with the shortcut selected;
    // a queued shortcut is shown in the queued list.
    void showShortcutFromFind() {
        ShowCategory("All");
        const int beach = m_library->IdOf("Beach");
        m_page->ShowShortcut(beach);
        QCOMPARE(m_page->findChild<QComboBox*>("categoryCombo")->currentText(), "Vacations");
        QCOMPARE(m_page->Current().id, beach);
        Click("addButton"); // queued now
        ShowCategory("Models");
        m_page->ShowShortcut(beach);
        QCOMPARE(m_page->findChild<QComboBox*>("categoryCombo")->currentText(), "Vacations");
        QListView* queued = View(List::Queued);
        QCOMPARE(queued->currentIndex().data().toString(), "Beach");
    }

    void categoryPopupMovesTheShortcut() {
        CCategoriesTable categories(m_library->Path());
        CategoryRecord sunAndSea;
        sunAndSea.name = "Sun & Sea";
        QVERIFY(categories.Open() && categories.Insert(sunAndSea) == 1);
        categories.Close();
        ShowCategory("Vacations");
        QListView* view = View(List::Shortcuts);
        const QPoint at = view->visualRect(view->model()->index(1, 0)).center(); // Beach
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at,
                                    view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &menuEvent);
        QCOMPARE(m_page->Current().name, "Beach");
        auto* categoryMenu = m_page->ShortcutMenu()->findChild<QMenu*>("categoryMenu");
        QStringList entries, checked;
        for (QAction* action : categoryMenu->actions()) {
            entries << action->text();
            if (action->isChecked())
                checked << action->text();
        }
        QVERIFY(entries.contains("Sun && Sea")); // one ampersand shown, no mnemonic
        QCOMPARE(checked, QStringList{"Vacations"});
        // The category shown: the shortcut stays.
        categoryMenu->actions().at(int(entries.indexOf("Vacations")))->trigger();
        QVERIFY(Listed(List::Shortcuts).contains("Beach"));
        categoryMenu->actions().at(int(entries.indexOf("Family")))->trigger();
        m_page->ShortcutMenu()->close();
        QCOMPARE(m_library->Shortcut("Beach")->catId, 4);
        QCOMPARE(Listed(List::Shortcuts), QStringList{"alps"});
    }

    void keyboardUse() {
        // Enter queues and unqueues as a double-click does; the Menu key opens the selected
        // item's menu.
        ShowCategory("Family");
        QListView* left = View(List::Shortcuts);
        left->setFocus();
        Select(List::Shortcuts, "Mum");
        QTest::keyClick(left, Qt::Key_Return);
        QCOMPARE(QueuedNames(), QStringList{"Mum"});
        QListView* right = View(List::Queued);
        Select(List::Queued, "Mum");
        QTest::keyClick(right, Qt::Key_Enter);
        QVERIFY(QueuedNames().isEmpty());
        Select(List::Shortcuts, "Mum");
        const QPoint at = left->visualRect(left->currentIndex()).center();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at,
                                  left->viewport()->mapToGlobal(at));
        QApplication::sendEvent(left->viewport(), &menuKey);
        QTRY_VERIFY(m_page->ShortcutMenu()->isVisible());
        m_page->ShortcutMenu()->close();
        QCOMPARE(m_page->Current().name, "Mum");
    }

    void selectionsKeptAfterAnEdit_data() {
        QTest::addColumn<bool>("queued"); // the edited shortcut is the queued one
        QTest::newRow("left list") << false;
        QTest::newRow("queued list") << true;
    }

    void selectionsKeptAfterAnEdit() {
        // Alps is queued; Beach is on the left. One of them is renamed through the dialog;
        // both lists keep their selection and show the new name.
        QFETCH(bool, queued);
        ShowCategory("All");
        Select(List::Shortcuts, "alps");
        Click("addButton");
        Select(List::Queued, "alps");
        Select(List::Shortcuts, "Beach");
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>("nameEdit")->setText(queued ? "Alpine" : "Shore");
            dialog->findChild<QPushButton*>("okButton")->click();
        });
        QSignalSpy counted(m_page.get(), &CPPDLGShortcuts::countFinished);
        m_page->EditShortcut(queued ? List::Queued : List::Shortcuts);
        QVERIFY(counted.wait(10000));
        const QString left = queued ? "Beach" : "Shore", right = queued ? "Alpine" : "alps";
        const QListView* views[] = {View(List::Shortcuts), View(List::Queued)};
        QCOMPARE(views[0]->currentIndex().data().toString(), left);
        QCOMPARE(views[1]->currentIndex().data().toString(), right);
        QCOMPARE(m_page->Current().name, left);
    }

    void refreshShownFromTheTray() {
        // The page's window is hidden (in the tray) when a refresh of all categories ends:
        // the new counts show at once.
        QWidget window;
        m_page->setParent(&window);
        CShortcutsTable table(m_library->Path());
        QVERIFY(table.Open() && table.UpdatePhotoCount(m_library->IdOf("Dad"), 7) == 1);
        table.Close();
        m_page->PhotoRefreshFinished(-1);
        const QListView* left = View(List::Shortcuts);
        const int row = int(Names(left).indexOf("Dad"));
        QCOMPARE(left->model()->index(row, 0).data(ShortcutListModel::PhotosRole).toInt(), 7);
        m_page->setParent(nullptr);
    }

    void pageClosedWhileCounting() {
        // Nothing is written for a count that was cancelled, and the busy cursor goes.
        const QString big = m_library->dir.path() + "/big";
        for (int i = 0; i < 200; ++i)
            QVERIFY(QDir().mkpath(QString("%1/%2/%3").arg(big).arg(i % 20).arg(i)));
        m_page->AddDroppedFolders({big});
        QVERIFY(m_page->IsCounting());
        QVERIFY(QApplication::overrideCursor());
        m_page.reset();
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(m_library->IdOf("Big"), -1);
    }

    void busyPageRefusesItsCommands() {
        // While the window builds the photo queue, the page is locked.
        ShowCategory("All");
        Select(List::Shortcuts, "Beach");
        m_page->SetBusy(true);
        QVERIFY(!View(List::Shortcuts)->isEnabled());
        QVERIFY(!m_page->findChild<QAbstractButton*>("addButton")->isEnabled());
        QVERIFY(!m_page->findChild<QAbstractButton*>("newButton")->isEnabled());
        m_page->AddToQueue();
        m_page->AddDroppedFolders({m_library->dir.path()});
        QVERIFY(m_library->settings.m_arrQueue.empty());
        QVERIFY(!m_page->IsCounting());
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(m_library->dir.path())});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(m_page.get(), &enter);
        QVERIFY(!enter.isAccepted());
        m_page->SetBusy(false);
        Click("addButton");
        QCOMPARE(QueuedNames(), QStringList{"Beach"});
    }

    void containerFolderOpensInTheFileManager() {
        QStringList opened;
        platform::SetFolderOpener([&](const QString& folder) {
            opened << folder;
            return true;
        });
        ShowCategory("All");
        Select(List::Shortcuts, "Mum");
        Click("addButton");
        Select(List::Queued, "Mum");
        Select(List::Shortcuts, "Dad");
        m_page->OpenContainerFolder(List::Shortcuts);
        m_page->OpenContainerFolder(List::Queued);
        platform::SetFolderOpener({});
        const QString photos = m_library->dir.path() + "/photos/";
        QCOMPARE(opened, QStringList({photos + "Dad/", photos + "Mum/"}));
    }

    void categoryStatistics_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("said");
        QTest::newRow("All") << "All"
                             << "Statistics for the Category:\t\"All\"\n\n     Shortcuts:\t4\n"
                                "     Photos:\t1,385";
        QTest::newRow("one category")
            << "Family"
            << "Statistics for the Category:\t\"Family\"\n\n     Shortcuts:\t2\n     "
               "Photos:\t1,235\n\nGeneral Statistics:\n\n     Shortcuts:\t4\n     "
               "Photos:\t1,385";
    }

    void categoryStatistics() {
        QFETCH(QString, category);
        QFETCH(QString, said);
        ShowCategory(category);
        QString text, caption;
        CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
            caption = box.windowTitle();
            text = box.ClipboardText().section("\r\n", 3, 3);
            box.Button(MessageResult::Ok)->click();
        });
        m_page->CategoryStatistics();
        QCOMPARE(caption, "Skyloom - Category Statistics");
        QCOMPARE(text, said);
    }

    void deletingAQueuedShortcutRebuildsAtOnce() {
        ShowCategory("All");
        Select(List::Shortcuts, "Dad");
        Click("addButton");
        Select(List::Queued, "Dad");
        CExtMessageBox::AnswerNext([](CExtMessageBox& box) {
            QCOMPARE(box.ClipboardText().section("\r\n", 3, 3),
                     "Delete the Shortcut Dad?\n\nNOTE: Photos are **NOT** deleted.");
            box.Button(MessageResult::Yes)->click();
        });
        m_page->DeleteShortcut(List::Queued);
        QCOMPARE(m_library->IdOf("Dad"), -1);
        QVERIFY(m_library->settings.m_arrQueue.empty());
        QVERIFY(m_library->Stored().m_arrQueue.empty());
        QCOMPARE(m_host.calls.last(), "build");
    }

    void newShortcutIsCountedInTheBackground() {
        const QString folder = m_library->dir.path() + "/new photos";
        QVERIFY(QDir().mkpath(folder + "/inner"));
        for (const char* name : {"/a.jpg", "/b.PNG", "/inner/c.jpeg", "/notes.txt"}) {
            QFile f(folder + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        ShowCategory("Family");
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>("nameEdit")->setText("Garden");
            dialog->findChild<QLineEdit*>("folderEdit")->setText(folder);
            auto* combo = dialog->findChild<QComboBox*>("categoryCombo");
            combo->setCurrentIndex(combo->findText("Family"));
            dialog->findChild<QPushButton*>("okButton")->click();
        });
        QSignalSpy counted(m_page.get(), &CPPDLGShortcuts::countFinished);
        Click("newButton");
        QVERIFY(counted.wait(10000));
        QCOMPARE(m_library->Shortcut("Garden")->numPhotos, 3);
        QCOMPARE(Listed(List::Shortcuts), QStringList({"Dad", "Garden", "Mum"}));
        QCOMPARE(m_page->Current().name, "Garden");
    }

    void screenshots_data() { test::AddScreenshotRows(); }

    void screenshots() {
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        test::UsePalette(dark);
        m_page.reset();
        OpenPage();
        ShowCategory("All");
        Select(List::Shortcuts, "Beach");
        Click("addButton");
        Select(List::Shortcuts, "Dad");
        QVERIFY(test::SaveScreenshot(*m_page, "shortcuts-page", dark, ratio));
        test::UsePalette(false);
    }
};

SKYLOOM_TEST_MAIN(TestShortcutsPage, QApplication)
#include "tst_shortcuts_page.moc"
