#include "ChangeInterval.h"

#include <algorithm>
#include <climits>

namespace skyloom {

qint64 ChangeIntervalMs(int hours, int minutes, int seconds, bool glassReflection) {
    qint64 s = qint64(seconds) - (glassReflection ? 3 : 2);
    if (s <= 0)
        s = 1;
    const qint64 ms = ((qint64(hours) * 60 + minutes) * 60 + s) * 1000;
    return std::clamp<qint64>(ms, 1000, INT_MAX);
}

} // namespace skyloom
