#pragma once

#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace skyloom {

// An event that stays signalled until it is reset, with a timed wait. The main thread resets
// it when it starts a worker and the worker sets it when it ends.
class ManualResetEvent {
public:
    ManualResetEvent(QString name, bool initiallySet)
        : m_name(std::move(name)), m_set(initiallySet) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Waits until the event is set or the time is up; true when it is set.
    bool Wait(std::chrono::milliseconds timeout) const;
    const QString& Name() const { return m_name; }

private:
    const QString m_name;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_set;
};

} // namespace skyloom
