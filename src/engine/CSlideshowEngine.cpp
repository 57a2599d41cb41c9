#include "CSlideshowEngine.h"

#include "AutoQueue.h"
#include "composer/CBackgroundRenderer.h"
#include "composer/CWallpaperComposer.h"
#include "composer/DesktopCanvas.h"
#include "library/TextHelpers.h"

#include <algorithm>
#include <pthread.h>
#include <sched.h>

namespace skyloom {
namespace {

constexpr int kBuiltDelayMs = 750;
constexpr int kAfterChangeMs = 500;
constexpr int kAfterIdleMs = 750;
constexpr int kUnableDelayMs = 500;
constexpr int kMonitorsSettleMs = 1000;

const QString kTooltipTitle = QStringLiteral("Skyloom\nDesktop Wallpaper Changer");

} // namespace

CSlideshowEngine::CSlideshowEngine(EngineSetup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup)) {
    m_intervalTimer.setSingleShot(true);
    connect(&m_intervalTimer, &QTimer::timeout, this, [this] { StartChange(); });
    m_rearmTimer.setSingleShot(true);
    connect(&m_rearmTimer, &QTimer::timeout, this, [this] { ArmInterval(); });
    m_builtTimer.setSingleShot(true);
    connect(&m_builtTimer, &QTimer::timeout, this, [this] { OnQueueBuilt(); });
    m_unableTimer.setSingleShot(true);
    connect(&m_unableTimer, &QTimer::timeout, this, [this] { ShowUnable(); });
    m_monitorsTimer.setSingleShot(true);
    connect(&m_monitorsTimer, &QTimer::timeout, this, [this] {
        if (m_shuttingDown || m_building)
            return;
        {
            std::lock_guard lock(m_queueLock);
            if (m_last.path.isEmpty())
                return; // nothing shown yet: the next change composes for the new monitors
        }
        if (m_paused)
            m_nextRequested = true; // composed again even while paused, as for a new look
        m_recompose = true;
        StartChange();
    });
}

CSlideshowEngine::~CSlideshowEngine() {
    Shutdown();
}

std::thread CSlideshowEngine::StartWorker(std::function<void()> work) {
    return std::thread([work = std::move(work)] {
        sched_param idle{};
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
        work();
    });
}

void CSlideshowEngine::Finish(Job& job) {
    // The job posts its result as its last act, so this waits for the thread's exit only.
    if (job.thread.joinable())
        job.thread.join();
}

void CSlideshowEngine::ApplySnapshot(const SlideshowSnapshot& snapshot) {
    TakeSnapshot(snapshot, true);
}

void CSlideshowEngine::TakeSnapshot(const SlideshowSnapshot& snapshot, bool renderBackground) {
    m_snapshot = snapshot;
    if (renderBackground || m_background.isNull()) {
        m_screen = m_setup.screenSize ? m_setup.screenSize() : QSize();
        m_background =
            CBackgroundRenderer::RenderBackground(m_snapshot.render.background, m_screen);
        m_monitorBackgrounds.clear();
    }
    std::lock_guard lock(m_queueLock);
    m_counters = {};
    m_queue.shortcuts.lastShortcutId = -1;
    m_currentPhoto = snapshot.lastPhoto;
}

void CSlideshowEngine::Apply(const SlideshowSnapshot& snapshot, unsigned pending,
                             unsigned filterChanges, std::vector<int> ids) {
    using namespace PendingChange;
    if (m_shuttingDown)
        return;
    m_intervalTimer.stop();
    m_bypassIdle = true;
    if (m_paused && m_pausedUnable) {
        m_paused = false;
        m_pausedUnable = false;
        emit pausedChanged(false);
    }
    if (pending & (QueuedSet | Interval | PhotoOptions | Background)) {
        // The change under way is cancelled; a change asked for below follows it once it has
        // ended, so nothing waits here.
        if (m_change.running)
            m_change.running->store(0);
        m_changeAgain = false;
        m_rearmTimer.stop();
        m_unableTimer.stop();
    }
    if (pending & (Interval | PhotoOptions | Background))
        TakeSnapshot(snapshot, pending & Background);
    if (pending & PhotoOptions) {
        ResetPhotoFlags(false, filterChanges);
        ResetVisited();
    }
    if (pending & QueuedSet) {
        BuildQueue(std::move(ids)); // a build under way makes way for it
    } else if (m_building) {
        // The build under way goes on; the slideshow it starts takes the new settings.
    } else if (pending & (PhotoOptions | Background)) {
        m_nextRequested = true;
        m_recompose = true;
        StartChange();
    } else {
        ArmInterval();
    }
    UpdateStatus();
}

