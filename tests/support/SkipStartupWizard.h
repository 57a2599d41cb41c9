#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace skyloom::test {

// A window started on an empty library opens the QuickStart wizard from its start-up timer,
// and a skipped first-run wizard the Getting Started box, each modally. While alive, this
// skips both, from a timer that runs inside their event loops, and counts them.
class SkipStartupWizard final : public QObject {
public:
    SkipStartupWizard() {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!modal || !modal->isVisible())
                return;
            if (modal->objectName() == u"quickStartWizard") {
                ++wizards;
                modal->reject();
            } else if (modal->objectName() == u"gettingStartedBox") {
                ++boxes;
                modal->reject();
            }
        });
        m_timer.start();
    }

    int wizards = 0;
    int boxes = 0;

private:
    QTimer m_timer;
};

} // namespace skyloom::test
