#pragma once

#include "CMersenneTwister.h"
#include "MainThreadInbox.h"
#include "PhotoQueueBuilder.h"
#include "SlideshowSnapshot.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace skyloom {

// What the engine needs of the world around it.
struct EngineSetup {
    QString databasePath;
    QString wallpaperPath;
    // Makes the written file the desktop wallpaper, or clears it for an empty path. Called on
    // a worker for changes and on the main thread for clearing.
    std::function<bool(const QString& path)> apply;
    // How long the user has left keyboard and mouse alone, in milliseconds (main thread).
    std::function<qint64()> idleMs;
    // The primary screen's size in device pixels, read on the main thread before each change.
    std::function<QSize()> screenSize;
    // Reads a photo's size and orientation; the files' headers unless a test says otherwise.
    MeasurePhoto measure = MeasurePhotoFile;
};

// The slideshow without a window: the photo queue and the queued shortcuts, the settings
// snapshot and the screen background, the timers, and the worker jobs that build the queue and
// change the wallpaper. Commands are its methods, called on the main thread; what it has to
// say it says through signals. Every job has its own run flag and generation: a cancelled job
// ends without effect, and a new job of a kind starts only once the one before has ended.
class CSlideshowEngine final : public QObject {
    Q_OBJECT
public:
    explicit CSlideshowEngine(EngineSetup setup, QObject* parent = nullptr);
    ~CSlideshowEngine() override;

    // Takes the snapshot and renders the screen background for it.
    void ApplySnapshot(const SlideshowSnapshot& snapshot);
    // Builds the queue of these shortcut ids afresh; the slideshow pauses while it is built and
    // starts when it is done (paused, the first time, when the snapshot says so).
    void BuildQueue(std::vector<int> ids);
    void Pause();
    void Resume();
    void Next();
    void TogglePause();
    void ClearWallpaper();
    void PauseAndClear();
    // Stops every timer and job and waits for the jobs to end; nothing starts after it.
    void Shutdown();

    bool IsPaused() const { return m_paused; }
    bool IsAutoPaused() const { return m_autoPaused; }
    bool IsBuilding() const { return m_building; }
    bool IsChanging() const { return m_change.thread.joinable(); }
    int PhotosQueued() const { return m_photosQueued; }
    QString StatusText() const;
    QString Tooltip() const;
    SlideshowCounters Counters();

signals:
    void statusChanged(const QString& status, const QString& tooltip);
    void progressChanged(int value, int maximum);
    void pausedChanged(bool paused);
    void queueBuilt(int photos);
    void wallpaperApplied(const QString& photo);
    void unableToDisplay();

private:
    struct Job {
        std::shared_ptr<std::atomic<int>> running;
        std::thread thread;
        quint64 generation = 0;
    };
    struct ChangeOutcome {
        enum Kind { Applied, IdleDeferred, NoneForShortcut, NoneAtAll, NotSaved, Cancelled };
        Kind kind = Cancelled;
        QString photo;
        int shortcutId = -1;
        bool anyUnshownLeft = false;
    };

    void StartBuild(std::vector<int> ids);
    void OnBuildDone(quint64 generation, std::shared_ptr<PhotoQueueBuild> build);
    void OnQueueBuilt();
    void StartChange();
    ChangeOutcome RunChange(const SlideshowSnapshot& snapshot, const QImage& background,
                            int shortcutId, int shortcutCount, const std::atomic<int>& running);
    void OnChangeDone(quint64 generation, const ChangeOutcome& outcome);
    void ArmInterval();
    void RearmAfter(int ms);
    void ShowUnable();
    void UpdateStatus();
    // Starts work on a new thread at the lowest priority.
    static std::thread StartWorker(std::function<void()> work);
    static void Finish(Job& job);

    EngineSetup m_setup;
    MainThreadInbox m_inbox; // the workers' results
    SlideshowSnapshot m_snapshot;
    QImage m_background;
    QSize m_screen;

    // The queue, the counters and the generator: shared with the change job, under the lock.
    std::mutex m_queueLock;
    PhotoQueue m_queue;
    SlideshowCounters m_counters;
    CMersenneTwister m_random;

    Job m_build;
    Job m_change;
    std::optional<std::vector<int>> m_pendingIds; // a build asked for while one was ending
    bool m_changeAgain = false;                   // a change asked for while one was running

    int m_photosQueued = 0;
    bool m_building = false;
    bool m_firstBuild = true;
    bool m_paused = false;
    bool m_autoPaused = false;
    bool m_pausedUnable = false;
    bool m_bypassIdle = true;
    bool m_nextRequested = false;
    bool m_shuttingDown = false;
    int m_retries = 0;

    QTimer m_intervalTimer; // the change interval
    QTimer m_rearmTimer;    // re-arms the interval after a change
    QTimer m_builtTimer;    // completes a build
    QTimer m_unableTimer;   // "unable to display"
};

} // namespace skyloom