// ---- the queue build ----

void CSlideshowEngine::BuildQueue(std::vector<int> ids) {
    if (m_shuttingDown)
        return;
    m_queuedIds = ids;
    m_queueAsked = true;
    m_building = true; // before the pause, so that the status reads as a build's
    PauseSlideshow();
    if (m_build.thread.joinable()) {
        // The build under way is told to stop; this one follows when it has ended.
        m_build.running->store(0);
        m_pendingIds = std::move(ids);
        return;
    }
    StartBuild(std::move(ids));
}

void CSlideshowEngine::StopQueueBuild() {
    m_pendingIds.reset();
    if (m_build.running)
        m_build.running->store(0);
    m_builtTimer.stop();
    ++m_build.generation; // whatever the build under way hands back is stale now
    m_building = false;
    emit progressChanged(0, 0);
    UpdateStatus();
}

void CSlideshowEngine::StartBuild(std::vector<int> ids) {
    m_building = true;
    m_builtTimer.stop();
    const int total = int(ids.size());
    emit progressChanged(0, total);
    UpdateStatus();
    m_build.running = std::make_shared<std::atomic<int>>(1);
    const quint64 generation = ++m_build.generation;
    const auto running = m_build.running;
    const QString database = m_setup.databasePath;
    m_build.thread =
        StartWorker([this, ids = std::move(ids), running, database, generation, total] {
            auto build = std::make_shared<PhotoQueueBuild>(
                BuildPhotoQueue(ids, database, *running, [this, total](int done) {
                    m_inbox.Post([this, done, total] { emit progressChanged(done, total); });
                }));
            m_inbox.Post([this, generation, build] { OnBuildDone(generation, build); });
        });
}

void CSlideshowEngine::OnBuildDone(quint64 generation, std::shared_ptr<PhotoQueueBuild> build) {
    Finish(m_build);
    if (m_shuttingDown)
        return;
    if (m_pendingIds) {
        std::vector<int> ids = std::move(*m_pendingIds);
        m_pendingIds.reset();
        StartBuild(std::move(ids));
        return;
    }
    if (generation != m_build.generation || !build->complete) {
        m_building = false;
        UpdateStatus();
        return;
    }
    {
        std::lock_guard lock(m_queueLock);
        m_queue = std::move(build->queue);
        m_counters = {};
        m_photosQueued = int(m_queue.photos.size());
    }
    emit progressChanged(0, 0);
    // An empty queue keeps the slideshow paused until a build finds photos.
    m_autoPaused = m_photosQueued == 0;
    m_paused = true;
    UpdateStatus();
    m_builtTimer.start(kBuiltDelayMs);
}

void CSlideshowEngine::OnQueueBuilt() {
    m_building = false;
    // The option pauses the first build of the run that completes while it is set, once.
    const bool pauseFirst = m_snapshot.pauseOnStartup && m_firstBuild;
    if (pauseFirst)
        m_firstBuild = false;
    const bool pauseAsked = std::exchange(m_pauseAfterBuild, false);
    emit queueBuilt(m_photosQueued);
    if (pauseFirst || pauseAsked || m_photosQueued == 0) {
        m_paused = true;
        emit pausedChanged(true);
        UpdateStatus();
        return;
    }
    m_paused = false;
    m_autoPaused = false;
    m_bypassIdle = true;
    emit pausedChanged(false);
    UpdateStatus();
    StartChange();
}

// ---- AutoQueue and the refresh ----

