#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;

namespace skyloom {

// Counts the photos of folders on a worker at the lowest priority, one folder after the
// other, and hands the counts to the main thread when all are done. The window stays
// responsive however big the folders are. Destroying it cancels the count and waits for the
// worker, which stops within moments.
class BackgroundCount final : public QObject {
    Q_OBJECT
public:
    struct Request {
        QString folder;
        bool jpeg = true, bmp = true, png = true, tiff = true, recursive = true;
    };

    explicit BackgroundCount(QObject* parent = nullptr);
    ~BackgroundCount() override;

    bool Running() const { return m_thread != nullptr; }
    // Starts counting; done gets one count per request, in order, on the main thread. Not
    // called when the count is cancelled.
    void Start(std::vector<Request> requests, std::function<void(std::vector<int>)> done);
    void Cancel();

signals:
    // After each folder, on the main thread.
    void progress(int done, int total);

private:
    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<int>> m_proceed;
};

} // namespace skyloom
