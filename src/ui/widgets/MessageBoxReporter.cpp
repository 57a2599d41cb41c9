#include "MessageBoxReporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <cstdio>
#include <memory>

namespace skyloom {
namespace {

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & 0xF0) {
    case MessageStyle::IconStop:
        return QMessageBox::Critical;
    case MessageStyle::IconQuestion:
        return QMessageBox::Question;
    case MessageStyle::IconExclamation:
        return QMessageBox::Warning;
    case MessageStyle::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The answer that commits to nothing: Cancel, No, or OK when there is no other.
int CautiousAnswer(unsigned style) {
    switch (style & 0xF) {
    case MessageStyle::YesNo:
        return MessageResult::No;
    case MessageStyle::OkCancel:
        return MessageResult::Cancel;
    default:
        return MessageResult::Ok;
    }
}

} // namespace

int MessageBoxReporter::ShowMessage(const QString& caption, const QString& text, unsigned style) {
    if (m_stopped) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        return CautiousAnswer(style);
    }
    // Widgets live on the main thread only.
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return ShowForWorker(caption, text, style);
    const bool yesNo = (style & 0xF) == MessageStyle::YesNo;
    const bool okCancel = (style & 0xF) == MessageStyle::OkCancel;
    QMessageBox box(IconOf(style), caption.isEmpty() ? QStringLiteral("Error") : caption, text,
                    QMessageBox::NoButton, QApplication::activeWindow());
    if (yesNo) {
        box.addButton(QMessageBox::Yes);
        box.addButton(QMessageBox::No);
    } else {
        box.addButton(QMessageBox::Ok);
        if (okCancel)
            box.addButton(QMessageBox::Cancel);
    }
    const int clicked = box.exec();
    // Closed because the program is ending: nobody chose anything.
    if (m_stopped)
        return CautiousAnswer(style);
    switch (clicked) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        return MessageResult::Ok;
    }
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
        int button = MessageResult::Ok;
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
    std::unique_lock lock(m_lock);
    m_answered.wait(lock, [&] { return answer->given || m_stopped; });
    return answer->given ? answer->button : CautiousAnswer(style);
}

} // namespace skyloom