std::vector<int> CSlideshowEngine::AutoQueue(int categoryId, int count) {
    if (m_shuttingDown)
        return {};
    m_autoQueueRunning = true;
    PauseSlideshow();
    // The library is read before the lock is taken: an error shown meanwhile runs the event
    // loop, which may need the lock itself.
    const AutoQueueCandidates candidates =
        LoadAutoQueueCandidates(m_setup.databasePath, categoryId);
    std::vector<int> ids;
    {
        std::lock_guard lock(m_queueLock); // the generator is the change job's too
        ids = DrawAutoQueue(candidates, count, m_random, FileTimeSeedNow());
    }
    BuildQueue(ids);
    m_autoQueueRunning = false;
    UpdateStatus();
    return ids;
}

void CSlideshowEngine::Refresh(int categoryId) {
    if (m_shuttingDown)
        return;
    if (m_building) {
        m_rebuildAfterRefresh = true;
        StopQueueBuild();
    }
    if (m_refresh.thread.joinable()) {
        // The refresh under way is told to stop; this one follows when it has ended.
        m_refresh.running->store(0);
        m_pendingRefresh = categoryId;
        return;
    }
    StartRefresh(categoryId);
}

void CSlideshowEngine::StartRefresh(int categoryId) {
    m_refreshing = true;
    emit progressChanged(0, int(m_queuedIds.size()));
    UpdateStatus();
    m_refresh.running = std::make_shared<std::atomic<int>>(1);
    const quint64 generation = ++m_refresh.generation;
    const auto running = m_refresh.running;
    m_refresh.thread = StartWorker([this, running, generation, categoryId,
                                    database = m_setup.databasePath, count = m_setup.countPhotos] {
        const PhotoRefreshResult result = RefreshPhotoCounts(
            database, categoryId, *running,
            [this](int done, int total) {
                m_inbox.Post([this, done, total] { emit progressChanged(done, total); });
            },
            count);
        m_inbox.Post([this, generation, categoryId, result] {
            OnRefreshDone(generation, categoryId, result);
        });
    });
}

void CSlideshowEngine::OnRefreshDone(quint64 generation, int categoryId,
                                     PhotoRefreshResult result) {
    Finish(m_refresh);
    if (m_shuttingDown)
        return;
    // A refresh cut short keeps the counts it wrote: the queue must follow them too.
    if (result.changed)
        m_rebuildAfterRefresh = true;
    if (m_pendingRefresh) {
        const int next = *m_pendingRefresh;
        m_pendingRefresh.reset();
        StartRefresh(next);
        return;
    }
    if (generation != m_refresh.generation)
        return;
    m_refreshing = false;
    emit progressChanged(0, 0);
    if (std::exchange(m_rebuildAfterRefresh, false) && m_queueAsked)
        BuildQueue(m_queuedIds);
    UpdateStatus();
    emit refreshFinished(categoryId);
}

// ---- the change ----

