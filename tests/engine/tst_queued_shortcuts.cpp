// Which queued shortcut the next change takes its photo from.

#include "TestMain.h"
#include "engine/CMersenneTwister.h"
#include "engine/QueuedShortcuts.h"

#include <set>

using namespace skyloom;

class TestQueuedShortcuts : public QObject {
    Q_OBJECT

    static QueuedShortcuts Queue(int count) {
        QueuedShortcuts queue;
        for (int id = 1; id <= count; ++id)
            queue.entries.push_back({id * 10, 0});
        return queue;
    }

private slots:
    void everyShortcutOncePerRoundNeverTwiceInARow_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("two") << 2;
        QTest::newRow("three") << 3;
        QTest::newRow("seven") << 7;
    }

    void everyShortcutOncePerRoundNeverTwiceInARow() {
        QFETCH(int, count);
        QueuedShortcuts queue = Queue(count);
        CMersenneTwister random;
        std::vector<int> shown;
        for (int change = 0; change < 200 * count; ++change) {
            // As a change does: the chosen shortcut's photo is shown.
            const int id = queue.Choose(random, quint32(change * 7919));
            queue.MarkVisited(id);
            queue.lastShortcutId = id;
            shown.push_back(id);
        }
        for (std::size_t i = 1; i < shown.size(); ++i)
            QVERIFY(shown[i] != shown[i - 1]);
        for (std::size_t round = 0; round + count <= shown.size(); round += count) {
            const std::set<int> ids(shown.begin() + long(round),
                                    shown.begin() + long(round) + count);
            QCOMPARE(int(ids.size()), count);
        }
    }

    void aSeedOfZeroStillChooses() {
        // The 1998 seeding turns 0 into an all-zero state: every draw gives the first entry.
        QueuedShortcuts queue = Queue(3);
        queue.MarkVisited(10);
        CMersenneTwister random;
        const int id = queue.Choose(random, 0);
        QVERIFY(id == 20 || id == 30);
    }

    void oneShortcutGivesBackTheLast() {
        QueuedShortcuts queue = Queue(1);
        CMersenneTwister random;
        QCOMPARE(queue.Choose(random, 1), -1);
        queue.lastShortcutId = 10;
        QCOMPARE(queue.Choose(random, 1), 10);
    }

    void aShortcutGivenUpOnWaitsForTheNextRound() {
        QueuedShortcuts queue = Queue(3);
        CMersenneTwister random;
        queue.MarkVisited(20); // nothing of it could be shown
        for (int i = 0; i < 50; ++i) {
            const int id = queue.Choose(random, quint32(i));
            QVERIFY(id != 20);
        }
        queue.MarkVisited(10);
        queue.MarkVisited(30);
        QVERIFY(!queue.AnyUnvisited());
        queue.lastShortcutId = 30;
        // A new round, the last one excluded, and still excluded for a second draw.
        for (quint32 seed : {5u, 6u}) {
            const int next = queue.Choose(random, seed);
            QVERIFY(next == 10 || next == 20);
        }
        QCOMPARE(queue.lastShortcutId, 30);
    }
};

SKYLOOM_TEST_MAIN(TestQueuedShortcuts, QCoreApplication)
#include "tst_queued_shortcuts.moc"
