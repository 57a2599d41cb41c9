// The slideshow's generator against the standard library's MT19937 given the same state: the
// generation and tempering are the published ones, only the 1998 seeding is the generator's own.

#include "TestMain.h"
#include "engine/CMersenneTwister.h"

#include <random>
#include <sstream>

using namespace skyloom;

namespace {

// The standard engine set to the state the 1998 seeding makes for the seed.
std::mt19937 ReferenceSeededWith(quint32 seed) {
    std::stringstream state;
    quint32 word = seed;
    for (int i = 0; i < 624; ++i) {
        state << word << ' ';
        word *= 69069u;
    }
    std::mt19937 engine;
    state >> engine;
    return engine;
}

} // namespace

class TestMersenneTwister : public QObject {
    Q_OBJECT

private slots:
    void matchesTheReference_data() {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("4357") << 4357u;
        QTest::newRow("0") << 0u;
        QTest::newRow("1") << 1u;
        QTest::newRow("2^32-1") << 0xFFFFFFFFu;
        QTest::newRow("a clock reading") << FileTimeSeed(1700000000000);
    }

    void matchesTheReference() {
        QFETCH(quint32, seed);
        CMersenneTwister mine(seed);
        std::mt19937 reference = ReferenceSeededWith(seed);
        // Past two twists of the state.
        for (int i = 0; i < 2000; ++i)
            QCOMPARE(mine.Next(), quint32(reference()));
        // Indexes: the first of two draws discarded, the high half of the second times n.
        for (quint32 n : {1u, 2u, 7u, 1000u, 0xFFFFFFFFu}) {
            reference();
            QCOMPARE(mine.Below(n), quint32((quint64(reference()) * n) >> 32));
        }
        QCOMPARE(mine.Below(0), 0u);
    }

    void unseededIsSeed4357() {
        CMersenneTwister unseeded;
        CMersenneTwister seeded(4357);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(unseeded.Next(), seeded.Next());
        // Re-seeding starts the sequence over.
        unseeded.Seed(4357);
        QCOMPARE(unseeded.Next(), CMersenneTwister(4357).Next());
    }

    void fileTimeSeed() {
        QCOMPARE(FileTimeSeed(0), 3577643008u);             // 1970-01-01 in 100 ns since 1601
        QCOMPARE(FileTimeSeed(1700000000000), 3329032192u); // 2023-11-14T22:13:20Z
    }
};

SKYLOOM_TEST_MAIN(TestMersenneTwister, QCoreApplication)
#include "tst_mersenne_twister.moc"
