// Choosing the next photo: the filters and what they mark, photos that cannot be read, and
// that an eligible photo is never missed.

#include "TestMain.h"
#include "composer/RenderOptions.h"
#include "engine/CMersenneTwister.h"
#include "engine/PhotoChoice.h"

#include <QRegularExpression>

using namespace skyloom;

namespace {

// A queue entry whose name says its size ("640x480") or that it is no picture ("broken").
PhotoEntry Entry(const QString& name, int tag) {
    PhotoEntry e;
    e.path = "/photos/" + name;
    e.tag = tag;
    return e;
}

int g_measured = 0;

bool FakeMeasure(PhotoEntry& e) {
    ++g_measured;
    static const QRegularExpression size("(\\d+)x(\\d+)");
    const auto match = size.match(e.path);
    if (!match.hasMatch())
        return false;
    e.width = match.captured(1).toInt();
    e.height = match.captured(2).toInt();
    e.orientation = e.width < e.height ? 1 : 2;
    return true;
}

std::vector<PhotoEntry> Queue(std::initializer_list<std::pair<const char*, int>> photos) {
    std::vector<PhotoEntry> queue;
    for (const auto& [name, tag] : photos)
        queue.push_back(Entry(name, tag));
    return queue;
}

} // namespace

class TestPhotoChoice : public QObject {
    Q_OBJECT

    std::atomic<int> m_running{1};

private slots:
    void oneEligiblePhotoAmongAThousandIsAlwaysFound() {
        // Random draws with replacement alone would miss it about a third of the time.
        for (quint32 seed = 0; seed < 300; ++seed) {
            std::vector<PhotoEntry> queue;
            for (int i = 0; i < 1000; ++i)
                queue.push_back(Entry(QString("landscape-%1-800x600").arg(i), 1));
            queue[quint32(seed * 37) % 1000] = Entry("portrait-600x800", 1);
            SlideshowCounters counters;
            CMersenneTwister random(seed);
            const PhotoChoice choice = ChoosePhoto(queue, 1, 1, {kPortrait, false, 0}, counters,
                                                   random, m_running, FakeMeasure);
            QCOMPARE(int(choice.outcome), int(PhotoChoice::Chosen));
            QCOMPARE(queue[choice.index].path, "/photos/portrait-600x800");
            QVERIFY(queue[choice.index].shown);
            QCOMPARE(counters.shown, 1);
        }
    }