void CSlideshowEngine::StartChange() {
    if (m_shuttingDown || m_building || (m_paused && !m_nextRequested))
        return;
    if (m_change.thread.joinable()) {
        m_changeAgain = true; // one change at a time: this one follows
        return;
    }
    // A photo per monitor when the settings ask for it and there are several monitors.
    std::vector<platform::MonitorInfo> monitors;
    if (m_snapshot.photoPerMonitor && m_setup.monitors) {
        monitors = m_setup.monitors();
        if (monitors.size() < 2)
            monitors.clear();
    }
    int shortcutId = -1;
    int shortcutCount = 0;
    std::optional<Recompose> again;
    std::vector<MonitorPick> picks;
    {
        std::lock_guard lock(m_queueLock);
        if (m_queue.photos.empty())
            return;
        shortcutCount = int(m_queue.shortcuts.entries.size());
        shortcutId = m_queue.shortcuts.Choose(m_random, FileTimeSeedNow());
        m_chosenShortcutId = shortcutId;
        // The photo shown last is composed again, if it still passes the orientation filter.
        // Either way the request is used up: the change after this one chooses anew.
        const int filter = m_snapshot.filters.orientation;
        const auto fits = [filter](int orientation) {
            return filter == kAnyOrientation || filter == orientation;
        };
        if (std::exchange(m_recompose, false)) {
            if (!monitors.empty()) {
                // The photos of the monitors, as far as there are monitors for them.
                picks.resize(monitors.size());
                // A monitor turned since keeps its photo only if it still fits it.
                for (std::size_t i = 0; i < picks.size() && i < m_lastPicks.size(); ++i)
                    if (fits(m_lastPicks[i].orientation) &&
                        (filter != kAnyOrientation ||
                         m_lastPicks[i].orientation == OrientationOf(monitors[i].geometry.size())))
                        picks[i] = {m_lastPicks[i].path, m_lastPicks[i].orientation,
                                    m_lastPicks[i].width, m_lastPicks[i].height, -1};
            } else if (!m_last.path.isEmpty() && fits(m_last.orientation)) {
                again = m_last;
            }
        }
    }
    // The screen is read here, on the main thread; a new size gets a new background.
    const QSize screen = m_setup.screenSize ? m_setup.screenSize() : m_screen;
    if (screen != m_screen) {
        m_screen = screen;
        m_background =
            CBackgroundRenderer::RenderBackground(m_snapshot.render.background, m_screen);
    }
    std::vector<QImage> backgrounds;
    for (const platform::MonitorInfo& monitor : monitors)
        backgrounds.push_back(BackgroundFor(monitor.geometry.size()));
    // Only the sizes of the monitors there are now stay cached.
    std::erase_if(m_monitorBackgrounds, [&backgrounds](const QImage& cached) {
        return std::none_of(backgrounds.begin(), backgrounds.end(),
                            [&cached](const QImage& b) { return b.size() == cached.size(); });
    });
    const bool bypassIdle = m_bypassIdle || m_nextRequested;
    bool idle = true;
    if (!bypassIdle && m_snapshot.idleOnly && m_setup.idleMs)
        idle = m_setup.idleMs() / 1000 > m_snapshot.idleSeconds;
    m_change.running = std::make_shared<std::atomic<int>>(1);
    const quint64 generation = ++m_change.generation;
    const auto running = m_change.running;
    m_change.thread = StartWorker([this, snapshot = m_snapshot, background = m_background,
                                   monitors = std::move(monitors),
                                   backgrounds = std::move(backgrounds), picks = std::move(picks),
                                   shortcutId, shortcutCount, again, idle, running, generation] {
        ChangeOutcome outcome{ChangeOutcome::IdleDeferred, {}, -1, false};
        if (idle && !monitors.empty())
            outcome =
                RunDesktopChange(snapshot, monitors, backgrounds, shortcutId, picks, *running);
        else if (idle)
            outcome = RunChange(snapshot, background, shortcutId, shortcutCount, again, *running);
        m_inbox.Post([this, generation, outcome] { OnChangeDone(generation, outcome); });
    });
}

QImage CSlideshowEngine::BackgroundFor(QSize size) {
    if (size == m_screen && !m_background.isNull())
        return m_background;
    for (const QImage& background : m_monitorBackgrounds)
        if (background.size() == size)
            return background;
    QImage background = CBackgroundRenderer::RenderBackground(m_snapshot.render.background, size);
    if (!background.isNull())
        m_monitorBackgrounds.push_back(background);
    return background;
}

