// The search for photo folders over a real tree (case twins, links back up the tree, an
// unreadable folder, a name that is not UTF-8), the found-folder list, the bulk creation of
// shortcuts, and Find's matching of names in their stored form.

#include "FilePermissionsEnforced.h"
#include "PhotoFolderTree.h"
#include "TestMain.h"
#include "library/CCategoriesTable.h"
#include "library/CShortcutsTable.h"
#include "library/FolderCandidate.h"
#include "library/LibraryQueries.h"
#include "library/NewShortcuts.h"
#include "library/PhotoFolderSearch.h"
#include "library/ShortcutSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <thread>

using namespace skyloom;

namespace {

QStringList Describe(const std::vector<FolderCandidate>& found, const QString& root) {
    QStringList lines;
    for (const FolderCandidate& c : found)
        lines << QString("%1|%2|%3")
                     .arg(c.name, c.folder.mid(root.size()), QString::number(c.photoCount));
    lines.sort();
    return lines;
}

ShortcutRecord Record(const QString& name, const QString& folder, int catId = 3) {
    ShortcutRecord r;
    r.catId = catId;
    r.name = name;
    r.folder = folder;
    r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
    r.numPhotos = 1;
    return r;
}

} // namespace

class TestPhotoFolderSearch : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_root;

private slots:
    void initTestCase() {
        m_root = m_dir.path() + "/Pictures";
        test::MakePhotoFolderTree(m_root, true);
    }
    void cleanupTestCase() { test::CleanUpPhotoFolderTree(m_root); }

    void candidatesKeepOneOfEachName() {
        FolderCandidates list;
        QVERIFY(list.Insert({"Cats", "/a/Cats", 1}));
        QVERIFY(list.Insert({"apple", "/a/apple", 1}));
        QVERIFY(!list.Insert({"CATS", "/b/CATS", 5})); // the first of a name stays
        QVERIFY(list.Insert({"Zoo", "/a/Zoo", 1}));
        QVERIFY(list.Insert({"beach", "/a/beach", 1}));
        QStringList names;
        for (const FolderCandidate& c : list.Items())
            names << c.name;
        QCOMPARE(names, QStringList({"apple", "beach", "Cats", "Zoo"}));
        QCOMPARE(list.IndexOf("cats"), 2);
        QCOMPARE(list.At(2).folder, QString("/a/Cats"));
        QCOMPARE(list.IndexOf("Dogs"), -1);
    }

    // Each depth over the same tree: what becomes a candidate, and the totals.
    void searchTree_data() {
        QTest::addColumn<bool>("wholeTree");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<int>("folders");
        QTest::addColumn<int>("photos");
        QStringList subFolders = {"Album|/Album|2",
                                  "<tags>|/<Tags>|1",
                                  "Beach Trip|/Beach Trip|1",
                                  "Beach Trip|/beach trip|1",
                                  "Cats|/Cats|2",
                                  "Deep|/Deep|1",
                                  "Existing Name|/Existing Name|1",
                                  "Loop|/Loop|1",
                                  "Mixed|/Mixed|3",
                                  "Used Folder|/Used Folder|1"};
        QStringList whole = subFolders;
        whole << "One|/Deep/One|1"
              << "Two|/Deep/One/Two|1"
              << "Sub|/Mixed/Sub|1"
              << "Outside|/Album/outside|1";
        whole.sort();
        subFolders.sort();
        // Locked is passed over; Bad\xff counts but is no candidate; the links back up the
        // tree end at once; Cats is found under its own path, whichever comes first; the
        // folder outside the tree counts in Album, through its link.
        QTest::newRow("sub-folders (builder)") << false << subFolders << 16 << 16;
        QTest::newRow("whole tree (wizard)") << true << whole << 16 << 16;
    }
    void searchTree() {
        QFETCH(bool, wholeTree);
        QFETCH(QStringList, found);
        test::FilePermissionsEnforced enforced; // even as root, Locked cannot be read
        const FolderSearchResult result = SearchPhotoFolders(
            m_root, wholeTree ? FolderSearchDepth::WholeTree : FolderSearchDepth::SubFolders);
        QVERIFY(result.completed);
        QCOMPARE(Describe(result.found, m_root), found);
        QTEST(result.foldersSeen, "folders");
        QTEST(result.photosSeen, "photos");
        QCOMPARE(result.start.has_value(), wholeTree);
        if (wholeTree) {
            QCOMPARE(result.start->name, QString("Pictures"));
            QCOMPARE(result.start->folder, m_root);
            QCOMPARE(result.start->photoCount, 1); // its own photos only
        }
    }

    void searchEdges() {
        QVERIFY(!SearchPhotoFolders(m_root + "/missing", FolderSearchDepth::WholeTree).start);
        QVERIFY(SearchPhotoFolders("", FolderSearchDepth::WholeTree).found.empty());
        // A start folder with a trailing separator names itself all the same.
        const FolderSearchResult r =
            SearchPhotoFolders(m_root + "/Cats/", FolderSearchDepth::WholeTree);
        QCOMPARE(r.start->name, QString("Cats"));
        QCOMPARE(r.start->photoCount, 2);
    }

    // Cancelling from another thread ends the walk within moments, its result marked.
    void cancelStopsTheWalk() {
        QTemporaryDir big;
        for (int i = 0; i < 3000; ++i)
            QDir().mkpath(QString("%1/%2/%3").arg(big.path()).arg(i % 30).arg(i));
        std::atomic<int> proceed{1};
        std::atomic<bool> started{false};
        FolderSearchResult result;
        std::thread walker([&] {
            result = SearchPhotoFolders(
                big.path(), FolderSearchDepth::WholeTree, &proceed,
                [&](const FolderSearchProgress&) { started = true; }, 0);
        });
        while (!started)
            std::this_thread::yield();
        QElapsedTimer clock;
        clock.start();
        proceed = 0;
        walker.join();
        QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!result.completed);
    }

    // What a build writes, twice: the second run finds every name (or folder) taken.
    void createShortcutsSkipsWhatExists() {
        QTemporaryDir dir;
        const QString db = dir.path() + "/library.skdb";
        CCategoriesTable(db).Open();
        CShortcutsTable table(db);
        table.Open();
        table.Insert(Record("Existing Name", "/elsewhere"));
        table.Insert(Record("Other", m_root + "/Used Folder/")); // its folder, with a separator
        table.Close();

        const ExistingShortcuts existing(db);
        QVERIFY(existing.Has("Existing Name", "/x"));
        QVERIFY(existing.Has("New", m_root + "/Used Folder"));
        QVERIFY(!existing.Has("existing name", "/x")); // names compare as stored

        const std::vector<ShortcutRecord> records = {
            Record("Cats", m_root + "/Cats"), Record("O'Brien's - Dogs", m_root + "/Dogs"),
            Record("Existing Name", m_root + "/Existing Name"),
            Record("Used", m_root + "/Used Folder"), Record("Cats", m_root + "/Cats two")};
        QStringList skipped;
        QCOMPARE(CreateShortcuts(db, records, ExistingMatch::NameOrFolder, &skipped), 2);
        QCOMPARE(skipped, QStringList({"Existing Name", "Used", "Cats"}));
        QCOMPARE(LoadShortcuts(db, -1).size(), std::size_t(4));
        QVERIFY(ShortcutIdByName(db, "O'Brien's - Dogs") >= 0);
        QCOMPARE(CreateShortcuts(db, records, ExistingMatch::NameOrFolder), 0);
        // The wizard's save looks at names only.
        QCOMPARE(CreateShortcuts(db, {Record("Fresh", m_root + "/Cats")}, ExistingMatch::Name), 1);
        QCOMPARE(LoadShortcuts(db, -1).size(), std::size_t(5));
    }

    void findShortcuts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("contains");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("starts with") << "ca" << false << QStringList{"Cats", "Cats & Dogs"};
        QTest::newRow("contains") << "ca" << true
                                  << QStringList{"Black Cats", "Cats", "Cats & Dogs"};
        QTest::newRow("other case") << "bLACK c" << false << QStringList{"Black Cats"};
        QTest::newRow("hyphen") << "t-T" << true << QStringList{"Saint-Tropez"};
        QTest::newRow("hyphen start") << "Saint-" << false << QStringList{"Saint-Tropez"};
        QTest::newRow("quote") << "O'B" << false << QStringList{"O'Brien's Dogs"};
        QTest::newRow("quotes") << "'s D" << true << QStringList{"O'Brien's Dogs"};
        QTest::newRow("percent") << "0%" << true << QStringList{"100% Pure"};
        QTest::newRow("percent alone") << "%" << true << QStringList{"100% Pure"};
        QTest::newRow("underscore") << "_" << true << QStringList{"my_photos"};
        QTest::newRow("underscore start") << "my_" << false << QStringList{"my_photos"};
        QTest::newRow("hash") << "#" << true << QStringList{};
        QTest::newRow("code digits") << "39" << true << QStringList{};
        QTest::newRow("ampersand") << "s & D" << true << QStringList{"Cats & Dogs"};
        QTest::newRow("full stop") << "C.D" << false << QStringList{"C.D. Photos"};
        QTest::newRow("sql") << "'; DROP TABLE Shortcuts; --" << true << QStringList{};
        QTest::newRow("accent") << "été" << true << QStringList{"Été à Nice"};
    }
    void findShortcuts() {
        QFETCH(QString, text);
        QFETCH(bool, contains);
        QTemporaryDir dir;
        const QString db = dir.path() + "/library.skdb";
        CCategoriesTable(db).Open();
        CShortcutsTable table(db);
        table.Open();
        for (const char* name :
             {"Cats", "Black Cats", "Saint-Tropez", "Saint Tropez", "O'Brien's Dogs", "100% Pure",
              "my_photos", "myXphotos", "Cats & Dogs", "C.D. Photos", "CxD Photos", "Été à Nice"})
            table.Insert(Record(QString::fromUtf8(name), "/p"));
        table.Close();
        const std::vector<FoundShortcut> found =
            FindShortcuts(db, text, contains ? NameMatch::Contains : NameMatch::StartsWith);
        QStringList names;
        for (const FoundShortcut& f : found)
            names << f.name;
        names.sort(Qt::CaseInsensitive);
        QTEST(names, "found");
        QCOMPARE(LoadShortcuts(db, -1).size(), std::size_t(12)); // nothing ran but the search
    }
};

SKYLOOM_TEST_MAIN(TestPhotoFolderSearch, QCoreApplication)
#include "tst_photo_folder_search.moc"
