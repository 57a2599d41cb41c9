#pragma once

#include <QtGlobal>

namespace skyloom {

// The time from half a second after one change ends to the start of the next, in milliseconds:
// the hours, minutes and seconds set, less the seconds a change itself takes (3 with the glass
// reflection, else 2), at least 1 second. Stored values may be anything, so it is worked out in
// 64 bits and kept between 1 second and the longest a timer can wait (about 24.8 days).
qint64 ChangeIntervalMs(int hours, int minutes, int seconds, bool glassReflection);

} // namespace skyloom
