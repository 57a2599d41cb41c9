#include "BackgroundCount.h"

#include "library/CFolderScanner.h"

#include <QThread>

namespace skyloom {

BackgroundCount::BackgroundCount(QObject* parent) : QObject(parent) {}

BackgroundCount::~BackgroundCount() {
    Cancel();
}

void BackgroundCount::Start(std::vector<Request> requests,
                            std::function<void(std::vector<int>)> done) {
    Cancel();
    auto proceed = std::make_shared<std::atomic<int>>(1);
    m_proceed = proceed;
    m_thread = QThread::create(
        [this, proceed, requests = std::move(requests), done = std::move(done)]() mutable {
            std::vector<int> counts;
            counts.reserve(requests.size());
            const int total = int(requests.size());
            for (const Request& r : requests) {
                if (!proceed->load())
                    return;
                counts.push_back(CFolderScanner::CountPhotos(r.folder, r.jpeg, r.bmp, r.png, r.tiff,
                                                             r.recursive, proceed.get()));
                QMetaObject::invokeMethod(
                    this, [this, n = int(counts.size()), total] { emit progress(n, total); },
                    Qt::QueuedConnection);
            }
            if (!proceed->load())
                return;
            // Runs on the main thread, unless the count was cancelled in the meantime.
            QMetaObject::invokeMethod(
                this,
                [this, proceed, done = std::move(done), counts = std::move(counts)]() mutable {
                    if (!proceed->load())
                        return;
                    if (m_thread) {
                        m_thread->wait();
                        delete m_thread;
                        m_thread = nullptr;
                    }
                    done(std::move(counts));
                },
                Qt::QueuedConnection);
        });
    m_thread->start(QThread::IdlePriority);
}

void BackgroundCount::Cancel() {
    if (!m_thread)
        return;
    m_proceed->store(0);
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

} // namespace skyloom
