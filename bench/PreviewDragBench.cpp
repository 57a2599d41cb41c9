// Dragging the scale slider of the Wallpaper Settings page over a 3-D preview, as a hand does:
// one step every 16 ms, up and down the range three times. Measures how long the user-interface
// thread is kept from its event loop (the longest gap between the beats of a 1 ms timer, and the
// longest slider step), how many pictures the preview showed and how long a picture takes to
// follow the last edit.

#include "Commands.h"
#include "settings/CAppSettings.h"
#include "ui/pages/CPPDLGWallpaperSettings.h"
#include "ui/pages/CXDesktopST.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace skyloom;

namespace {

int PreviewDrag(const QStringList& args) {
    const int orientation = args.value(0, QStringLiteral("portrait")) == "landscape" ? 2 : 1;
    QTemporaryDir dir;
    CAppSettings settings;
    settings.SetSettingsPath(dir.path() + "/Settings.skdat");
    settings.SetBackgroundImagePath(dir.path() + "/SKBackground.png");
    settings.m_nOrientationFilter = orientation;
    settings.m_nPortraitPosition = 6;  // Center Right - 3D
    settings.m_nLandscapePosition = 4; // Center Left - 3D
    settings.m_bGlassReflection = 1;
    settings.m_nBackgroundType = 1;
    CPPDLGWallpaperSettings page(&settings);
    page.Initialize();
    page.show();
    CXDesktopST& preview = page.Preview();
    QElapsedTimer wait;
    wait.start();
    while (!preview.IsCurrent() && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    auto* slider =
        page.findChild<QSlider*>(orientation == 1 ? "portraitScaleSlider" : "landscapeScaleSlider");

    // The beat: the longest time the event loop was away.
    QElapsedTimer clock;
    clock.start();
    qint64 lastBeat = clock.nsecsElapsed();
    double longestGapMs = 0;
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGapMs = std::max(longestGapMs, (now - lastBeat) / 1e6);
        lastBeat = now;
    });
    int shown = 0;
    qint64 lastEdit = 0;
    std::vector<double> follow; // from the last edit to its picture, once the drag pauses
    QObject::connect(&preview, &CXDesktopST::composed, [&] {
        ++shown;
        follow.push_back((clock.nsecsElapsed() - lastEdit) / 1e6);
    });

    // Up and down three times, a step every 16 ms.
    std::vector<int> values;
    for (int pass = 0; pass < 3; ++pass) {
        for (int v = 51; v <= 100; ++v)
            values.push_back(v);
        for (int v = 99; v >= 50; --v)
            values.push_back(v);
    }
    std::vector<double> stepMs;
    std::size_t next = 0;
    QTimer drag;
    drag.setTimerType(Qt::PreciseTimer);
    slider->setSliderDown(true);
    QObject::connect(&drag, &QTimer::timeout, [&] {
        if (next == values.size()) {
            drag.stop();
            slider->setSliderDown(false);
            return;
        }
        const qint64 start = clock.nsecsElapsed();
        slider->setValue(values[next++]);
        lastEdit = clock.nsecsElapsed();
        stepMs.push_back((lastEdit - start) / 1e6);
    });
    lastBeat = clock.nsecsElapsed();
    beat.start(1);
    drag.start(16);
    while (drag.isActive() || !preview.IsCurrent())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    beat.stop();
    std::sort(stepMs.begin(), stepMs.end());
    std::sort(follow.begin(), follow.end());
    std::printf("orientation=%s edits=%zu pictures_shown=%d longest_event_loop_gap_ms=%.1f "
                "longest_step_ms=%.2f median_step_ms=%.2f median_picture_after_edit_ms=%.1f "
                "drag_s=%.2f\n",
                orientation == 1 ? "portrait" : "landscape", values.size(), shown, longestGapMs,
                stepMs.back(), stepMs[stepMs.size() / 2],
                follow.empty() ? 0.0 : follow[follow.size() / 2], clock.elapsed() / 1000.0);
    return 0;
}

const RegisterBench drag("preview-drag", {"[portrait|landscape]", PreviewDrag, true});

} // namespace
