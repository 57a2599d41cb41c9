// Drawing a photo for each monitor: orientation matching with its fallback, no photo twice in
// one change, the shortcuts taking turns, and a monitor left over borrowing its neighbour's.

#include "TestMain.h"
#include "composer/RenderOptions.h"
#include "engine/CMersenneTwister.h"
#include "engine/MonitorPhotos.h"

#include <QRegularExpression>

using namespace skyloom;

namespace {

bool FakeMeasure(PhotoEntry& e);

// A photo named by its size and its shortcut, "640x480@1", and "!" when it has been shown in
// this round (and so measured).
PhotoEntry Entry(const QString& name) {
    PhotoEntry e;
    e.path = "/photos/" + name;
    e.tag = name.section('@', 1).remove('!').toInt();
    if (name.endsWith('!')) {
        e.shown = e.measured = 1;
        FakeMeasure(e);
    }
    return e;
}

bool FakeMeasure(PhotoEntry& e) {
    static const QRegularExpression size("(\\d+)x(\\d+)");
    const auto match = size.match(e.path);
    e.width = match.captured(1).toInt();
    e.height = match.captured(2).toInt();
    e.orientation = e.width < e.height ? kPortrait : kLandscape;
    return true;
}

PhotoQueue Queue(const QStringList& photos) {
    PhotoQueue queue;
    QList<int> tags;
    for (const QString& name : photos) {
        queue.photos.push_back(Entry(name));
        if (!tags.contains(queue.photos.back().tag))
            tags << queue.photos.back().tag;
    }
    std::sort(tags.begin(), tags.end());
    for (int tag : tags)
        queue.shortcuts.entries.push_back({tag, 0});
    return queue;
}

constexpr int P = kPortrait;
constexpr int L = kLandscape;

} // namespace

class TestMonitorPhotos : public QObject {
    Q_OBJECT

private slots:
    void eachMonitorGetsItsPhoto_data() {
        QTest::addColumn<QList<int>>("monitors"); // their orientations, in hand-out order
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QList<int>>("expected");  // the orientation each monitor shows
        QTest::addColumn<bool>("distinct");        // no photo twice
        QTest::addColumn<bool>("shortcutsDiffer"); // the monitors show different shortcuts

        const QStringList mixed{"640x480@1",  "800x600@1", "480x640@1",
                                "1024x768@2", "600x800@2", "900x1200@2"};
        QTest::newRow("two landscape monitors") << QList<int>{L, L} << mixed << int(kAnyOrientation)
                                                << QList<int>{L, L} << true << true;
        QTest::newRow("landscape and portrait") << QList<int>{L, P} << mixed << int(kAnyOrientation)
                                                << QList<int>{L, P} << true << true;
        QTest::newRow("portrait and landscape") << QList<int>{P, L} << mixed << int(kAnyOrientation)
                                                << QList<int>{P, L} << true << true;
        // Only shortcut 3 has a portrait photo: the portrait monitor takes it, whatever turn.
        QTest::newRow("portrait from whichever shortcut has one")
            << QList<int>{L, P, L}
            << QStringList{"640x480@1", "800x600@1", "1024x768@2", "1280x960@2", "600x800@3"}
            << int(kAnyOrientation) << QList<int>{L, P, L} << true << false;
        QTest::newRow("no portrait photo: landscape on the portrait monitor")
            << QList<int>{L, P} << QStringList{"640x480@1", "800x600@2", "1024x768@2"}
            << int(kAnyOrientation) << QList<int>{L, L} << true << true;
        QTest::newRow("portraits all shown this round: one comes again")
            << QList<int>{L, P} << QStringList{"640x480@1", "800x600@2", "480x640@2!"}
            << int(kAnyOrientation) << QList<int>{L, P} << true << false;
        QTest::newRow("the filter rules over the monitor")
            << QList<int>{L, P} << mixed << int(kLandscape) << QList<int>{L, L} << true << true;
        QTest::newRow("fewer photos than monitors: the last is lent")
            << QList<int>{L, P, L} << QStringList{"640x480@1", "480x640@2"} << int(kAnyOrientation)
            << QList<int>{L, P, P} << false << false;
        QTest::newRow("one shortcut, three monitors")
            << QList<int>{P, L, P}
            << QStringList{"640x480@1", "480x640@1", "600x800@1", "800x600@1"}
            << int(kAnyOrientation) << QList<int>{P, L, P} << true << false;
    }

