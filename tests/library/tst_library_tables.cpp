// The Categories and Shortcuts tables over real SQLite files: stored forms, the exact table
// texts and default rows, every write, the cursor walk, and files that are not usable.

#include "FilePermissionsEnforced.h"
#include "RecordingReporter.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "library/CCategoriesTable.h"
#include "library/CShortcutsTable.h"
#include "library/StoredForm.h"
#include "library/TextHelpers.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

using namespace skyloom;

namespace {

using skyloom::test::ReadAll;

// One column of one row, read straight from the file with the C API.
QString RawText(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8(), &db);
    sqlite3_stmt* statement = nullptr;
    QString text = "<no row>";
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return text;
}

ShortcutRecord Shortcut(const QString& name, const QString& folder, int catId = 3) {
    ShortcutRecord r;
    r.catId = catId;
    r.name = name;
    r.folder = folder;
    r.jpg = r.bmp = r.tiff = r.png = r.recursive = 1;
    r.numPhotos = 12;
    return r;
}

QStringList CategoryNames(CCategoriesTable& table, const char* sql) {
    QStringList names;
    table.Load(sql);
    for (CategoryRecord r; !table.IsEnd(); table.MoveNext()) {
        table.GetCurrent(r);
        names << r.name;
    }
    return names;
}

} // namespace

class TestLibraryTables : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    QString NewPath() { return m_dir.filePath(QString("library%1.skdb").arg(++m_files)); }

