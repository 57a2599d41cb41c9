#include "UserIdle.h"

#include "platform/Platform.h"

#include <atomic>
#include <cstdio>
#include <limits>

namespace skyloom {

qint64 UserIdleMs() {
    platform::IIdleTime* idle = platform::Services().idle.get();
    if (const auto ms = idle ? idle->IdleMilliseconds() : std::nullopt)
        return *ms;
    static std::atomic<bool> said{false};
    if (!said.exchange(true))
        std::fprintf(stderr, "skyloom: this session does not tell how long the user has been "
                             "idle; the idle-only option treats the user as idle\n");
    return std::numeric_limits<qint64>::max() / 2;
}

} // namespace skyloom
