#include "ManualResetEvent.h"

namespace skyloom {

void ManualResetEvent::Set() {
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

void ManualResetEvent::Reset() {
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool ManualResetEvent::IsSet() const {
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool ManualResetEvent::Wait(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_set; });
}

} // namespace skyloom
