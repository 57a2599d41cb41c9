#pragma once

#include "composer/PreviewComposer.h"

#include <QImage>
#include <QWidget>

#include <atomic>
#include <memory>

class QThread;

namespace skyloom {

class PreviewWorker;

// The picture of a monitor whose screen shows the background alone, or a sample photo composed
// over it with the photo options, as the settings pages edit them. The composition runs on a
// worker of its own, never in a paint: a repaint draws the last result, an edit composes again
// off the user-interface thread, and of edits made faster than they can be composed only the
// latest is drawn (older compositions are cancelled or dropped).
class CXDesktopST final : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kMonitorSize{204, 163};
    // Where the monitor's screen lies in the control: (9, 12) to (200, 133).
    static constexpr QRect kScreenRect{9, 12, 191, 121};

    explicit CXDesktopST(QWidget* parent = nullptr);
    ~CXDesktopST() override;

    // Background only, or the sample photo over it.
    void SetPhotoMode(bool photoMode);
    void SetDrawFrame(bool drawFrame);
    // The background fields; the image field names the picture drawn for an image background
    // (the pages pass the background thumbnail).
    void SetBackground(const BackgroundSettings& background);
    // The picture is read again even when the path is the same: the file may have been written
    // anew.
    void SetImagePath(const QString& path);
    // The eight photo options and the glass reflection; the background fields are left alone.
    void SetPhotoOptions(const RenderOptions& options);
    void SetGlassReflection(bool on);
    // Which sample is shown: kPortrait or kLandscape. Repainted only when it changes.
    void SetShownOrientation(int orientation);
    int ShownOrientation() const { return m_scene.shownOrientation; }

    const PreviewScene& Scene() const { return m_scene; }
    // What the screen shows now; null before the first composition.
    const QImage& Composed() const { return m_composed; }
    // True when the picture shown is that of the latest settings.
    bool IsCurrent() const { return !m_composed.isNull() && m_shownGeneration == m_generation; }
    // How many compositions were asked of the worker since the control was made.
    int CompositionsStarted() const { return m_started; }

    QSize sizeHint() const override { return kMonitorSize; }

signals:
    // A composition of the latest settings is on the screen.
    void composed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The scene changed: composed again when the control is visible, else when it is shown.
    void Changed();
    void Compose();
    void Take(quint64 generation, const QImage& picture);

    PreviewScene m_scene;
    bool m_drawFrame = true;
    qreal m_ratio = 1;
    QImage m_monitor;
    QImage m_composed;
    quint64 m_generation = 0;      // of the latest settings
    quint64 m_shownGeneration = 0; // of the picture shown
    bool m_dirty = true;
    int m_started = 0;
    std::shared_ptr<std::atomic<int>> m_run; // the composition under way
    std::shared_ptr<std::atomic<quint64>> m_latest;
    QThread* m_thread = nullptr;
    PreviewWorker* m_worker = nullptr;
};

} // namespace skyloom
