// Building the photo queue from the queued ids over a real library file and real folders.

#include "TestFiles.h"
#include "TestMain.h"
#include "engine/PhotoQueueBuilder.h"
#include "library/CShortcutsTable.h"

#include <QDir>

#include <set>
#include <thread>

using namespace skyloom;

namespace {

ShortcutRecord Shortcut(const QString& name, const QString& folder, bool recursive = true,
                        bool png = true) {
    ShortcutRecord r;
    r.catId = 3;
    r.name = name;
    r.folder = folder;
    r.jpg = r.bmp = r.tiff = 1;
    r.png = png;
    r.recursive = recursive;
    r.numPhotos = 0;
    return r;
}

} // namespace

class TestPhotoQueueBuilder : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Library() const { return Path("library.skdb"); }

private slots:
    void initTestCase() {
        for (const char* file : {"alps/a.jpg", "alps/b.PNG", "alps/notes.txt", "alps/deep/c.tif",
                                 "coast/d.jpg", "coast/e.bmp"})
            QVERIFY(test::WriteFile(Path(file), "x"));
        CShortcutsTable table(Library());
        QVERIFY(table.Open());
        QCOMPARE(table.Insert(Shortcut("Alps", Path("alps"))), 1);                   // id 1
        QCOMPARE(table.Insert(Shortcut("Coast", Path("coast"))), 1);                 // id 2
        QCOMPARE(table.Insert(Shortcut("Alps top", Path("alps"), false, false)), 1); // id 3
        QCOMPARE(table.Insert(Shortcut("Gone", Path("nowhere"))), 1);                // id 4
        table.Close();
    }

    void buildsTheQueuedShortcuts_data() {
        QTest::addColumn<std::vector<int>>("ids");
        QTest::addColumn<QStringList>("photos"); // name:tag, in queue order
        QTest::newRow("nothing queued") << std::vector<int>{} << QStringList{};
        QTest::newRow("one shortcut, sub-folders and letter case")
            << std::vector<int>{1} << QStringList{"a.jpg:1", "b.PNG:1", "c.tif:1"};
        QTest::newRow("two shortcuts")
            << std::vector<int>{1, 2}
            << QStringList{"a.jpg:1", "b.PNG:1", "c.tif:1", "d.jpg:2", "e.bmp:2"};
        // The same folder twice: its photos stand once per shortcut, the later scan first.
        QTest::newRow("overlapping folders")
            << std::vector<int>{1, 3} << QStringList{"a.jpg:3", "a.jpg:1", "b.PNG:1", "c.tif:1"};
        QTest::newRow("a missing folder and a deleted shortcut")
            << std::vector<int>{2, 4, 99} << QStringList{"d.jpg:2", "e.bmp:2"};
    }

    void buildsTheQueuedShortcuts() {
        QFETCH(std::vector<int>, ids);
        QFETCH(QStringList, photos);
        const std::atomic<int> running{1};
        std::vector<int> progress;
        const PhotoQueueBuild build =
            BuildPhotoQueue(ids, Library(), running, [&](int done) { progress.push_back(done); });
        QVERIFY(build.complete);
        QStringList found;
        for (const PhotoEntry& e : build.queue.photos) {
            found << QString("%1:%2").arg(e.FileName()).arg(e.tag);
            QVERIFY(!e.shown && !e.measured && e.orientation == -1);
        }
        QCOMPARE(found, photos);
        QCOMPARE(int(build.queue.shortcuts.entries.size()), int(ids.size()));
        for (std::size_t i = 0; i < ids.size(); ++i) {
            QCOMPARE(build.queue.shortcuts.entries[i].shortcutId, ids[i]);
            QCOMPARE(build.queue.shortcuts.entries[i].visited, 0);
            QCOMPARE(progress[i], int(i) + 1);
        }
    }

    void cancelledBuildIsIncomplete() {
        // A tree big enough to be cancelled mid-walk.
        for (int f = 0; f < 40; ++f)
            for (int p = 0; p < 25; ++p)
                QVERIFY(test::WriteFile(Path(QString("big/%1/%2.jpg").arg(f).arg(p)), "x"));
        {
            CShortcutsTable table(Library());
            QVERIFY(table.Open());
            QCOMPARE(table.Insert(Shortcut("Big", Path("big"))), 1); // id 5
        }
        std::atomic<int> running{1};
        const PhotoQueueBuild whole = BuildPhotoQueue({5}, Library(), running);
        QVERIFY(whole.complete);
        QCOMPARE(int(whole.queue.photos.size()), 1000);
        // Cleared once the first of two shortcuts is walked: the build stops and says so.
        const PhotoQueueBuild cut =
            BuildPhotoQueue({5, 1}, Library(), running, [&](int) { running = 0; });
        QVERIFY(!cut.complete);
        QVERIFY(cut.queue.photos.empty());
    }
};

SKYLOOM_TEST_MAIN(TestPhotoQueueBuilder, QCoreApplication)
#include "tst_photo_queue_builder.moc"
