#pragma once

#include <QObject>

#include <functional>
#include <mutex>
#include <vector>

class QSocketNotifier;

namespace skyloom {

// Hands work from worker threads to the thread that made the inbox: tasks wait in a list
// under a standard mutex and an eventfd wakes the owner's event loop, which runs them in the
// order they came. Tasks still waiting when the inbox is destroyed are dropped.
class MainThreadInbox final : public QObject {
    Q_OBJECT
public:
    explicit MainThreadInbox(QObject* parent = nullptr);
    ~MainThreadInbox() override;

    // From any thread.
    void Post(std::function<void()> task);

private:
    void Drain();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    std::mutex m_lock;
    std::vector<std::function<void()>> m_tasks;
};

} // namespace skyloom
