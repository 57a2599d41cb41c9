#pragma once

#include "library/PhotoFolderSearch.h"

#include <QObject>

#include <atomic>
#include <memory>

class QThread;

namespace skyloom {

// Runs a photo-folder search on a worker at the lowest priority and reports back on the main
// thread: its progress a few times a second, then its result. Cancel asks the walk to stop;
// the result (not completed) still arrives, within moments. Destroying the job cancels it and
// waits for the worker.
class FolderSearchJob final : public QObject {
    Q_OBJECT
public:
    explicit FolderSearchJob(QObject* parent = nullptr);
    ~FolderSearchJob() override;

    void Start(const QString& folder, FolderSearchDepth depth);
    void Cancel();
    bool Running() const { return m_thread != nullptr; }

signals:
    void progress(const skyloom::FolderSearchProgress& progress);
    void finished(const skyloom::FolderSearchResult& result);

private:
    void Join();

    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<int>> m_proceed;
};

} // namespace skyloom
