#include "MessageBoxReporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <cstdio>

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
    // Widgets live on the main thread only: a worker's message is shown there while the
    // worker waits for the answer.
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
        int answer = MessageResult::Ok;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { answer = ShowMessage(caption, text, style); },
            Qt::BlockingQueuedConnection);
        return answer;
    }
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

} // namespace skyloom