    void eachMonitorGetsItsPhoto() {
        QFETCH(QList<int>, monitors);
        QFETCH(QStringList, queue);
        QFETCH(int, filter);
        QFETCH(QList<int>, expected);
        QFETCH(bool, distinct);
        QFETCH(bool, shortcutsDiffer);
        // Random draws: the same answer every time.
        for (int round = 0; round < 25; ++round) {
            PhotoQueue q = Queue(queue);
            CMersenneTwister random;
            random.Seed(quint32(round + 1));
            SlideshowCounters counters;
            const std::atomic<int> running{1};
            std::vector<MonitorPick> picks(std::size_t(monitors.size()));
            const int first = q.shortcuts.Choose(random, quint32(round));
            const MonitorChoice choice = ChooseMonitorPhotos(
                q, first, std::vector<int>(monitors.begin(), monitors.end()), picks,
                PhotoFilters{filter, false, 0}, counters, random, running, FakeMeasure);
            QCOMPARE(choice.outcome, PhotoChoice::Chosen);
            QStringList paths;
            QList<int> shown;
            QSet<int> tags;
            for (const MonitorPick& pick : picks) {
                paths << pick.path;
                shown << pick.orientation;
                if (pick.tag != -1)
                    tags.insert(pick.tag);
            }
            QCOMPARE(shown, expected);
            if (distinct)
                QCOMPARE(QSet<QString>(paths.begin(), paths.end()).size(), paths.size());
            if (shortcutsDiffer)
                QCOMPARE(tags.size(), int(picks.size()));
            // A preference is no filter: nothing is ruled out for the monitors' sake.
            if (filter == kAnyOrientation)
                for (const PhotoEntry& e : q.photos)
                    QVERIFY(!e.wrongOrientation);
        }
    }

    void photosComposedAgainAreKept() {
        PhotoQueue q = Queue({"640x480@1", "480x640@2", "800x600@2"});
        CMersenneTwister random;
        SlideshowCounters counters;
        const std::atomic<int> running{1};
        std::vector<MonitorPick> picks(2);
        picks[1] = {"/kept/portrait.jpg", kPortrait, 480, 640, -1};
        const MonitorChoice choice = ChooseMonitorPhotos(q, 1, {L, P}, picks, PhotoFilters{},
                                                         counters, random, running, FakeMeasure);
        QCOMPARE(choice.outcome, PhotoChoice::Chosen);
        QCOMPARE(picks[0].path, QString("/photos/640x480@1"));
        QCOMPARE(picks[1].path, QString("/kept/portrait.jpg"));
    }

    void theFirstDrawSpeaksForTheChange_data() {
        QTest::addColumn<QStringList>("queue");
        QTest::addColumn<int>("filter");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("anyUnshownLeft");
        // Nothing passes the filter: the change reports it as a single change would.
        QTest::newRow("nothing passes the filter")
            << QStringList{"640x480@1", "800x600@2"} << int(kPortrait)
            << int(PhotoChoice::NoneAtAll) << false;
        // Every photo has had its turn: the round ends, rather than shown photos coming again.
        QTest::newRow("everything shown this round")
            << QStringList{"640x480@1!", "480x640@1!", "800x600@2!"} << int(kAnyOrientation)
            << int(PhotoChoice::NoneForShortcut) << false;
    }

    void theFirstDrawSpeaksForTheChange() {
        QFETCH(QStringList, queue);
        QFETCH(int, filter);
        PhotoQueue q = Queue(queue);
        CMersenneTwister random;
        SlideshowCounters counters;
        const std::atomic<int> running{1};
        std::vector<MonitorPick> picks(2);
        const MonitorChoice choice =
            ChooseMonitorPhotos(q, 1, {L, P}, picks, PhotoFilters{filter, false, 0}, counters,
                                random, running, FakeMeasure);
        QTEST(int(choice.outcome), "outcome");
        QTEST(choice.anyUnshownLeft, "anyUnshownLeft");
        QVERIFY(picks[0].path.isEmpty());
    }

    void aLaterMonitorRedrawnKeepsTheOthers() {
        // The first monitor's photo stands; the second is drawn again and nothing is left for
        // it: it borrows the first's rather than the change giving up.
        PhotoQueue q = Queue({"640x480@1!", "800x600@2!"});
        CMersenneTwister random;
        SlideshowCounters counters;
        const std::atomic<int> running{1};
        std::vector<MonitorPick> picks(2);
        picks[0] = {"/photos/640x480@1!", kLandscape, 640, 480, 1};
        const MonitorChoice choice = ChooseMonitorPhotos(q, 2, {L, L}, picks, PhotoFilters{},
                                                         counters, random, running, FakeMeasure);
        QCOMPARE(choice.outcome, PhotoChoice::Chosen);
        QVERIFY(picks[1].path == "/photos/800x600@2!" || picks[1].path == picks[0].path);
    }
};

SKYLOOM_TEST_MAIN(TestMonitorPhotos, QCoreApplication)
#include "tst_monitor_photos.moc"
