#pragma once

#include "library/MessageReporter.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace skyloom {

// Shows the messages of non-UI code in the program's message box, owned by the active window.
// A worker's message is shown on the main thread while the worker waits for the answer, for a
// minute at most and never past StopShowing, so that a main thread joining its workers at exit
// is never waited on.
class MessageBoxReporter final : public IMessageReporter {
public:
    int ShowMessage(const QString& caption, const QString& text, unsigned style) override;
    // From now on (the program is ending) messages go to stderr and are answered with the
    // cautious button (Cancel, No, or OK when there is no other) without being shown; workers
    // waiting for an answer get that one at once.
    void StopShowing();
    // How long a worker waits for the user's answer before it goes on with the cautious one.
    void SetWorkerWaitLimit(std::chrono::milliseconds limit) { m_workerWaitLimit = limit; }

private:
    int ShowForWorker(const QString& caption, const QString& text, unsigned style);

    std::atomic<bool> m_stopped = false;
    std::chrono::milliseconds m_workerWaitLimit = std::chrono::minutes(1);
    std::mutex m_lock; // guards the answers workers wait for
    std::condition_variable m_answered;
};

} // namespace skyloom
