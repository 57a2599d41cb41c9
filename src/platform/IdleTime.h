#pragma once

#include <QtGlobal>

#include <optional>

namespace skyloom::platform {

// How long the user has left keyboard and mouse alone.
class IIdleTime {
public:
    virtual ~IIdleTime() = default;
    // Milliseconds since the last input; nothing when the session cannot tell.
    virtual std::optional<qint64> IdleMilliseconds() = 0;
};

} // namespace skyloom::platform