// On the change job's thread: chooses a photo and composes it, drawing again when the photo
// chosen turns out unreadable, so that the wallpaper only ever changes to a photo.
CSlideshowEngine::ChangeOutcome CSlideshowEngine::RunChange(const SlideshowSnapshot& snapshot,
                                                            const QImage& background,
                                                            int shortcutId, int shortcutCount,
                                                            std::optional<Recompose> again,
                                                            const std::atomic<int>& running) {
    for (;;) {
        if (!running)
            return {};
        QString path;
        int orientation = kLandscape;
        int tag = -1; // the shortcut of a photo chosen now; none for the one composed again
        if (again) {
            path = again->path;
            orientation = again->orientation;
            again.reset();
        } else {
            std::lock_guard lock(m_queueLock);
            m_random.Seed(FileTimeSeedNow());
            const PhotoChoice choice =
                ChoosePhoto(m_queue.photos, shortcutId, shortcutCount, snapshot.filters, m_counters,
                            m_random, running, m_setup.measure);
            switch (choice.outcome) {
            case PhotoChoice::Cancelled:
                return {};
            case PhotoChoice::NoneAtAll:
                return {ChangeOutcome::NoneAtAll, {}, -1, false};
            case PhotoChoice::NoneForShortcut:
                return {ChangeOutcome::NoneForShortcut, {}, shortcutId, choice.anyUnshownLeft};
            case PhotoChoice::Chosen: {
                const PhotoEntry& entry = m_queue.photos[std::size_t(choice.index)];
                path = entry.path;
                orientation = entry.orientation;
                tag = entry.tag;
                m_last = {entry.path, entry.orientation, entry.width, entry.height};
                m_lastPicks = {{entry.path, entry.orientation, entry.width, entry.height, -1}};
                m_currentPhoto = entry.path;
                m_currentOrientation = entry.orientation;
                break;
            }
            }
        }
        const ComposeResult result =
            ComposeWallpaper(path, orientation, snapshot.render, background, m_setup.wallpaperPath,
                             &running, m_setup.apply);
        switch (result) {
        case ComposeResult::Applied: {
            std::lock_guard lock(m_queueLock);
            if (tag != -1) {
                m_queue.shortcuts.MarkVisited(tag);
                m_queue.shortcuts.lastShortcutId = tag;
            }
            return {ChangeOutcome::Applied, path, tag, true};
        }
        case ComposeResult::PhotoUnreadable: {
            // Never drawn again in this queue; another photo is drawn at once.
            std::lock_guard lock(m_queueLock);
            for (PhotoEntry& e : m_queue.photos)
                if (e.path == path)
                    e.unreadable = 1;
            if (m_last.path == path)
                m_last = {};
            if (tag != -1)
                --m_counters.shown;
            continue;
        }
        case ComposeResult::NotSaved:
        case ComposeResult::NoCanvas:
            return {ChangeOutcome::NotSaved, path, tag, true};
        case ComposeResult::Cancelled:
            return {};
        }
    }
}

// On the change job's thread: chooses a photo for every monitor and composes the desktop, drawing
// again for a monitor whose photo turns out unreadable.
CSlideshowEngine::ChangeOutcome CSlideshowEngine::RunDesktopChange(
    const SlideshowSnapshot& snapshot, const std::vector<platform::MonitorInfo>& monitors,
    const std::vector<QImage>& backgrounds, int shortcutId, std::vector<MonitorPick> picks,
    const std::atomic<int>& running) {
    std::vector<QRect> rects;
    std::vector<int> wanted;
    std::size_t primary = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        rects.push_back(monitors[i].geometry);
        wanted.push_back(OrientationOf(monitors[i].geometry.size()));
        if (monitors[i].primary && !monitors[primary].primary)
            primary = i;
    }
    picks.resize(monitors.size());
    for (;;) {
        if (!running)
            return {};
        {
            std::lock_guard lock(m_queueLock);
            m_random.Seed(FileTimeSeedNow());
            const MonitorChoice choice =
                ChooseMonitorPhotos(m_queue, shortcutId, wanted, picks, snapshot.filters,
                                    m_counters, m_random, running, m_setup.measure);
            switch (choice.outcome) {
            case PhotoChoice::Cancelled:
                return {};
            case PhotoChoice::NoneAtAll:
                return {ChangeOutcome::NoneAtAll, {}, -1, false};
            case PhotoChoice::NoneForShortcut:
                return {ChangeOutcome::NoneForShortcut, {}, shortcutId, choice.anyUnshownLeft};
            case PhotoChoice::Chosen:
                break;
            }
            const MonitorPick& shown = picks[primary];
            m_last = {shown.path, shown.orientation, shown.width, shown.height};
            m_lastPicks = picks;
            m_currentPhoto = shown.path;
            m_currentOrientation = shown.orientation;
        }
        std::vector<MonitorPhoto> photos;
        for (const MonitorPick& pick : picks)
            photos.push_back({pick.path, pick.orientation});
        const DesktopCanvas canvas =
            ComposeDesktop(rects, photos, snapshot.render, &running, backgrounds);
        if (!running)
            return {};
        const QString primaryPhoto = picks[primary].path;
        if (canvas.image.isNull())
            return {ChangeOutcome::NotSaved, primaryPhoto, -1, true};
        // An unreadable photo is never drawn again in this queue; its monitors draw anew.
        bool redraw = false;
        for (std::size_t i = 0; i < picks.size(); ++i) {
            if (canvas.drawn[i] || picks[i].path.isEmpty())
                continue;
            redraw = true;
            const QString path = picks[i].path;
            std::lock_guard lock(m_queueLock);
            for (PhotoEntry& e : m_queue.photos)
                if (e.path == path)
                    e.unreadable = 1;
            if (picks[i].tag != -1)
                --m_counters.shown;
            for (MonitorPick& pick : picks)
                if (pick.path == path)
                    pick = {};
        }
        if (redraw)
            continue;
        if (!SaveDesktopCanvas(canvas, rects, m_setup.wallpaperPath, m_setup.wantsMonitorFiles))
            return {ChangeOutcome::NotSaved, primaryPhoto, -1, true};
        if (!running)
            return {};
        if (m_setup.applyMonitors) {
            platform::MonitorWallpapers wallpapers{m_setup.wallpaperPath, canvas.box, {}};
            for (std::size_t i = 0; i < monitors.size(); ++i)
                wallpapers.monitors.push_back(
                    {monitors[i], m_setup.wantsMonitorFiles
                                      ? MonitorFilePath(m_setup.wallpaperPath, i)
                                      : QString()});
            m_setup.applyMonitors(wallpapers);
        }
        std::lock_guard lock(m_queueLock);
        // The shortcut chosen for the change has had its turn, even when the first monitor's
        // photo came from another for its orientation.
        m_queue.shortcuts.MarkVisited(shortcutId);
        int tag = -1;
        for (const MonitorPick& pick : picks)
            if (pick.tag != -1) {
                tag = pick.tag;
                m_queue.shortcuts.MarkVisited(tag);
            }
        if (tag != -1)
            m_queue.shortcuts.lastShortcutId = tag;
        return {ChangeOutcome::Applied, primaryPhoto, tag, true};
    }
}

