#include "MessageBoxReporter.h"

#include "ExtMessageBox.h"
#include "library/MessageButtons.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <memory>

namespace skyloom {

int MessageBoxReporter::ShowMessage(const QString& caption, const QString& text, unsigned style) {
    if (m_stopped) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        return MessageCautiousAnswer(style);
    }
    // Widgets live on the main thread only.
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return ShowForWorker(caption, text, style);
    const int answer = ExtMessageBox(caption, nullptr, text, style);
    // Closed because the program is ending: nobody chose anything.
    return m_stopped ? MessageCautiousAnswer(style) : answer;
}

void MessageBoxReporter::StopShowing() {
    {
        std::lock_guard lock(m_lock);
        m_stopped = true;
    }
    m_answered.notify_all();
}

int MessageBoxReporter::ShowForWorker(const QString& caption, const QString& text, unsigned style) {
    struct Answer {
        bool given = false;
        int button = 0;
    };
    const auto answer = std::make_shared<Answer>();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [this, answer, caption, text, style] {
            const int button = ShowMessage(caption, text, style);
            {
                std::lock_guard lock(m_lock);
                *answer = {true, button};
            }
            m_answered.notify_all();
        },
        Qt::QueuedConnection);
    // The worker waits for the user, but not for ever: the box stays up and the worker goes
    // on with the cautious answer after a while, or at once when the program starts to end.
    std::unique_lock lock(m_lock);
    m_answered.wait_for(lock, m_workerWaitLimit, [&] { return answer->given || m_stopped; });
    return answer->given ? answer->button : MessageCautiousAnswer(style);
}

} // namespace skyloom
