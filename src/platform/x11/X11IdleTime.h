#pragma once

#include "../IdleTime.h"

#include <QByteArray>

#include <mutex>

namespace skyloom::platform {

// An X11 session: the screen saver extension's idle counter, on a connection of its own
// opened at the first question and kept.
class X11IdleTime final : public IIdleTime {
public:
    explicit X11IdleTime(QByteArray display) : m_display(std::move(display)) {}
    ~X11IdleTime() override;
    std::optional<qint64> IdleMilliseconds() override;

private:
    QByteArray m_display;
    std::mutex m_lock;
    void* m_connection = nullptr; // the Display, kept out of this header
    bool m_tried = false;
};

} // namespace skyloom::platform
