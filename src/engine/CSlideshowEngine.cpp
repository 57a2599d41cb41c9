#include "CSlideshowEngine.h"

#include "composer/CBackgroundRenderer.h"
#include "composer/CWallpaperComposer.h"
#include "library/TextHelpers.h"

#include <pthread.h>
#include <sched.h>

namespace skyloom {
namespace {

constexpr int kBuiltDelayMs = 750;
constexpr int kAfterChangeMs = 500;
constexpr int kAfterIdleMs = 750;
constexpr int kUnableDelayMs = 500;

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
    m_snapshot = snapshot;
    m_screen = m_setup.screenSize ? m_setup.screenSize() : QSize();
    m_background = CBackgroundRenderer::RenderBackground(m_snapshot.render.background, m_screen);
    std::lock_guard lock(m_queueLock);
    m_counters = {};
    m_queue.shortcuts.lastShortcutId = -1;
}

// ---- the queue build ----

void CSlideshowEngine::BuildQueue(std::vector<int> ids) {
    if (m_shuttingDown)
        return;
    m_building = true; // before the pause, so that the status reads as a build's
    Pause();
    if (m_build.thread.joinable()) {
        // The build under way is told to stop; this one follows when it has ended.
        m_build.running->store(0);
        m_pendingIds = std::move(ids);
        return;
    }
    StartBuild(std::move(ids));
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
    const bool pauseFirst = m_snapshot.pauseOnStartup && m_firstBuild;
    m_firstBuild = false;
    emit queueBuilt(m_photosQueued);
    if (pauseFirst || m_photosQueued == 0) {
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

// ---- the change ----

void CSlideshowEngine::StartChange() {
    if (m_shuttingDown || m_building || (m_paused && !m_nextRequested))
        return;
    if (m_change.thread.joinable()) {
        m_changeAgain = true; // one change at a time: this one follows
        return;
    }
    int shortcutId = -1;
    int shortcutCount = 0;
    {
        std::lock_guard lock(m_queueLock);
        if (m_queue.photos.empty())
            return;
        shortcutCount = int(m_queue.shortcuts.entries.size());
        shortcutId = m_queue.shortcuts.Choose(m_random, FileTimeSeedNow());
    }
    // The screen is read here, on the main thread; a new size gets a new background.
    const QSize screen = m_setup.screenSize ? m_setup.screenSize() : m_screen;
    if (screen != m_screen) {
        m_screen = screen;
        m_background =
            CBackgroundRenderer::RenderBackground(m_snapshot.render.background, m_screen);
    }
    const bool bypassIdle = m_bypassIdle || m_nextRequested;
    bool idle = true;
    if (!bypassIdle && m_snapshot.idleOnly && m_setup.idleMs)
        idle = m_setup.idleMs() / 1000 > m_snapshot.idleSeconds;
    m_change.running = std::make_shared<std::atomic<int>>(1);
    const quint64 generation = ++m_change.generation;
    const auto running = m_change.running;
    m_change.thread = StartWorker([this, snapshot = m_snapshot, background = m_background,
                                   shortcutId, shortcutCount, idle, running, generation] {
        const ChangeOutcome outcome =
            idle ? RunChange(snapshot, background, shortcutId, shortcutCount, *running)
                 : ChangeOutcome{ChangeOutcome::IdleDeferred, {}, -1, false};
        m_inbox.Post([this, generation, outcome] { OnChangeDone(generation, outcome); });
    });
}

// On the change job's thread: chooses a photo and composes it, drawing again when the photo
// chosen turns out unreadable, so that the wallpaper only ever changes to a photo.
CSlideshowEngine::ChangeOutcome CSlideshowEngine::RunChange(const SlideshowSnapshot& snapshot,
                                                            const QImage& background,
                                                            int shortcutId, int shortcutCount,
                                                            const std::atomic<int>& running) {
    for (;;) {
        if (!running)
            return {};
        QString path;
        int orientation = kLandscape;
        int tag = -1;
        {
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
            m_queue.shortcuts.MarkVisited(tag);
            m_queue.shortcuts.lastShortcutId = tag;
            return {ChangeOutcome::Applied, path, tag, true};
        }
        case ComposeResult::PhotoUnreadable: {
            // Never drawn again in this queue; another photo is drawn at once.
            std::lock_guard lock(m_queueLock);
            for (PhotoEntry& e : m_queue.photos)
                if (e.path == path)
                    e.unreadable = 1;
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

void CSlideshowEngine::OnChangeDone(quint64 generation, const ChangeOutcome& outcome) {
    Finish(m_change);
    if (m_shuttingDown || generation != m_change.generation)
        return;
    switch (outcome.kind) {
    case ChangeOutcome::Applied:
        m_bypassIdle = false;
        m_retries = 0;
        emit wallpaperApplied(outcome.photo);
        if (!(m_nextRequested && m_paused))
            RearmAfter(kAfterChangeMs);
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
    m_paused = true;
    m_autoPaused = false;
    m_nextRequested = false;
    m_intervalTimer.stop();
    m_rearmTimer.stop();
    if (m_change.running)
        m_change.running->store(0);
    m_changeAgain = false;
    emit pausedChanged(true);
    UpdateStatus();
}

void CSlideshowEngine::Resume() {
    m_paused = false;
    m_pausedUnable = false;
    m_bypassIdle = true;
    m_nextRequested = false;
    emit pausedChanged(false);
    StartChange();
    UpdateStatus();
}

void CSlideshowEngine::Next() {
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
}

void CSlideshowEngine::PauseAndClear() {
    Pause();
    ClearWallpaper();
}

void CSlideshowEngine::Shutdown() {
    if (m_shuttingDown)
        return;
    m_shuttingDown = true;
    for (QTimer* timer : {&m_intervalTimer, &m_rearmTimer, &m_builtTimer, &m_unableTimer})
        timer->stop();
    for (Job* job : {&m_build, &m_change})
        if (job->running)
            job->running->store(0);
    Finish(m_build);
    Finish(m_change);
}

// ---- what it reports ----

QString CSlideshowEngine::StatusText() const {
    if (m_building)
        return QStringLiteral("Queueing Wallpaper Photos...");
    if (m_paused && !m_autoPaused)
        return QStringLiteral("Paused");
    if (m_photosQueued > 0)
        return QStringLiteral("%1 %2 Queued")
            .arg(FormatNumber(m_photosQueued),
                 m_photosQueued == 1 ? QStringLiteral("Photo") : QStringLiteral("Photos"));
    return QStringLiteral("Ready");
}

QString CSlideshowEngine::Tooltip() const {
    if (m_photosQueued > 0)
        return kTooltipTitle +
               QStringLiteral("\n%1 Queued").arg(FormatCount("Photo", m_photosQueued));
    return kTooltipTitle;
}

SlideshowCounters CSlideshowEngine::Counters() {
    std::lock_guard lock(m_queueLock);
    return m_counters;
}

void CSlideshowEngine::UpdateStatus() {
    emit statusChanged(StatusText(), Tooltip());
}

} // namespace skyloom
