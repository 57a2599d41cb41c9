#include "CXDesktopST.h"

#include "composer/PreviewComposer.h"
#include "platform/Platform.h"
#include "ui/widgets/Artwork.h"

#include <QPaintEngine>
#include <QPainter>
#include <QThread>

#include <cmath>

namespace skyloom {
namespace {

// The sizes of the two sample photos.
constexpr QSizeF kPortraitSample(201, 252);
constexpr QSizeF kLandscapeSample(325, 190);

} // namespace

// Composes previews on the control's own thread, keeping the background of the last one: an
// edit of the photo options, the usual case while a slider is dragged, draws only the photo
// anew.
class PreviewWorker final : public QObject {
public:
    QImage Compose(const PreviewScene& scene, const std::atomic<int>* run) {
        if (!scene.photoMode)
            return ComposeBackgroundPreview(scene);
        if (m_background.isNull() || !scene.SameBackground(m_backgroundScene)) {
            m_background = RenderPreviewBackground(scene);
            m_backgroundScene = scene;
        }
        return ComposePhotoPreview(scene, m_background, run);
    }

private:
    QImage m_background;
    PreviewScene m_backgroundScene;
};

CXDesktopST::CXDesktopST(QWidget* parent)
    : QWidget(parent), m_latest(std::make_shared<std::atomic<quint64>>(0)) {
    setObjectName(QStringLiteral("desktopPreview"));
    setAccessibleName(QStringLiteral("Desktop Preview"));
    setFixedSize(kMonitorSize);
    // What the control shows before the pages set it.
    BackgroundSettings& bg = m_scene.options.background;
    bg.type = kSolidBackground;
    bg.solidColor = 0xFF0000;
    bg.gradientStart = 0;
    bg.gradientEnd = 0xFFFFFF;
    bg.gradientDirection = kVertical;
    bg.gradientTransform = kNoTransform;
    bg.imageStyle = kFitImage;
    RenderOptions& o = m_scene.options;
    o.portraitPosition = o.landscapePosition = kCenter;
    o.portraitScale = o.landscapeScale = 80;
    o.portraitTransparency = o.landscapeTransparency = 50;
    o.portraitGrayscale = o.landscapeGrayscale = 0;
    o.glassReflection = 1;
    m_scene.shownOrientation = kPortrait;
}

CXDesktopST::~CXDesktopST() {
    if (!m_thread)
        return;
    if (m_run)
        m_run->store(0);
    m_latest->store(~quint64(0)); // whatever is still queued is dropped
    m_thread->quit();
    m_thread->wait();
}

void CXDesktopST::SetPhotoMode(bool photoMode) {
    if (m_scene.photoMode == photoMode)
        return;
    m_scene.photoMode = photoMode;
    Changed();
}

void CXDesktopST::SetDrawFrame(bool drawFrame) {
    m_drawFrame = drawFrame;
    update();
}

void CXDesktopST::SetBackground(const BackgroundSettings& background) {
    PreviewScene next = m_scene;
    next.options.background = background;
    if (next == m_scene)
        return;
    m_scene = std::move(next);
    Changed();
}

void CXDesktopST::SetImagePath(const QString& path) {
    m_scene.options.background.image = path;
    ++m_scene.imageVersion;
    Changed();
}

void CXDesktopST::SetPhotoOptions(const RenderOptions& options) {
    PreviewScene next = m_scene;
    const BackgroundSettings background = next.options.background;
    next.options = options;
    next.options.background = background;
    if (next == m_scene)
        return;
    m_scene = std::move(next);
    Changed();
}

void CXDesktopST::SetGlassReflection(bool on) {
    if ((m_scene.options.glassReflection != 0) == on)
        return;
    m_scene.options.glassReflection = on ? 1 : 0;
    Changed();
}

void CXDesktopST::SetShownOrientation(int orientation) {
    if (m_scene.shownOrientation == orientation)
        return;
    m_scene.shownOrientation = orientation;
    Changed();
}

void CXDesktopST::Changed() {
    ++m_generation;
    m_dirty = true;
    if (isVisible())
        Compose();
}

void CXDesktopST::Compose() {
    m_dirty = false;
    if (!m_thread) {
        // Started with the first picture: a page never shown costs no thread.
        m_thread = new QThread(this);
        m_thread->setObjectName(QStringLiteral("preview"));
        m_worker = new PreviewWorker;
        m_worker->moveToThread(m_thread);
        connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        m_thread->start(QThread::LowPriority);
    }
    const qreal ratio = m_ratio;
    m_scene.size = QSize(int(std::lround(kScreenRect.width() * ratio)),
                         int(std::lround(kScreenRect.height() * ratio)));
    m_scene.screen = platform::Services().desktop->PrimaryScreenSize();
    if (m_scene.photoMode &&
        (m_scene.portraitSample.isNull() ||
         m_scene.portraitSample.size() != (kPortraitSample * ratio).toSize())) {
        // The two sample photos, drawn for the ratio.
        m_scene.portraitSample = Artwork::Render(
            Artwork::Picture(QStringLiteral("sample_portrait")), kPortraitSample.toSize(), ratio);
        m_scene.landscapeSample = Artwork::Render(
            Artwork::Picture(QStringLiteral("sample_landscape")), kLandscapeSample.toSize(), ratio);
        for (QImage* sample : {&m_scene.portraitSample, &m_scene.landscapeSample})
            sample->setDevicePixelRatio(1);
    }
    if (m_run)
        m_run->store(0); // the composition under way is of older settings
    auto run = std::make_shared<std::atomic<int>>(1);
    m_run = run;
    const quint64 generation = m_generation;
    m_latest->store(generation);
    ++m_started;
    QMetaObject::invokeMethod(
        m_worker,
        [this, worker = m_worker, scene = m_scene, run, latest = m_latest, generation, ratio] {
            // A later edit queued behind this one makes it moot.
            if (latest->load() != generation)
                return;
            QImage picture = worker->Compose(scene, run.get());
            if (!run->load() || picture.isNull())
                return;
            picture.setDevicePixelRatio(ratio);
            QMetaObject::invokeMethod(
                this, [this, generation, picture] { Take(generation, picture); },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void CXDesktopST::Take(quint64 generation, const QImage& picture) {
    if (generation != m_generation)
        return; // stale: the latest edit's picture follows
    m_composed = picture;
    m_shownGeneration = generation;
    update();
    emit composed();
}

void CXDesktopST::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const qreal ratio = devicePixelRatioF();
    if (ratio > m_ratio) {
        m_ratio = ratio;
        m_dirty = true;
    }
    if (m_dirty) {
        ++m_generation;
        Compose();
    }
}

void CXDesktopST::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The device drawn on may be finer than the screen (a 2x rendering, a move to a finer
    // monitor): the pictures are composed for the finest seen since.
    const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
    if (ratio > m_ratio) {
        m_ratio = ratio;
        ++m_generation;
        Compose();
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (m_monitor.isNull() || m_monitor.devicePixelRatio() != ratio)
        m_monitor =
            Artwork::Render(Artwork::Picture(QStringLiteral("monitor")), kMonitorSize, ratio);
    painter.drawImage(
        QPoint(width() / 2 - kMonitorSize.width() / 2, height() / 2 - kMonitorSize.height() / 2),
        m_monitor);
    if (!m_composed.isNull())
        painter.drawImage(QRectF(kScreenRect), m_composed, QRectF(m_composed.rect()));
    if (m_drawFrame) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace skyloom
