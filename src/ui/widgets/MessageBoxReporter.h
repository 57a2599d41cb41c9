#pragma once

#include "library/MessageReporter.h"

#include <atomic>

namespace skyloom {

// Shows the messages of non-UI code in a message box owned by the active window.
class MessageBoxReporter final : public IMessageReporter {
public:
    int ShowMessage(const QString& caption, const QString& text, unsigned style) override;
    // From now on (the program is ending) messages go to stderr and are answered with the
    // cautious button (Cancel, No, or OK when there is no other) without being shown.
    void StopShowing() { m_stopped = true; }

private:
    std::atomic<bool> m_stopped = false;
};

} // namespace skyloom