void CSlideshowEngine::OnChangeDone(quint64 generation, ChangeOutcome outcome) {
    Finish(m_change);
    if (std::exchange(m_clearAfterChange, false) && outcome.kind == ChangeOutcome::Applied &&
        m_setup.apply)
        m_setup.apply(QString());
    if (m_shuttingDown || generation != m_change.generation)
        return;
    // A job cancelled after it had found its answer (a pause, an Apply) reports nothing but a
    // wallpaper it did apply: its answer was found under settings that no longer hold.
    if (!m_change.running->load() && outcome.kind != ChangeOutcome::Applied)
        outcome.kind = ChangeOutcome::Cancelled;
    switch (outcome.kind) {
    case ChangeOutcome::Applied:
        m_bypassIdle = false;
        m_retries = 0;
        emit wallpaperApplied(outcome.photo);
        if (!(m_nextRequested && m_paused))
            RearmAfter(kAfterChangeMs);
        // A Next is used up by its change: the changes after it wait for an idle user again.
        if (!m_paused)
            m_nextRequested = false;
        break;
    case ChangeOutcome::IdleDeferred:
        RearmAfter(kAfterIdleMs);
        break;
    case ChangeOutcome::NoneForShortcut: {
        // The shortcut has nothing left to show; when nothing is left anywhere, a new round
        // begins. Another shortcut is tried at once, a few times at most.
        std::lock_guard lock(m_queueLock);
        m_queue.shortcuts.MarkVisited(outcome.shortcutId);
        if (!outcome.anyUnshownLeft) {
            // Everything has been shown. The shortcut shown last stays last, so that the new
            // round does not begin with it again.
            for (PhotoEntry& e : m_queue.photos)
                e.shown = 0;
            const int last = m_queue.shortcuts.lastShortcutId;
            m_queue.shortcuts.ResetVisited();
            m_queue.shortcuts.lastShortcutId = last;
        }
        // When no other shortcut is left to try, the one shown last may come again: it may be
        // the only one with photos to show.
        const int last = m_queue.shortcuts.lastShortcutId;
        const auto& entries = m_queue.shortcuts.entries;
        if (std::none_of(entries.begin(), entries.end(), [last](const QueueEntry& e) {
                return !e.visited && e.shortcutId != last;
            }))
            m_queue.shortcuts.lastShortcutId = -1;
        if (++m_retries <= int(m_queue.shortcuts.entries.size()) + 1)
            m_changeAgain = true;
        else
            RearmAfter(kAfterChangeMs);
        break;
    }
    case ChangeOutcome::NoneAtAll:
        m_retries = 0;
        m_unableTimer.start(kUnableDelayMs);
        break;
    case ChangeOutcome::NotSaved:
        RearmAfter(kAfterChangeMs);
        break;
    case ChangeOutcome::Cancelled:
        break;
    }
    if (std::exchange(m_changeAgain, false))
        StartChange();
}

