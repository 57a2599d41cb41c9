#pragma once

#include <QObject>

class QSocketNotifier;

namespace skyloom {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread, so that a session
// logging out or a Ctrl+C in a terminal ends the program through its normal exit path.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace skyloom
