// The shortcut dialog's checks in their order, new and edit mode, and the categories dialogs:
// names refused, "Miscellaneous" protected, and a deleted category's shortcuts moved in the
// delete itself.

#include "ShortcutLibraryFixture.h"
#include "TestMain.h"
#include "library/MessageReporter.h"
#include "library/TextHelpers.h"
#include "ui/tools/CDLGCategories.h"
#include "ui/tools/CDLGCategoryName.h"
#include "ui/tools/CDLGShortcut.h"
#include "ui/widgets/ExtMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace skyloom;

namespace {

// Clicks OK and returns the message the dialog said, or "accepted".
QString Answer(QDialog& dialog, const char* ok = "okButton") {
    QString said = "accepted";
    CExtMessageBox::AnswerNext([&](CExtMessageBox& box) {
        said = box.ClipboardText().section("\r\n", 3, 3);
        box.Button(MessageResult::Ok)->click();
    });
    dialog.findChild<QPushButton*>(ok)->click();
    CExtMessageBox::TakeAnswerer(); // unused when nothing was said
    if (said == "accepted" && dialog.result() != QDialog::Accepted)
        said = "stayed open";
    return said;
}

} // namespace

class TestShortcutTools : public QObject {
    Q_OBJECT

private slots:
    void shortcutChecksInOrder_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("formats");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder"); // dir, file or missing
        QTest::addColumn<QString>("said");
        const QString formats =
            "Please choose at least one photo format (JPEG|PNG|BMP|TIF) to include for before "
            "clicking OK.";
        const QString letters = "Please enter in letters, numbers and/or (- _ ') in this field.";
        const QString empty = "Please enter in a valid Name for this Shortcut before clicking OK.";
        const QString taken = "A Shortcut with the same name already exists.  Please choose a "
                              "different name for this Shortcut.";
        const QString folder = "Please select a valid Folder Location before clicking OK.";
        QTest::newRow("no format first") << false << false << "a/b"
                                         << "missing" << formats;
        QTest::newRow("a character refused") << false << true << "a/b"
                                             << "missing" << letters;
        QTest::newRow("empty") << false << true << ""
                               << "missing" << empty;
        QTest::newRow("spaces only") << false << true << "   "
                                     << "dir" << empty;
        QTest::newRow("taken, trailing space") << false << true << "Beach "
                                               << "missing" << taken;
        QTest::newRow("edit: another's name") << true << true << "Beach"
                                              << "dir" << taken;
        QTest::newRow("edit: its own name") << true << true << "Alps"
                                            << "dir"
                                            << "accepted";
        QTest::newRow("letters of any script") << false << true << "Été à Köln 2010"
                                               << "dir"
                                               << "accepted";
        QTest::newRow("only ampersands") << false << true << "&&&"
                                         << "dir"
                                         << "accepted";
        QTest::newRow("a file is no folder") << false << true << "Garden"
                                             << "file" << folder;
        QTest::newRow("missing folder") << false << true << "Garden"
                                        << "missing" << folder;
    }

    void shortcutChecksInOrder() {
        QFETCH(bool, edit);
        QFETCH(bool, formats);
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(QString, said);
        test::ShortcutLibrary library;
        library.AddShortcut("Beach", 6);
        library.AddShortcut("Alps", 6);
        QFile file(library.dir.path() + "/a file");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        CDLGShortcut dialog(&library.settings,
                            edit ? CDLGShortcut::Mode::Edit : CDLGShortcut::Mode::New);
        if (edit)
            dialog.SetRecord(*library.Shortcut("Alps"));
        dialog.findChild<QLineEdit*>("nameEdit")->setText(name);
        dialog.findChild<QLineEdit*>("folderEdit")
            ->setText(folder == "dir"    ? library.dir.path()
                      : folder == "file" ? file.fileName()
                                         : library.dir.path() + "/missing");
        for (const char* box : {"jpegCheck", "bmpCheck", "pngCheck", "tiffCheck"})
            dialog.findChild<QCheckBox*>(box)->setChecked(formats);
        QCOMPARE(Answer(dialog), said);
        if (said == "accepted") {
            QCOMPARE(dialog.Record().name, name.trimmed());
            QCOMPARE(dialog.Record().catId, edit ? 6 : 3); // its own, or the default
        }
    }

    void newShortcutDialogTakesTheDefaults() {
        test::ShortcutLibrary library;
        library.settings.m_nDefaultCategoryId = 42; // not a category: none is chosen
        library.settings.m_bDefaultBmp = 0;
        CDLGShortcut dialog(&library.settings, CDLGShortcut::Mode::New);
        QCOMPARE(dialog.windowTitle(), "Create New Photo Folder Shortcut");
        QCOMPARE(dialog.findChild<QPushButton*>("okButton")->text(), "Save");
        QCOMPARE(dialog.findChild<QComboBox*>("categoryCombo")->currentIndex(), -1);
        QVERIFY(!dialog.findChild<QCheckBox*>("bmpCheck")->isChecked());
        QVERIFY(dialog.findChild<QCheckBox*>("jpegCheck")->isChecked());
        // Browsing names the shortcut after the folder, up to its last dot, and remembers
        // the folder above for the next browse.
        QVERIFY(QDir().mkpath(library.dir.path() + "/Pictures/beach_2010.final"));
        CDLGShortcut::SetFolderChooser([&](const QString& title, const QString&) {
            return title == "Choose Source Photo Folder."
                       ? library.dir.path() + "/Pictures/beach_2010.final"
                       : QString();
        });
        dialog.findChild<QAbstractButton*>("browseButton")->click();
        CDLGShortcut::SetFolderChooser({});
        QCOMPARE(dialog.findChild<QLineEdit*>("nameEdit")->text(), AutoCorrectName("beach_2010"));
        QCOMPARE(library.Stored().GetLastBrowseFolder(), library.dir.path() + "/Pictures/");
    }

    void categoryNamesRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said");
        const QString exists = "The category already exists.\nPlease try again.";
        QTest::newRow("empty") << ""
                               << "Please type in category name.";
        QTest::newRow("existing") << "Family" << exists;
        QTest::newRow("All") << "All" << exists;
        QTest::newRow("ALL") << "ALL" << exists;
        QTest::newRow("new") << "Trips & Tours"
                             << "accepted";
    }

    void categoryNamesRefused() {
        QFETCH(QString, name);
        QFETCH(QString, said);
        test::ShortcutLibrary library;
        CDLGCategoryName dialog(library.Path(), false, name);
        QCOMPARE(Answer(dialog), said);
    }

    void miscellaneousIsProtected() {
        test::ShortcutLibrary library;
        CCategoriesTable table(library.Path());
        CategoryRecord spaced;
        spaced.name = " MISCELLANEOUS ";
        QVERIFY(table.Open() && table.Insert(spaced) == 1);
        table.Close();
        CDLGCategories dialog(&library.settings);
        auto* list = dialog.findChild<QListWidget*>("categoryList");
        for (int row = 0; row < list->count(); ++row) {
            list->setCurrentRow(row);
            const bool protectedName =
                list->item(row)->text().trimmed().toLower() == "miscellaneous";
            QCOMPARE(dialog.findChild<QPushButton*>("deleteButton")->isEnabled(), !protectedName);
            QCOMPARE(dialog.findChild<QPushButton*>("editButton")->isEnabled(), !protectedName);
        }
    }

    void deletedCategoryMovesItsShortcuts_data() {
        QTest::addColumn<int>("defaultCategory");
        QTest::addColumn<int>("target");
        QTest::newRow("to the default") << 4 << 4;
        QTest::newRow("the default deleted") << 5 << 3;
        QTest::newRow("no default") << -1 << 3;
    }

    void deletedCategoryMovesItsShortcuts() {
        QFETCH(int, defaultCategory);
        QFETCH(int, target);
        test::ShortcutLibrary library;
        library.settings.m_nDefaultCategoryId = defaultCategory;
        library.AddShortcut("Anna", 5);
        library.AddShortcut("Ben", 5);
        library.AddShortcut("Mum", 4);
        CDLGCategories dialog(&library.settings);
        dialog.show();
        auto* list = dialog.findChild<QListWidget*>("categoryList");
        list->setCurrentItem(list->findItems("Friends", Qt::MatchExactly).first());
        dialog.findChild<QPushButton*>("deleteButton")->click();
        // Moved already: Escape afterwards loses nothing.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.Changed());
        QVERIFY(list->findItems("Friends", Qt::MatchExactly).isEmpty());
        QCOMPARE(library.Shortcut("Anna")->catId, target);
        QCOMPARE(library.Shortcut("Ben")->catId, target);
        QCOMPARE(library.Shortcut("Mum")->catId, 4);
        QVERIFY(!CategoryExists(library.Path(), 5));
    }
};

SKYLOOM_TEST_MAIN(TestShortcutTools, QApplication)
#include "tst_shortcut_tools.moc"
