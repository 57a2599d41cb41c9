#include "CMersenneTwister.h"

#include <QDateTime>

namespace skyloom {

void CMersenneTwister::Seed(quint32 seed) {
    m_state[0] = seed;
    for (int i = 1; i < kWords; ++i)
        m_state[i] = 69069u * m_state[i - 1];
    m_next = kWords;
}

void CMersenneTwister::Twist() {
    constexpr int kShift = 397;
    constexpr quint32 kMatrix = 0x9908B0DFu;
    constexpr quint32 kUpper = 0x80000000u;
    constexpr quint32 kLower = 0x7FFFFFFFu;
    for (int i = 0; i < kWords; ++i) {
        const quint32 y = (m_state[i] & kUpper) | (m_state[(i + 1) % kWords] & kLower);
        m_state[i] = m_state[(i + kShift) % kWords] ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
    }
    m_next = 0;
}

quint32 CMersenneTwister::Next() {
    if (m_next >= kWords)
        Twist();
    quint32 y = m_state[m_next++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

quint32 CMersenneTwister::Below(quint32 n) {
    Next();
    return quint32((quint64(Next()) * n) >> 32);
}

quint32 FileTimeSeed(qint64 unixMilliseconds) {
    constexpr quint64 kUnixEpochIn100ns = 116444736000000000ull;
    return quint32(quint64(unixMilliseconds) * 10000u + kUnixEpochIn100ns);
}

quint32 FileTimeSeedNow() {
    return FileTimeSeed(QDateTime::currentMSecsSinceEpoch());
}

} // namespace skyloom
