// AutoQueue's random choice of shortcuts from a category of a real library file.

#include "TestMain.h"
#include "engine/AutoQueue.h"
#include "engine/CMersenneTwister.h"
#include "library/CShortcutsTable.h"

#include <set>

using namespace skyloom;

class TestAutoQueue : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Library() const { return m_dir.filePath("library.skdb"); }

private slots:
    void initTestCase() {
        // Category 1 holds two shortcuts, category 2 ten, category 3 none.
        CShortcutsTable table(Library());
        QVERIFY(table.Open());
        for (int i = 0; i < 12; ++i) {
            ShortcutRecord r;
            r.catId = i < 2 ? 1 : 2;
            r.name = QString("Shortcut %1").arg(i);
            r.folder = QString("/photos/%1").arg(i);
            r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
            r.numPhotos = 0;
            QCOMPARE(table.Insert(r), 1);
        }
    }

    void choice_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("chosen");
        QTest::newRow("a category of two, three asked: both") << 1 << 3 << 2;
        QTest::newRow("a category of ten, three asked") << 2 << 3 << 3;
        QTest::newRow("all shortcuts") << -1 << 12 << 12;
        QTest::newRow("an empty category") << 3 << 3 << 0;
        QTest::newRow("a count of 0") << 2 << 0 << 0;
    }

    void choice() {
        QFETCH(int, category);
        QFETCH(int, count);
        QFETCH(int, chosen);
        CMersenneTwister random;
        for (quint32 seed = 0; seed < 20; ++seed) {
            const std::vector<int> ids = ChooseAutoQueue(Library(), category, count, random, seed);
            QCOMPARE(int(ids.size()), chosen);
            QVERIFY(std::is_sorted(ids.begin(), ids.end()));
            QCOMPARE(int(std::set<int>(ids.begin(), ids.end()).size()), chosen);
            for (int id : ids)
                QVERIFY(category != 2 || (id >= 3 && id <= 12));
        }
    }
};

SKYLOOM_TEST_MAIN(TestAutoQueue, QCoreApplication)
#include "tst_auto_queue.moc"
