// The Shortcut Builder, Find Shortcut and the QuickStart wizard, driven through their controls
// over a real folder tree and a real library file.

#include "DummyServices.h"
#include "PhotoFolderTree.h"
#include "Screenshots.h"
#include "ShortcutLibraryFixture.h"
#include "TestMain.h"
#include "library/CShortcutsTable.h"
#include "library/MessageReporter.h"
#include "ui/tools/CDLGFindShortcut.h"
#include "ui/tools/CDLGShortcutBuilder.h"
#include "ui/tools/CPPQSFinish.h"
#include "ui/tools/CPPQSScanner.h"
#include "ui/tools/CPPQSShortcuts.h"
#include "ui/tools/CPSQuickStart.h"
#include "ui/tools/CXFolderLB.h"
#include "ui/tools/FolderChooser.h"
#include "ui/tools/FolderListPair.h"
#include "ui/widgets/CImageButton.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>

using namespace skyloom;

namespace {

QStringList Names(const QListWidget* list) {
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

template <class T> T* Child(const QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// Presses the button and answers the message box it shows with OK; returns its text.
QString ClickAndAnswer(QAbstractButton* button) {
    QString said;
    CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
        said = box.ClipboardText().section("\r\n", 3, 3);
        box.Button(MessageResult::Ok)->click();
    });
    button->click();
    CExtMessageBox::TakeAnswerer();
    return said;
}

// The library rows as "name|folder below root, lower-cased|photos|jpg bmp png tiff recursive".
QStringList Rows(const QString& db, const QString& root) {
    QStringList rows;
    for (const ShortcutRecord& r : LoadShortcuts(db, -1))
        rows << QString("%1|%2|%3|%4%5%6%7%8")
                    .arg(r.name, (r.folder.startsWith(root) ? r.folder.mid(root.size()) : r.folder)
                                     .toLower())
                    .arg(r.numPhotos)
                    .arg(r.jpg)
                    .arg(r.bmp)
                    .arg(r.png)
                    .arg(r.tiff)
                    .arg(r.recursive);
    rows.sort(Qt::CaseInsensitive);
    return rows;
}

// A library beside a home whose Pictures folder holds the photo folder tree.
struct FolderToolsFixture {
    test::ShortcutLibrary library;
    QString home = library.dir.path() + "/home";
    QString pictures = home + "/Pictures";
    test::DummyServices services{home};

    FolderToolsFixture() {
        test::MakePhotoFolderTree(pictures, false);
        SetFolderChooser([this](const QString&, const QString&) { return pictures; });
    }
    ~FolderToolsFixture() {
        SetFolderChooser({});
        test::CleanUpPhotoFolderTree(pictures);
    }
    // A library that already has the name "Existing Name" and the folder "Used Folder".
    void AddExisting() {
        CShortcutsTable table(library.Path());
        table.Open();
        ShortcutRecord r;
        r.catId = 3;
        r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
        r.numPhotos = 1;
        r.name = "Existing Name";
        r.folder = "/elsewhere/";
        table.Insert(r);
        r.name = "Someone Else's";
        r.folder = pictures + "/Used Folder/";
        table.Insert(r);
    }
};

bool WaitForWork(CDLGShortcutBuilder& dialog) {
    QSignalSpy finished(&dialog, &CDLGShortcutBuilder::workFinished);
    return !dialog.IsWorking() || finished.wait(10000);
}

} // namespace

class TestFolderTools : public QObject {
    Q_OBJECT

private slots:
    void init() { test::UsePalette(false); }