void CSlideshowEngine::RearmAfter(int ms) {
    if (!m_shuttingDown)
        m_rearmTimer.start(ms);
}

void CSlideshowEngine::ArmInterval() {
    if (m_shuttingDown || m_building)
        return;
    if (!m_paused)
        m_intervalTimer.start(int(m_snapshot.intervalMs));
    UpdateStatus();
}

void CSlideshowEngine::ShowUnable() {
    m_paused = true;
    m_pausedUnable = true;
    m_rearmTimer.stop();
    m_intervalTimer.stop();
    emit pausedChanged(true);
    UpdateStatus();
    emit unableToDisplay();
}

// ---- commands ----

void CSlideshowEngine::Pause() {
    // Asked for during a build: the slideshow stays paused when the build is done.
    m_pauseAfterBuild = m_building;
    PauseSlideshow();
}

void CSlideshowEngine::PauseSlideshow() {
    m_paused = true;
    m_autoPaused = false;
    m_nextRequested = false;
    m_intervalTimer.stop();
    m_rearmTimer.stop();
    m_unableTimer.stop();
    if (m_change.running)
        m_change.running->store(0);
    m_changeAgain = false;
    emit pausedChanged(true);
    UpdateStatus();
}

void CSlideshowEngine::Resume() {
    m_pauseAfterBuild = false;
    m_paused = false;
    m_pausedUnable = false;
    m_bypassIdle = true;
    m_nextRequested = false;
    emit pausedChanged(false);
    StartChange();
    UpdateStatus();
}

void CSlideshowEngine::Next() {
    // The interval starts anew after this change rather than bringing another right after it.
    m_intervalTimer.stop();
    m_rearmTimer.stop();
    m_bypassIdle = true;
    m_nextRequested = true;
    StartChange();
}

void CSlideshowEngine::TogglePause() {
    if (m_paused)
        Resume();
    else
        Pause();
}

void CSlideshowEngine::ClearWallpaper() {
    if (m_setup.apply)
        m_setup.apply(QString());
    // A change already composing may still hand its photo to the desktop after this: once it
    // has ended, the wallpaper is cleared again.
    if (m_change.thread.joinable())
        m_clearAfterChange = true;
}

void CSlideshowEngine::PauseAndClear() {
    Pause();
    ClearWallpaper();
}

void CSlideshowEngine::MonitorsChanged() {
    if (!m_shuttingDown)
        m_monitorsTimer.start(kMonitorsSettleMs);
}

void CSlideshowEngine::Shutdown() {
    if (m_shuttingDown)
        return;
    m_shuttingDown = true;
    for (QTimer* timer :
         {&m_intervalTimer, &m_rearmTimer, &m_builtTimer, &m_unableTimer, &m_monitorsTimer})
        timer->stop();
    for (Job* job : {&m_build, &m_change, &m_refresh})
        if (job->running)
            job->running->store(0);
    Finish(m_build);
    Finish(m_change);
    Finish(m_refresh);
}

void CSlideshowEngine::SetLiveOptions(bool idleOnly, int idleSeconds, bool pauseOnStartup) {
    m_snapshot.idleOnly = idleOnly;
    m_snapshot.idleSeconds = idleSeconds;
    m_snapshot.pauseOnStartup = pauseOnStartup;
}

// ---- queries of the photo queue ----

