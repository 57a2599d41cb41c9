// Gradient backgrounds: the time of every fill direction with every transformation at a
// screen size (default 3840x2160), median of five.

#include "Commands.h"
#include "composer/CBackgroundRenderer.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace skyloom;

namespace {

int Gradient(const QStringList& args) {
    QSize size(3840, 2160);
    if (args.size() == 1) {
        const QStringList parts = args[0].split('x');
        if (parts.size() != 2)
            return 2;
        size = QSize(parts[0].toInt(), parts[1].toInt());
    }
    double slowest = 0;
    QString slowestPair;
    for (int direction : {kHorizontal, kVertical, kRadial, kForwardDiagonal, kBackwardDiagonal})
        for (int transform : {kNoTransform, kCaricature, kFisheye, kWave, kShift}) {
            std::vector<double> runs;
            for (int i = 0; i < 5; ++i) {
                QElapsedTimer timer;
                timer.start();
                const QImage image = CBackgroundRenderer::RenderGradient(size, 0xFF0000, 0xFFFFFF,
                                                                         direction, transform);
                runs.push_back(timer.nsecsElapsed() / 1e6);
            }
            std::sort(runs.begin(), runs.end());
            std::printf("direction=%d transform=%d median_ms=%.1f\n", direction, transform,
                        runs[2]);
            if (runs[2] > slowest) {
                slowest = runs[2];
                slowestPair = QString("%1/%2").arg(direction).arg(transform);
            }
        }
    std::printf("slowest=%s ms=%.1f\n", qPrintable(slowestPair), slowest);
    return 0;
}

const RegisterBench gradient("gradient", {"[WIDTHxHEIGHT]", Gradient});

} // namespace