    // The candidates of the source folder, Go writing them with the chosen formats and
    // Recursive flag, and Go again writing nothing.
    void builderListsAndBuilds() {
        FolderToolsFixture f;
        f.AddExisting();
        f.library.settings.m_bDefaultJpeg = 1;
        f.library.settings.m_bDefaultBmp = f.library.settings.m_bDefaultPng =
            f.library.settings.m_bDefaultTiff = 0;
        f.library.settings.m_bDefaultRecursive = 0;
        CDLGShortcutBuilder dialog(&f.library.settings);
        dialog.show();
        auto* source = Child<QLineEdit>(&dialog, "sourceEdit");
        auto* go = Child<QPushButton>(&dialog, "goButton");
        auto* left = Child<CXFolderLB>(&dialog, "availableList");
        auto* right = Child<CXFolderLB>(&dialog, "selectedList");
        QVERIFY(!go->isEnabled());

        Child<CImageButton>(&dialog, "browseButton")->click();
        // While the search runs, nothing that would change it can be used.
        QVERIFY(dialog.IsWorking());
        QVERIFY(!source->isEnabled());
        QVERIFY(!Child<CImageButton>(&dialog, "browseButton")->isEnabled());
        QVERIFY(Child<QPushButton>(&dialog, "cancelButton")->isVisible());
        QVERIFY(WaitForWork(dialog));
        QVERIFY(source->isEnabled());
        QCOMPARE(source->text(), f.pictures);
        QCOMPARE(Names(left),
                 QStringList({"<tags>", "Album", "Beach Trip", "Cats", "Deep", "Loop", "Mixed"}));
        QCOMPARE(Child<QLabel>(&dialog, "availableLabel")->text(), "Available Shortcuts: 7");
        QCOMPARE(Child<QLabel>(&dialog, "selectedLabel")->text(),
                 "0 Photo Folder Shortcuts to Create");
        QCOMPARE(left->SelectedRow(), 0);

        // One moved, then the last one: the new last one is selected.
        Child<CImageButton>(&dialog, "addFolderButton")->click();
        QCOMPARE(Child<QLabel>(&dialog, "selectedLabel")->text(),
                 "1 Photo Folder Shortcut to Create");
        QVERIFY(go->isEnabled());
        left->SelectRow(left->count() - 1);
        Child<CImageButton>(&dialog, "addFolderButton")->click();
        QCOMPARE(left->SelectedRow(), left->count() - 1);
        QCOMPARE(Names(right), QStringList({"<tags>", "Mixed"}));
        Child<CImageButton>(&dialog, "addAllFoldersButton")->click();
        QCOMPARE(left->count(), 0);
        QCOMPARE(right->count(), 7);

        const QString created = "7 Photo Folder Shortcuts have been created and saved to the "
                                "Miscellaneous category.\n\nClick on 'Reset Shortcut Builder' "
                                "to refresh available Photo Folders and clear already built "
                                "Shortcuts.";
        QString said;
        CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
            said = box.ClipboardText().section("\r\n", 3, 3);
            box.Button(MessageResult::Ok)->click();
        });
        go->click();
        QVERIFY(WaitForWork(dialog));
        QCOMPARE(said, created);
        QVERIFY(dialog.ShortcutsCreated());
        // Counted with JPEG only and without sub-folders, as chosen.
        QCOMPARE(Rows(f.library.Path(), f.pictures),
                 QStringList({"<tags>|/<tags>|1|10000", "Album|/album|1|10000",
                              "Beach Trip|/beach trip|1|10000", "Cats|/cats|1|10000",
                              "Deep|/deep|0|10000", "Existing Name|/elsewhere/|1|11111",
                              "Loop|/loop|1|10000", "Mixed|/mixed|1|10000",
                              "Someone Else's|/used folder/|1|11111"}));

        // Again: every name is taken now, and the message says so.
        CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
            said = box.ClipboardText().section("\r\n", 3, 3);
            box.Button(MessageResult::Ok)->click();
        });
        go->click();
        QVERIFY(WaitForWork(dialog));
        QVERIFY(said.startsWith("0 Photo Folder Shortcuts have been created"));
        QCOMPARE(LoadShortcuts(f.library.Path(), -1).size(), std::size_t(9));

        // Reset searches again: nothing is left to offer.
        QVERIFY(Child<QPushButton>(&dialog, "resetButton")->isEnabled());
        Child<QPushButton>(&dialog, "resetButton")->click();
        QVERIFY(WaitForWork(dialog));
        QCOMPARE(left->count(), 0);
        QCOMPARE(right->count(), 0);
        QVERIFY(!Child<QPushButton>(&dialog, "resetButton")->isEnabled());
    }

    void findShortcut() {
        test::ShortcutLibrary library;
        library.AddShortcut("Cats", 1, 1234);
        library.AddShortcut("Black Cats", 2, 5);
        library.AddShortcut("Saint-Tropez", 6, -1);
        const int loose = library.AddShortcut("Cathedrals", 99, 2);
        {
            CShortcutsTable table(library.Path()); // no category at all
            table.Open();
            ShortcutRecord r = *library.Shortcut("Cathedrals");
            r.catId = -1;
            table.Update(r);
        }
        CDLGFindShortcut dialog(&library.settings);
        dialog.show();
        auto* text = Child<QLineEdit>(&dialog, "findEdit");
        auto* list = Child<QTableWidget>(&dialog, "resultList");
        auto* status = Child<QLabel>(&dialog, "statusLabel");
        auto* goTo = Child<QPushButton>(&dialog, "goToButton");
        QCOMPARE(status->text(), "No matching Shortcuts");
        QVERIFY(text->hasFocus() || QApplication::focusWidget() == nullptr);

        QTest::keyClicks(text, "c");
        QCOMPARE(list->rowCount(), 0);
        QCOMPARE(status->text(), "No matching Shortcuts");
        QVERIFY(!goTo->isEnabled());
        QTest::keyClicks(text, "a");
        QCOMPARE(status->text(), "2 matching Shortcuts.");
        QCOMPARE(list->item(0, 0)->text(), "Cathedrals");
        QCOMPARE(list->item(0, 1)->text(), "All");
        QCOMPARE(list->item(1, 0)->text(), "Cats");
        QCOMPARE(list->item(1, 1)->text(), "Models");
        QCOMPARE(list->item(1, 2)->text(), "1,234");
        QVERIFY(goTo->isEnabled());
        Child<QRadioButton>(&dialog, "containsRadio")->click();
        QCOMPARE(status->text(), "3 matching Shortcuts.");
        text->setText("t-t");
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->item(0, 2)->text(), ""); // not counted
        text->setText("zz");
        QVERIFY(!goTo->isEnabled());

        // The widths and the mode come back the next time.
        text->setText("cath");
        list->horizontalHeader()->resizeSection(0, 301);
        goTo->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.ChosenId(), loose);
        CDLGFindShortcut again(&library.settings);
        QCOMPARE(Child<QTableWidget>(&again, "resultList")->columnWidth(0), 301);
        QVERIFY(Child<QRadioButton>(&again, "containsRadio")->isChecked());
        Child<QPushButton>(&again, "doneButton")->click();
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(again.ChosenId(), -1);
    }

    // The four pages, first run or not: what the search offers, the choice and the save.
    void wizardFlow_data() {
        QTest::addColumn<bool>("firstRun");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("rows");
        const QStringList common = {"<tags>", "Album", "Beach Trip", "Cats",     "Deep", "Loop",
                                    "Mixed",  "One",   "Outside",    "Pictures", "Sub",  "Two"};
        QStringList all = common;
        all << "Existing Name"
            << "Used Folder";
        all.sort(Qt::CaseInsensitive);
        // On a first run the library's own names are offered too; the save skips the name
        // that exists and says what it wrote.
        QTest::newRow("first run") << true << all
                                   << "13 Photo Folder Shortcuts have been created and saved "
                                      "to the Miscellaneous category."
                                   << 15;
        QTest::newRow("later run") << false << common
                                   << "12 Photo Folder Shortcuts have been created and saved "
                                      "to the Miscellaneous category."
                                   << 14;
    }
    void wizardFlow() {
        QFETCH(bool, firstRun);
        FolderToolsFixture f;
        f.AddExisting();
        CPSQuickStart wizard(&f.library.settings);
        wizard.SetFirstRun(firstRun);
        wizard.show();
        QCOMPARE(wizard.currentId(), int(CPSQuickStart::InstructionsPage));
        QCOMPARE(wizard.windowTitle(), "Instructions - Skyloom QuickStart Wizard");
        wizard.next();
        QCOMPARE(wizard.windowTitle(), "Step #1 - Search for Photos - Skyloom QuickStart Wizard");
        CPPQSScanner* scanner = wizard.Scanner();
        QVERIFY(Child<QLabel>(scanner, "introLabel")->text().contains("'" + f.pictures + ".'"));
        QVERIFY(!wizard.button(QWizard::CommitButton)->isEnabled());
        QSignalSpy ended(scanner, &CPPQSScanner::searchEnded);
        Child<QPushButton>(scanner, "startSearchButton")->click();
        QVERIFY(!wizard.button(QWizard::BackButton)->isEnabled());
        QVERIFY(!wizard.button(QWizard::CancelButton)->isEnabled());
        QTest::keyClick(&wizard, Qt::Key_Escape); // Skip is off: Escape too
        QVERIFY(wizard.isVisible());
        QVERIFY(ended.wait(10000));
        QVERIFY(wizard.button(QWizard::CommitButton)->isEnabled());
        QVERIFY(wizard.button(QWizard::CancelButton)->isEnabled());
        QCOMPARE(
            Child<QLabel>(scanner, "resultLabel")->text(),
            "Search Results: Located 16 Photos in 16 Folders.  Click <u>N</u>ext to continue.");
        QCOMPARE(Child<QLabel>(scanner, "currentFolderLabel")->text(), "Done!");

        wizard.next();
        QCOMPARE(wizard.currentId(), int(CPSQuickStart::ShortcutsPage));
        CPPQSShortcuts* choice = wizard.Choice();
        QVERIFY(!wizard.button(QWizard::BackButton)->isEnabled() ||
                !wizard.button(QWizard::BackButton)->isVisible());
        QVERIFY(!wizard.button(QWizard::NextButton)->isEnabled());
        auto* left = Child<CXFolderLB>(choice, "availableList");
        QTEST(Names(left), "found");
        QFETCH(QStringList, found);
        QCOMPARE(Child<QLabel>(choice, "availableLabel")->text(),
                 QString("QuickStart Wizard Found %1 Folders").arg(found.size()));
        left->SelectRow(left->FindName("Deep"));
        // The detail line as the format has it: two blanks before the folder count, one
        // trailing blank without it; only folders inside count ("Album" is not in "Al").
        QCOMPARE(choice->Detail(),
                 "Label: Deep, 1 Photo  in 2 Folders\nLocation: " + f.pictures + "/Deep");
        left->SelectRow(left->FindName("Album"));
        QCOMPARE(choice->Detail(),
                 "Label: Album, 2 Photos  in 1 Folder\nLocation: " + f.pictures + "/Album");
        left->SelectRow(left->FindName("Loop"));
        QCOMPARE(choice->Detail(), "Label: Loop, 1 Photo \nLocation: " + f.pictures + "/Loop");
        choice->Lists()->MoveAllRight();
        QVERIFY(wizard.button(QWizard::NextButton)->isEnabled());
        QCOMPARE(Child<QLabel>(choice, "selectedLabel")->text(),
                 QString("%1 Shortcuts to Create").arg(found.size()));

        wizard.next();
        QCOMPARE(wizard.currentId(), int(CPSQuickStart::FinishPage));
        CPPQSFinish* finish = wizard.Finish();
        QCOMPARE(Child<QCheckBox>(finish, "queueCheck")->isVisible(), firstRun);
        QCOMPARE(Child<QCheckBox>(finish, "queueCheck")->isChecked(), firstRun);
        QCOMPARE(Child<QLabel>(finish, "listLabel")->text(),
                 QString("%1 Shortcuts Selected").arg(found.size()));
        QFETCH(QString, said);
        QCOMPARE(ClickAndAnswer(wizard.button(QWizard::FinishButton)), said);
        QCOMPARE(wizard.result(), int(QDialog::Accepted));
        QTEST(int(LoadShortcuts(f.library.Path(), -1).size()), "rows");
        QCOMPARE(wizard.QueueAndStart(), firstRun);
        QCOMPARE(wizard.ChosenCategoryId(), 3);
        const std::optional<ShortcutRecord> deep = f.library.Shortcut("Deep");
        QVERIFY(deep);
        QCOMPARE(deep->numPhotos, 1);
        QCOMPARE(deep->recursive, 1);
        QCOMPARE(deep->catId, 3);
    }

    // The three dialogs and the wizard's pages as the user sees them, saved to be looked at.
    void screenshots_data() { test::AddScreenshotRows(); }
    void screenshots() {
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        test::UsePalette(dark);
        FolderToolsFixture f;
        f.AddExisting();
        f.library.AddShortcut("Cats & Dogs", 4, 2345);
        f.library.AddShortcut("Catalonia", 6, 12);

        CDLGShortcutBuilder builder(&f.library.settings);
        builder.show();
        Child<CImageButton>(&builder, "browseButton")->click();
        QVERIFY(WaitForWork(builder));
        Child<CImageButton>(&builder, "addFolderButton")->click();
        Child<CImageButton>(&builder, "addFolderButton")->click();
        QVERIFY(test::SaveScreenshot(builder, "shortcut-builder", dark, ratio));

        CDLGFindShortcut find(&f.library.settings);
        find.show();
        Child<QLineEdit>(&find, "findEdit")->setText("cat");
        QVERIFY(test::SaveScreenshot(find, "find-shortcut", dark, ratio));

        CPSQuickStart wizard(&f.library.settings);
        wizard.SetFirstRun(true);
        wizard.show();
        QVERIFY(test::SaveScreenshot(wizard, "wizard-1-instructions", dark, ratio));
        wizard.next();
        QSignalSpy ended(wizard.Scanner(), &CPPQSScanner::searchEnded);
        Child<QPushButton>(wizard.Scanner(), "startSearchButton")->click();
        QVERIFY(ended.wait(10000));
        QVERIFY(test::SaveScreenshot(wizard, "wizard-2-search", dark, ratio));
        wizard.next();
        auto* left = Child<CXFolderLB>(wizard.Choice(), "availableList");
        left->SelectRow(left->FindName("Deep"));
        wizard.Choice()->Lists()->MoveRight();
        wizard.Choice()->Lists()->MoveRight();
        left->SelectRow(left->FindName("Mixed"));
        QVERIFY(test::SaveScreenshot(wizard, "wizard-3-choose", dark, ratio));
        wizard.next();
        QVERIFY(test::SaveScreenshot(wizard, "wizard-4-save", dark, ratio));
    }

    // Escape is Skip while Skip can be pressed.
    void wizardEscapeSkips() {
        FolderToolsFixture f;
        CPSQuickStart wizard(&f.library.settings);
        wizard.show();
        QTest::keyClick(&wizard, Qt::Key_Escape);
        QVERIFY(!wizard.isVisible());
        QCOMPARE(wizard.result(), int(QDialog::Rejected));
    }
};

SKYLOOM_TEST_MAIN(TestFolderTools, QApplication)
#include "tst_folder_tools.moc"
