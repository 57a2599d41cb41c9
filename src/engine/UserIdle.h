#pragma once

#include <QtGlobal>

namespace skyloom {

// How long the user has left keyboard and mouse alone, in milliseconds, as the session's idle
// facility tells it. Where the session cannot tell, the user counts as idle, and stderr says so
// once.
qint64 UserIdleMs();

} // namespace skyloom