private slots:
    void storedForms_data() {
        QTest::addColumn<bool>("shortcut");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("onceDecoded");
        QTest::newRow("category Mom's B-day (2010)") << false << "Mom's B-day (2010)"
                                                     << "Mom&#39s B&#45day &#402010&#41"
                                                     << "Mom's B-day (2010)";
        QTest::newRow("category with a typed code") << false << "A &#45 B"
                                                    << "A &#38#45 B"
                                                    << "A &#45 B";
        QTest::newRow("category braces are not encoded") << false << "{x}"
                                                         << "{x}"
                                                         << "{x}";
        QTest::newRow("folder with a trip")
            << true << "C:\\My Photos\\2010-05 (Trip)"
            << "C&#38#58\\My Photos\\2010&#38#4505 &#38#40Trip&#38#41"
            << "C&#58\\My Photos\\2010&#4505 &#40Trip&#41";
        QTest::newRow("Tom & Jerry") << true << "Tom & Jerry"
                                     << "Tom &#38 Jerry"
                                     << "Tom & Jerry";
        QTest::newRow("braces") << true << "{a}"
                                << "&#38#124a&#38#125"
                                << "&#124a&#125";
    }

    void storedForms() {
        QFETCH(bool, shortcut);
        QFETCH(QString, plain);
        QFETCH(QString, stored);
        QFETCH(QString, onceDecoded);
        const auto encode = shortcut ? EncodeShortcutText : EncodeCategoryText;
        const auto decode = shortcut ? DecodeShortcutText : DecodeCategoryText;
        QCOMPARE(encode(plain), stored);
        QCOMPARE(decode(stored), onceDecoded);
        // What the user sees is decoded twice; a typed code turns into its character.
        QCOMPARE(decode(onceDecoded), plain == "A &#45 B" ? QString("A - B") : plain);
    }

    void newLibraryGetsTheTablesAndDefaultCategoriesOnce() {
        const QString path = NewPath();
        test::RecordingReporter reporter;
        for (int run = 0; run < 2; ++run) {
            CCategoriesTable categories(path);
            QVERIFY(categories.Open());
            CShortcutsTable shortcuts(path);
            QVERIFY(shortcuts.Open());
            QCOMPARE(shortcuts.Count("SELECT COUNT(*) FROM Shortcuts;"), 0);
        }
        QCOMPARE(RawText(path, "SELECT sql FROM sqlite_master WHERE name='Categories'") + ";",
                 "CREATE TABLE Categories (Id INTEGER PRIMARY KEY AUTOINCREMENT, Name "
                 "VARCHAR(100));");
        QCOMPARE(RawText(path, "SELECT sql FROM sqlite_master WHERE name='Shortcuts'") + ";",
                 "CREATE TABLE Shortcuts (Id INTEGER PRIMARY KEY AUTOINCREMENT, CatId INTEGER, "
                 "Name VARCHAR(100), Folder VARCHAR(1024), JPG INTEGER, BMP INTEGER, TIFF "
                 "INTEGER, PNG INTEGER, Recursive INTEGER, NumPhotos INTEGER);");

        CCategoriesTable categories(path);
        QVERIFY(categories.Open());
        QCOMPARE(CategoryNames(categories, "SELECT * FROM Categories ORDER BY Id;"),
                 (QStringList{"Models", "Actresses", "Miscellaneous", "Family", "Friends",
                              "Vacations"}));
        QCOMPARE(categories.Records().back().id, 6);
        QCOMPARE(CategoryNames(categories, "SELECT * FROM Categories ORDER BY Name;"),
                 (QStringList{"Actresses", "Family", "Friends", "Miscellaneous", "Models",
                              "Vacations"}));
        QCOMPARE(FindCategoryId(path, " Miscellaneous "), 3);
        QCOMPARE(FindCategoryId(path, "Nothing"), -1);
        QVERIFY(reporter.messages.isEmpty());
    }

    void hostileTextSurvivesStoringAndReading_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << "It's \"quoted\" ''";
        QTest::newRow("every encoded character") << "a'b.c/d(e)f,g:h-i{j}k&l";
        QTest::newRow("codes typed as text") << "&#38 &#1 &";
        QTest::newRow("percent signs") << "100% %s %d %% %n";
        QTest::newRow("SQL") << "'); DROP TABLE Shortcuts; --";
        QTest::newRow("non-ASCII") << QString::fromUtf8("Zoë's 写真 — Ünïcödé 📷");
        QTest::newRow("backslashes and blanks") << "C:\\My Photos\\ x ";
        QTest::newRow("10,000 characters") << QString(10000, QChar(u'é')) + "-end";
    }

    void hostileTextSurvivesStoringAndReading() {
        QFETCH(QString, text);
        const QString path = NewPath();
        test::RecordingReporter reporter;
        CShortcutsTable shortcuts(path);
        QVERIFY(shortcuts.Open());
        QCOMPARE(shortcuts.Insert(Shortcut(text, "/photos/" + text)), 1);
        QVERIFY(shortcuts.Load("SELECT * FROM Shortcuts;"));
        ShortcutRecord read;
        QVERIFY(shortcuts.GetCurrent(read));
        const bool typedCodes = text.contains("&#");
        if (!typedCodes) {
            QCOMPARE(read.name, text);
            QCOMPARE(read.folder, "/photos/" + text);
        }
        QCOMPARE(shortcuts.Count(SqlText("SELECT COUNT(*) FROM Shortcuts WHERE Name='%s';",
                                         EncodeForQuery(text).toUtf8().constData())),
                 text.trimmed() == text ? 1 : 0);

        CCategoriesTable categories(path);
        QVERIFY(categories.Open());
        CategoryRecord category;
        category.name = text;
        QCOMPARE(categories.Insert(category), 1);
        QCOMPARE(category.name, text); // the caller's record keeps its text
        QVERIFY(categories.Exists(text));
        if (!typedCodes)
            QCOMPARE(CategoryNames(categories, "SELECT * FROM Categories WHERE Id=7;"),
                     QStringList{text});
        QVERIFY(reporter.messages.isEmpty());
        QCOMPARE(RawText(path, "SELECT COUNT(*) FROM Shortcuts"), "1");
    }

    void writesKeepTheLoadedRecordsInStep() {
        const QString path = NewPath();
        test::RecordingReporter reporter;
        CShortcutsTable table(path);
        QVERIFY(table.Open());
        for (const char* name : {"Beach", "Alps", "City"})
            QCOMPARE(table.Insert(Shortcut(name, "C:\\x", 2)), 1);
        QCOMPARE(RawText(path, "SELECT Folder FROM Shortcuts WHERE Id=1"), "C&#38#58\\x");

        QVERIFY(table.Load("SELECT * FROM Shortcuts ORDER By Name;"));
        QStringList walked;
        for (ShortcutRecord r; !table.IsEnd(); table.MoveNext()) {
            QVERIFY(table.GetCurrent(r));
            walked << r.name;
        }
        QCOMPARE(walked, (QStringList{"Alps", "Beach", "City"}));
        table.MoveNext();
        QVERIFY(table.IsEnd()); // moving past the end stays at the end

        ShortcutRecord beach;
        QVERIFY(table.GetById(1, beach));
        QCOMPARE(beach.folder, "C:\\x");
        beach.folder = "C:\\y (new)";
        QCOMPARE(table.Update(beach), 1);
        QCOMPARE(beach.folder, "C:\\y (new)");
        QCOMPARE(table.Records()[table.FindIndex(1)].folder, "C&#58\\y &#40new&#41");
        QVERIFY(table.GetById(1, beach));
        QCOMPARE(beach.folder, "C:\\y (new)");

        QCOMPARE(table.MoveCategory(2, 5), 1);
        QCOMPARE(table.Count("SELECT COUNT(*) FROM Shortcuts WHERE CatId=5;"), 3);
        QCOMPARE(table.Count("SELECT TOTAL(NumPhotos) FROM Shortcuts WHERE CatId=5;"), 36);
        QCOMPARE(table.Count("SELECT TOTAL(NumPhotos) FROM Shortcuts WHERE CatId=2;"), 0);

        QCOMPARE(table.Delete(3), 1);
        QCOMPARE(table.FindIndex(3), -1);
        QCOMPARE(table.Records().size(), std::size_t(2));
        QCOMPARE(table.Count("SELECT COUNT(*) FROM Shortcuts;"), 2);
        QCOMPARE(table.Count(SqlText("SELECT COUNT(*) FROM Shortcuts WHERE Name='%s' OR "
                                     "Folder='%s';",
                                     EncodeForQuery("  Beach ").toUtf8().constData(), "none")),
                 1);

        CCategoriesTable categories(path);
        QVERIFY(categories.Open());
        QVERIFY(categories.Exists("Miscellaneous"));
        QVERIFY(!categories.Exists("miscellaneous"));
        CategoryRecord renamed{4, "Family-Members. Close"};
        QCOMPARE(categories.Update(renamed), 1);
        QVERIFY(categories.Exists("Family-Members. Close"));
        QCOMPARE(categories.Delete(4), 1);
        QVERIFY(!categories.Exists("Family-Members. Close"));
        QVERIFY(reporter.messages.isEmpty());
    }

    void loadFindsColumnsByName() {
        const QString path = NewPath();
        CShortcutsTable table(path);
        QVERIFY(table.Open());
        QCOMPARE(table.Insert(Shortcut("Alps", "/alps")), 1);
        QVERIFY(table.Load("SELECT numphotos AS NUMPHOTOS, FOLDER, Id FROM Shortcuts;"));
        ShortcutRecord r;
        QVERIFY(table.GetCurrent(r));
        QCOMPARE(r.id, 1);
        QCOMPARE(r.folder, "/alps");
        QCOMPARE(r.numPhotos, 12);
        QCOMPARE(r.name, QString());
        QCOMPARE(r.catId, -1);
    }

    void unusableLibrariesAreReportedAndLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        // Both of these surface while a statement is prepared, which gives no detail text.
        QTest::newRow("not a database") << "not a database"
                                        << "Code (26): UNKNOWN_ERROR[26]: ";
        QTest::newRow("missing folder")
            << "missing folder"
            << "Code (14): SQLITE_CANTOPEN[14]: unable to open database file";
        QTest::newRow("locked by another connection") << "locked"
                                                      << "Code (5): SQLITE_BUSY[5]: ";
    }

    void unusableLibrariesAreReportedAndLeftAlone() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QString path = NewPath();
        sqlite3* other = nullptr;
        if (kind == "not a database") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, '\xFF').prepend("\xFF\xD8\xFF\xE0 a JPEG, say"));
        } else if (kind == "missing folder") {
            path = m_dir.filePath("no/such/folder/library.skdb");
        } else {
            QVERIFY(CCategoriesTable(path).Open());
            QCOMPARE(sqlite3_open(path.toUtf8(), &other), SQLITE_OK);
            QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        const QByteArray before = ReadAll(path);

        test::RecordingReporter reporter;
        CCategoriesTable table(path);
        table.SetBusyTimeout(50);
        QVERIFY(!table.Open());
        CategoryRecord record{-1, "New"};
        QCOMPARE(table.Insert(record), 0);
        QVERIFY(!table.Load("SELECT * FROM Categories;"));
        QVERIFY(!table.Exists("Models"));
        QCOMPARE(reporter.messages.size(), 1);
        QCOMPARE(reporter.messages[0].text, message);
        QCOMPARE(reporter.messages[0].caption, "Skyloom - Desktop Wallpaper Changer");
        QCOMPARE(ReadAll(path), before);
        QVERIFY(!QFile::exists(path + "-journal"));

        if (other) {
            // Once the other connection lets go, the same table object works.
            sqlite3_exec(other, "COMMIT;", nullptr, nullptr, nullptr);
            sqlite3_close(other);
            QVERIFY(table.Open());
            QCOMPARE(table.Insert(record), 1);
        }
    }

    void readOnlyLibraryRefusesWritesOnly() {
        const QString path = NewPath();
        QVERIFY(CCategoriesTable(path).Open());
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        const QByteArray before = ReadAll(path);
        {
            test::FilePermissionsEnforced enforced;
            test::RecordingReporter reporter;
            CCategoriesTable table(path);
            QVERIFY(table.Open());
            QCOMPARE(CategoryNames(table, "SELECT * FROM Categories WHERE Id=3;"),
                     QStringList{"Miscellaneous"});
            CategoryRecord record{-1, "New"};
            QCOMPARE(table.Insert(record), 0);
            QCOMPARE(reporter.messages.size(), 1);
            QCOMPARE(reporter.messages[0].text,
                     "Code (8): SQLITE_READONLY[8]: attempt to write a readonly database");
        }
        QCOMPARE(ReadAll(path), before);
    }
};

SKYLOOM_TEST_MAIN(TestLibraryTables, QCoreApplication)
#include "tst_library_tables.moc"
