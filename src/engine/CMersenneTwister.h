#pragma once

#include <QtGlobal>

#include <array>

namespace skyloom {

// The slideshow's random numbers: MT19937 (32-bit output, the published generation and
// tempering) with the seeding of its 1998 reference code, where state word 0 is the seed and
// word i is 69069 times word i - 1. The standard library's engine seeds differently, so the
// sequence for a seed would not match. Before any seeding it behaves as seeded with 4357.
// Not thread-safe: one thread at a time.
class CMersenneTwister {
public:
    static constexpr quint32 kDefaultSeed = 4357;

    explicit CMersenneTwister(quint32 seed = kDefaultSeed) { Seed(seed); }
    void Seed(quint32 seed);
    quint32 Next();
    // A random index below n: two numbers are drawn, the first discarded, and the high 32 bits
    // of the 64-bit product of the second and n are taken. 0 when n is 0.
    quint32 Below(quint32 n);

private:
    static constexpr int kWords = 624;
    void Twist();

    std::array<quint32, kWords> m_state{};
    int m_next = kWords;
};

// The seed of a given moment: the low 32 bits of its time in 100-nanosecond units since
// 1601-01-01 (a Windows FILETIME), the seed the slideshow's sequences have always come from.
quint32 FileTimeSeed(qint64 unixMilliseconds);
// The seed of now.
quint32 FileTimeSeedNow();

} // namespace skyloom