    void filtersMarkWhatTheyReject_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("minSize"); // 0: the size filter is off
        QTest::addColumn<QString>("photo");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("mark");
        QTest::newRow("any orientation") << 0 << 0 << "1024x600" << true << "";
        QTest::newRow("portrait filter, landscape photo")
            << 1 << 0 << "1024x600" << false << "wrongOrientation";
        QTest::newRow("landscape filter, portrait photo")
            << 2 << 0 << "600x1024" << false << "wrongOrientation";
        QTest::newRow("a square photo is landscape") << 2 << 0 << "700x700" << true << "";
        QTest::newRow("an unknown filter passes nothing, marks nothing")
            << 7 << 0 << "1024x600" << false << "";
        QTest::newRow("800: 1024x600 passes on its width") << 0 << 800 << "1024x600" << true << "";
        QTest::newRow("800: 640x480 is too small") << 0 << 800 << "640x480" << false << "tooSmall";
        QTest::newRow("no picture") << 0 << 0 << "broken" << false << "unreadable";
    }

    void filtersMarkWhatTheyReject() {
        QFETCH(int, orientation);
        QFETCH(int, minSize);
        QFETCH(QString, photo);
        QFETCH(bool, passes);
        QFETCH(QString, mark);
        std::vector<PhotoEntry> queue{Entry(photo, 1)};
        SlideshowCounters counters;
        CMersenneTwister random;
        const PhotoChoice choice = ChoosePhoto(queue, 1, 1, {orientation, minSize > 0, minSize},
                                               counters, random, m_running, FakeMeasure);
        QCOMPARE(choice.outcome == PhotoChoice::Chosen, passes);
        if (!passes)
            QCOMPARE(int(choice.outcome), int(PhotoChoice::NoneAtAll));
        const PhotoEntry& e = queue[0];
        QCOMPARE(e.measured, 1);
        QCOMPARE(bool(e.wrongOrientation), mark == "wrongOrientation");
        QCOMPARE(bool(e.tooSmall), mark == "tooSmall");
        QCOMPARE(bool(e.unreadable), mark == "unreadable");
        QCOMPARE(counters.wrongOrientation, int(mark == "wrongOrientation"));
        QCOMPARE(counters.tooSmall, int(mark == "tooSmall"));
    }

    void anUnreadablePhotoIsNeverTriedAgain() {
        auto queue = Queue({{"broken-a", 1}, {"broken-b", 1}, {"800x600", 1}});
        SlideshowCounters counters;
        CMersenneTwister random;
        const PhotoChoice first =
            ChoosePhoto(queue, 1, 1, {}, counters, random, m_running, FakeMeasure);
        QCOMPARE(int(first.outcome), int(PhotoChoice::Chosen));
        QCOMPARE(first.index, 2);
        // Every photo now shown or found unreadable; the broken ones are read once each.
        g_measured = 0;
        const PhotoChoice second =
            ChoosePhoto(queue, 1, 1, {}, counters, random, m_running, FakeMeasure);
        QCOMPARE(int(second.outcome), int(PhotoChoice::NoneForShortcut));
        QVERIFY(!second.anyUnshownLeft);
        QVERIFY(queue[0].unreadable && queue[1].unreadable);
        QVERIFY(g_measured <= 2);
        g_measured = 0;
        queue[2].shown = 0; // a new round
        const PhotoChoice third =
            ChoosePhoto(queue, 1, 1, {}, counters, random, m_running, FakeMeasure);
        QCOMPARE(third.index, 2);
        QCOMPARE(g_measured, 0);
    }

    void aShortcutWithNothingLeft() {
        auto queue = Queue({{"800x600", 1}, {"801x600", 2}, {"802x600", 2}});
        queue[0].shown = 1;
        SlideshowCounters counters;
        CMersenneTwister random;
        // Shortcut 1 has shown its only photo; shortcut 2 still has two.
        const PhotoChoice choice =
            ChoosePhoto(queue, 1, 2, {}, counters, random, m_running, FakeMeasure);
        QCOMPARE(int(choice.outcome), int(PhotoChoice::NoneForShortcut));
        QVERIFY(choice.anyUnshownLeft);
        // Shortcut 2 gives one of its own.
        const PhotoChoice other =
            ChoosePhoto(queue, 2, 2, {}, counters, random, m_running, FakeMeasure);
        QCOMPARE(int(other.outcome), int(PhotoChoice::Chosen));
        QCOMPARE(queue[other.index].tag, 2);
    }

    void everythingFilteredOut() {
        auto queue = Queue({{"800x600", 1}, {"900x600", 2}, {"broken", 2}});
        SlideshowCounters counters;
        CMersenneTwister random;
        const PhotoChoice choice = ChoosePhoto(queue, 1, 2, {kPortrait, false, 0}, counters, random,
                                               m_running, FakeMeasure);
        QCOMPARE(int(choice.outcome), int(PhotoChoice::NoneAtAll));
        QCOMPARE(counters.wrongOrientation, 2);
        QVERIFY(queue[2].unreadable);
    }

    void cancelled() {
        auto queue = Queue({{"800x600", 1}});
        SlideshowCounters counters;
        CMersenneTwister random;
        const std::atomic<int> stopped{0};
        const PhotoChoice choice =
            ChoosePhoto(queue, 1, 1, {}, counters, random, stopped, FakeMeasure);
        QCOMPARE(int(choice.outcome), int(PhotoChoice::Cancelled));
        QVERIFY(!queue[0].shown);
    }
};

SKYLOOM_TEST_MAIN(TestPhotoChoice, QCoreApplication)
#include "tst_photo_choice.moc"