std::optional<QueuedPhoto> CSlideshowEngine::DrawPhoto() {
    std::lock_guard lock(m_queueLock);
    if (m_queue.photos.empty())
        return std::nullopt;
    const quint32 index = m_random.Below(quint32(m_queue.photos.size()));
    PhotoEntry& entry = m_queue.photos[index];
    if (!entry.measured) {
        entry.measured = 1;
        if (!m_setup.measure(entry))
            entry.unreadable = 1;
    }
    return QueuedPhoto{int(index), entry};
}

void CSlideshowEngine::ResetPhotoFlags(bool resetShown, unsigned filterChanges) {
    std::lock_guard lock(m_queueLock);
    if (resetShown)
        m_queue.shortcuts.lastShortcutId = -1;
    for (PhotoEntry& e : m_queue.photos) {
        if (resetShown)
            e.shown = 0;
        if (filterChanges & FilterChange::MinSize)
            e.tooSmall = 0;
        if (filterChanges & FilterChange::Orientation)
            e.wrongOrientation = 0;
    }
}

void CSlideshowEngine::ResetVisited() {
    std::lock_guard lock(m_queueLock);
    m_queue.shortcuts.ResetVisited();
}

void CSlideshowEngine::MarkShown(int index) {
    std::lock_guard lock(m_queueLock);
    if (index >= 0 && std::size_t(index) < m_queue.photos.size())
        m_queue.photos[std::size_t(index)].shown = 1;
}

void CSlideshowEngine::MarkRejected(int index, Rejection why) {
    std::lock_guard lock(m_queueLock);
    if (index < 0 || std::size_t(index) >= m_queue.photos.size())
        return;
    PhotoEntry& e = m_queue.photos[std::size_t(index)];
    (why == Rejection::TooSmall ? e.tooSmall : e.wrongOrientation) = 1;
}

SlideshowState CSlideshowEngine::State() {
    SlideshowState state;
    state.filters = m_snapshot.filters;
    state.queuedIdCount = int(m_queuedIds.size());
    state.tempFolder = m_snapshot.tempFolder;
    state.render = m_snapshot.render;
    std::lock_guard lock(m_queueLock);
    state.counters = m_counters;
    state.currentOrientation = m_currentOrientation;
    state.currentPhoto = m_currentPhoto;
    state.lastShortcutId = m_queue.shortcuts.lastShortcutId;
    state.chosenShortcutId = m_chosenShortcutId;
    return state;
}

void CSlideshowEngine::SetState(const SlideshowState& state) {
    m_snapshot.filters = state.filters;
    m_snapshot.tempFolder = state.tempFolder;
    m_snapshot.render = state.render;
    std::lock_guard lock(m_queueLock);
    m_counters = state.counters;
    m_currentOrientation = state.currentOrientation;
    m_currentPhoto = state.currentPhoto;
    m_queue.shortcuts.lastShortcutId = state.lastShortcutId;
}

// ---- what it reports ----

QString CSlideshowEngine::StatusText() const {
    if (m_autoQueueRunning)
        return QStringLiteral("AutoQueue in Progress...");
    if (m_building)
        return QStringLiteral("Queueing Wallpaper Photos...");
    if (m_refreshing)
        return QStringLiteral("Refreshing Photo Information...");
    if (m_paused && !m_autoPaused)
        return QStringLiteral("Paused");
    if (m_photosQueued > 0)
        return QStringLiteral("%1 %2 Queued")
            .arg(FormatNumber(m_photosQueued),
                 m_photosQueued == 1 ? QStringLiteral("Photo") : QStringLiteral("Photos"));
    return QStringLiteral("Ready");
}

QString CSlideshowEngine::Tooltip() const {
    if (m_photosQueued > 0 && !m_autoQueueRunning)
        return kTooltipTitle +
               QStringLiteral("\n%1 Queued").arg(FormatCount("Photo", m_photosQueued));
    return kTooltipTitle;
}

int CSlideshowEngine::SecondsToNextChange() const {
    if (!m_intervalTimer.isActive())
        return -1;
    return (std::max(0, m_intervalTimer.remainingTime()) + 999) / 1000;
}

SlideshowCounters CSlideshowEngine::Counters() {
    std::lock_guard lock(m_queueLock);
    return m_counters;
}

void CSlideshowEngine::UpdateStatus() {
    emit statusChanged(StatusText(), Tooltip());
}

} // namespace skyloom
