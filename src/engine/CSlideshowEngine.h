#pragma once

#include "CMersenneTwister.h"
#include "MainThreadInbox.h"
#include "MonitorPhotos.h"
#include "PhotoQueueBuilder.h"
#include "PhotoRefresh.h"
#include "SlideshowSnapshot.h"
#include "platform/Wallpaper.h"

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
    // With a photo on each monitor: the monitors, read on the main thread before each change
    // (a photo per monitor needs two or more); the call that shows the photos (on a worker);
    // and whether that call wants each monitor's own file beside the canvas.
    std::function<std::vector<platform::MonitorInfo>()> monitors;
    std::function<bool(const platform::MonitorWallpapers&)> applyMonitors;
    bool wantsMonitorFiles = false;
    // Reads a photo's size and orientation; the files' headers unless a test says otherwise.
    MeasurePhoto measure = MeasurePhotoFile;
    // Counts a shortcut's photos for the refresh; its folder on disk unless a test says so.
    CountShortcutPhotos countPhotos = CountShortcutPhotosOnDisk;
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
    // Acts on the settings applied: pending holds PendingChange bits, filterChanges
    // FilterChange bits, ids the queued shortcuts. A new queue is built, or the photo shown is
    // composed again with the new look (even while paused), or the interval starts anew.
    void Apply(const SlideshowSnapshot& snapshot, unsigned pending, unsigned filterChanges,
               std::vector<int> ids);
    // Builds the queue of these shortcut ids afresh; the slideshow pauses while it is built and
    // starts when it is done (paused, the first time, when the snapshot says so).
    void BuildQueue(std::vector<int> ids);
    // Cancels the build under way; the slideshow stays paused.
    void StopQueueBuild();
    // Queues count shortcuts drawn at random from the category (-1: from all) and builds their
    // queue. Returns the ids queued, for the caller to keep in the settings.
    std::vector<int> AutoQueue(int categoryId, int count);
    // Recounts the photos of the category's shortcuts (-1: of all) on a worker and writes the
    // counts to the library; the queue is built again when a count changed or a build had to
    // make way. A refresh asked for during another replaces it.
    void Refresh(int categoryId);
    // Options that take effect without Apply, as soon as they are saved.
    void SetLiveOptions(bool idleOnly, int idleSeconds, bool pauseOnStartup);
    void Pause();
    void Resume();
    void Next();
    void TogglePause();
    void ClearWallpaper();
    void PauseAndClear();
    // The monitors changed (added, removed, moved, turned): shortly after, the wallpaper shown is
    // composed again for them, with the same photos where they still fit.
    void MonitorsChanged();
    // Stops every timer and job and waits for the jobs to end; nothing starts after it.
    void Shutdown();

    // Queries of the photo queue. A photo drawn at random, measured if need be; nothing when
    // the queue is empty.
    std::optional<QueuedPhoto> DrawPhoto();
    // Clears the shown flags (when asked) and the filter marks of the filters that changed.
    void ResetPhotoFlags(bool resetShown, unsigned filterChanges);
    // Every queued shortcut unvisited, none shown last.
    void ResetVisited();
    // Marks a photo by its index; indexes outside the queue are ignored.
    void MarkShown(int index);
    enum class Rejection { TooSmall, WrongOrientation };
    void MarkRejected(int index, Rejection why);
    SlideshowState State();
    // Restores the state; the shortcut of the change under way stays.
    void SetState(const SlideshowState& state);

    bool IsPaused() const { return m_paused; }
    // Whether the settings applied ask for a photo on each monitor.
    bool PhotoPerMonitor() const { return m_snapshot.photoPerMonitor; }
    bool IsAutoPaused() const { return m_autoPaused; }
    bool IsBuilding() const { return m_building; }
    bool IsChanging() const { return m_change.thread.joinable(); }
    bool IsRefreshing() const { return m_refreshing; }
    bool IsAutoQueueRunning() const { return m_autoQueueRunning; }
    int PhotosQueued() const { return m_photosQueued; }
    // Whole seconds until the interval brings the next change; -1 when none is due.
    int SecondsToNextChange() const;
    // The screen the cached background was rendered for.
    QSize ScreenSize() const { return m_screen; }
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
    // A refresh of the category (-1: all) has ended, its counts written.
    void refreshFinished(int categoryId);

private:
    struct Job {
        std::shared_ptr<std::atomic<int>> running;
        std::thread thread;
        quint64 generation = 0;
    };
    // The photo shown last, composed again when the look changes.
    struct Recompose {
        QString path;
        int orientation = -1;
        int width = -1;
        int height = -1;
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
    void TakeSnapshot(const SlideshowSnapshot& snapshot, bool renderBackground);
    void StartRefresh(int categoryId);
    void OnRefreshDone(quint64 generation, int categoryId, PhotoRefreshResult result);
    void StartChange();
    ChangeOutcome RunChange(const SlideshowSnapshot& snapshot, const QImage& background,
                            int shortcutId, int shortcutCount, std::optional<Recompose> again,
                            const std::atomic<int>& running);
    ChangeOutcome RunDesktopChange(const SlideshowSnapshot& snapshot,
                                   const std::vector<platform::MonitorInfo>& monitors,
                                   const std::vector<QImage>& backgrounds, int shortcutId,
                                   std::vector<MonitorPick> picks, const std::atomic<int>& running);
    // The background at a monitor's size, rendered once per size and look.
    QImage BackgroundFor(QSize size);
    void OnChangeDone(quint64 generation, ChangeOutcome outcome);
    void PauseSlideshow();
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
    std::vector<QImage> m_monitorBackgrounds; // of other sizes than the screen's, for the monitors

    // The queue, the counters and the generator: shared with the change job, under the lock.
    std::mutex m_queueLock;
    PhotoQueue m_queue;
    SlideshowCounters m_counters;
    CMersenneTwister m_random;
    Recompose m_last;                     // the photo shown last (on the primary monitor)
    std::vector<MonitorPick> m_lastPicks; // the photos shown last, one per monitor
    int m_currentOrientation = -1;        // of the photo chosen last
    QString m_currentPhoto;
    int m_chosenShortcutId = -1;

    Job m_build;
    Job m_change;
    Job m_refresh;
    std::vector<int> m_queuedIds;                 // the shortcuts of the last build
    std::optional<std::vector<int>> m_pendingIds; // a build asked for while one was ending
    std::optional<int> m_pendingRefresh;          // a refresh asked for while one was ending
    bool m_changeAgain = false;                   // a change asked for while one was running

    int m_photosQueued = 0;
    bool m_building = false;
    bool m_firstBuild = true;
    bool m_paused = false;
    bool m_autoPaused = false;
    bool m_pausedUnable = false;
    bool m_bypassIdle = true;
    bool m_nextRequested = false;
    bool m_pauseAfterBuild = false;  // paused by the user while a build was under way
    bool m_clearAfterChange = false; // cleared while a change was composing
    bool m_queueAsked = false;       // a build was asked for: there is a queue to rebuild
    bool m_recompose = false;        // the next change composes the photo shown last again
    bool m_autoQueueRunning = false;
    bool m_refreshing = false;
    bool m_rebuildAfterRefresh = false;
    bool m_shuttingDown = false;
    int m_retries = 0;

    QTimer m_intervalTimer; // the change interval
    QTimer m_rearmTimer;    // re-arms the interval after a change
    QTimer m_builtTimer;    // completes a build
    QTimer m_unableTimer;   // "unable to display"
    QTimer m_monitorsTimer; // gathers the signals of one monitor change
};

} // namespace skyloom
