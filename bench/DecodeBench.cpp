// Decoding a JPEG: libjpeg straight into the composer's pixels against Qt's JPEG reader at the
// same scale, and encoding the photo shrunk to 3840x2160 at quality 100 against Qt's writer,
// median of five each.

#include "Commands.h"
#include "composer/ImageToolkit.h"
#include "composer/JpegCodec.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace skyloom;

namespace {

double MedianMs(const std::function<void()>& work) {
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        runs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[2];
}

int Decode(const QStringList& args) {
    if (args.isEmpty() || args.size() > 2)
        return 2;
    const QString path = args[0];
    const QSize raw = QImageReader(path).size();
    if (!raw.isValid())
        return 1;
    const std::vector<int> scales = args.size() == 2 ? std::vector<int>{args[1].toInt()}
                                                     : std::vector<int>{8, 7, 6, 5, 4, 2, 1};
    QImage last;
    for (int eighths : scales) {
        const QSize size = JpegScaledSize(raw, eighths);
        const double ours = MedianMs([&] { last = DecodeJpeg(path, eighths); });
        // Qt's reader picks a libjpeg scale of 1/1, 1/2, 1/4 or 1/8 and shrinks the rest.
        const double qt = MedianMs([&] {
            QImageReader reader(path);
            reader.setScaledSize(size);
            QImage image = reader.read();
        });
        std::printf("decode eighths=%d size=%dx%d ours_ms=%.1f qt_ms=%.1f\n", eighths, size.width(),
                    size.height(), ours, qt);
    }
    if (last.isNull())
        return 1;
    last = DecodeJpeg(path).scaled(3840, 2160, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double ours = MedianMs([&] { (void)EncodeJpeg(last, 100); });
    const double qt = MedianMs([&] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(100);
        writer.write(last);
    });
    std::printf("encode size=%dx%d ours_ms=%.1f qt_ms=%.1f\n", last.width(), last.height(), ours,
                qt);
    return 0;
}

const RegisterBench decode("decode", {"JPEG [EIGHTHS]", Decode});

} // namespace
