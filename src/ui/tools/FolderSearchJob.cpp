#include "FolderSearchJob.h"

#include <QThread>

namespace skyloom {

FolderSearchJob::FolderSearchJob(QObject* parent) : QObject(parent) {}

FolderSearchJob::~FolderSearchJob() {
    if (m_proceed)
        m_proceed->store(0);
    Join();
}

void FolderSearchJob::Start(const QString& folder, FolderSearchDepth depth) {
    if (m_proceed)
        m_proceed->store(0);
    Join();
    auto proceed = std::make_shared<std::atomic<int>>(1);
    m_proceed = proceed;
    m_thread = QThread::create([this, proceed, folder, depth] {
        const auto report = [this, proceed](const FolderSearchProgress& p) {
            QMetaObject::invokeMethod(
                this,
                [this, proceed, p] {
                    if (proceed == m_proceed)
                        emit progress(p);
                },
                Qt::QueuedConnection);
        };
        FolderSearchResult result = SearchPhotoFolders(folder, depth, proceed.get(), report);
        QMetaObject::invokeMethod(
            this,
            [this, proceed, result = std::move(result)] {
                if (proceed != m_proceed)
                    return; // a later search took its place
                Join();
                emit finished(result);
            },
            Qt::QueuedConnection);
    });
    m_thread->start(QThread::IdlePriority);
}

void FolderSearchJob::Cancel() {
    if (m_proceed)
        m_proceed->store(0);
}

void FolderSearchJob::Join() {
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

} // namespace skyloom
