#pragma once

#include "library/MessageReporter.h"

namespace skyloom {

// Shows the messages of non-UI code in a message box owned by the active window.
class MessageBoxReporter final : public IMessageReporter {
public:
    int ShowMessage(const QString& caption, const QString& text, unsigned style) override;
};

} // namespace skyloom
