#pragma once

#include "library/MessageReporter.h"

#include <QList>

namespace skyloom::test {

// Records every message instead of showing it, and answers with a chosen button. Installed
// for its lifetime.
class RecordingReporter final : public IMessageReporter {
public:
    struct Message {
        QString caption;
        QString text;
        unsigned style;
    };

    RecordingReporter() : m_previous(InstallMessageReporter(this)) {}
    ~RecordingReporter() override { InstallMessageReporter(m_previous); }

    int ShowMessage(const QString& caption, const QString& text, unsigned style) override {
        messages.append({caption, text, style});
        return answer;
    }

    QList<Message> messages;
    int answer = MessageResult::Ok;

private:
    IMessageReporter* m_previous;
};

} // namespace skyloom::test
