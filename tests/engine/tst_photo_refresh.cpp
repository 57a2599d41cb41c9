// The recount of the shortcuts' photos over real folder trees and a real library file: the
// counts written back, edits made meanwhile kept, and a cancelled recount keeping its work.

#include "TestFiles.h"
#include "TestMain.h"
#include "engine/PhotoRefresh.h"
#include "library/CShortcutsTable.h"

using namespace skyloom;

class TestPhotoRefresh : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Library() const { return Path("library.skdb"); }

    // Ids 1 to 3 in category 1: "two" (2 photos and a text file), "nested" (1 photo at the
    // top, 2 below; recursive), "gone" (no folder); id 4 in category 2 over "two" again.
    void MakeLibrary(int storedCount) {
        QFile::remove(Library());
        CShortcutsTable table(Library());
        QVERIFY(table.Open());
        const struct {
            int category;
            const char* folder;
            int recursive;
        } rows[] = {{1, "two", 0}, {1, "nested", 1}, {1, "gone", 0}, {2, "two", 0}};
        for (const auto& row : rows) {
            ShortcutRecord r;
            r.catId = row.category;
            r.name = QString("Photos of %1").arg(row.folder);
            r.folder = Path(row.folder);
            r.jpg = r.bmp = r.png = r.tiff = 1;
            r.recursive = row.recursive;
            r.numPhotos = storedCount;
            QCOMPARE(table.Insert(r), 1);
        }
    }

    std::map<int, ShortcutRecord> Stored() {
        std::map<int, ShortcutRecord> stored;
        CShortcutsTable table(Library());
        table.Open();
        table.Load("SELECT * FROM Shortcuts;");
        for (const ShortcutRecord& r : table.Records()) {
            ShortcutRecord decoded;
            table.GetById(r.id, decoded);
            stored[r.id] = decoded;
        }
        return stored;
    }

private slots:
    void initTestCase() {
        for (const char* file : {"two/a.jpg", "two/b.png", "two/notes.txt", "nested/top.jpg",
                                 "nested/deeper/c.jpg", "nested/deeper/d.tif"})
            QVERIFY(test::WriteFile(Path(file)));
    }

    void countsAreWrittenBack_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QList<int>>("counts"); // ids 1 to 4 afterwards
        QTest::newRow("all, stale counts") << -1 << 9 << true << QList<int>{2, 3, 0, 2};
        QTest::newRow("one category") << 2 << 9 << true << QList<int>{9, 9, 9, 2};
        QTest::newRow("nothing changed") << 2 << 2 << false << QList<int>{2, 2, 2, 2};
    }

    void countsAreWrittenBack() {
        QFETCH(int, category);
        QFETCH(int, stored);
        QFETCH(bool, changed);
        QFETCH(QList<int>, counts);
        MakeLibrary(stored);
        const std::atomic<int> running{1};
        QList<int> progress;
        const PhotoRefreshResult result = RefreshPhotoCounts(
            Library(), category, running, [&](int done, int) { progress << done; });
        QCOMPARE(result.changed, changed);
        QVERIFY(result.complete);
        QCOMPARE(progress.first(), 0);
        QCOMPARE(progress.last(), category == -1 ? 4 : 1);
        const auto after = Stored();
        for (int id = 1; id <= 4; ++id)
            QCOMPARE(after.at(id).numPhotos, counts[id - 1]);
    }

    void anEditMadeDuringTheRefreshSurvives() {
        // While the refresh counts the first folder, the user renames the second shortcut,
        // moves it to another category and points it at another folder; the refresh later
        // counts that folder and writes the count alone.
        MakeLibrary(9);
        const std::atomic<int> running{1};
        const auto countAndEdit = [&](const ShortcutRecord& shortcut, const std::atomic<int>& run) {
            if (shortcut.id == 1) {
                CShortcutsTable user(Library());
                user.Open();
                user.Load("SELECT * FROM Shortcuts WHERE Id=2;");
                ShortcutRecord renamed;
                user.GetById(2, renamed);
                renamed.name = "Renamed <meanwhile>";
                renamed.catId = 7;
                renamed.folder = Path("two");
                renamed.recursive = 0;
                user.Update(renamed);
            }
            return CountShortcutPhotosOnDisk(shortcut, run);
        };
        QVERIFY(RefreshPhotoCounts(Library(), -1, running, {}, countAndEdit).changed);
        const auto after = Stored();
        QCOMPARE(after.at(2).name, "Renamed <meanwhile>");
        QCOMPARE(after.at(2).catId, 7);
        QCOMPARE(after.at(2).folder, Path("two"));
        QCOMPARE(after.at(2).numPhotos, 2);
    }

    void aCancelledRefreshKeepsWhatItWrote() {
        MakeLibrary(9);
        std::atomic<int> running{1};
        const auto countThenCancel = [&](const ShortcutRecord& shortcut,
                                         const std::atomic<int>& run) {
            const std::optional<int> count = CountShortcutPhotosOnDisk(shortcut, run);
            if (shortcut.id == 2)
                running = 0; // the user asked for another refresh, or the program ends
            return count;
        };
        const PhotoRefreshResult result =
            RefreshPhotoCounts(Library(), -1, running, {}, countThenCancel);
        QVERIFY(!result.complete);
        QVERIFY(result.changed);
        const auto after = Stored();
        QCOMPARE(after.at(1).numPhotos, 2);
        QCOMPARE(after.at(2).numPhotos, 3);
        QCOMPARE(after.at(3).numPhotos, 9); // never reached
    }

    void aWalkCutShortCountsNothing() {
        const std::atomic<int> stopped{0};
        ShortcutRecord shortcut;
        shortcut.folder = Path("nested");
        shortcut.jpg = shortcut.recursive = 1;
        QVERIFY(!CountShortcutPhotosOnDisk(shortcut, stopped));
    }
};

SKYLOOM_TEST_MAIN(TestPhotoRefresh, QCoreApplication)
#include "tst_photo_refresh.moc"
