// The imaging operations the composer is built on, over real image files: decoding every
// format with its orientation, decoding scaled down, bad and huge files, colour matrices and
// keys, the blur, the gradient brush, pixel reads, encoders and the raw pixel buffer.

#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "composer/CRawBitmap.h"
#include "composer/ImageToolkit.h"
#include "composer/JpegFrame.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QProcess>

using namespace skyloom;
using skyloom::test::Encoded;
using skyloom::test::JpegDeclaring;
using skyloom::test::Quadrants;
using skyloom::test::WriteFile;

namespace {

// Forgets the process's peak memory so far, so that the next PeakKiB is the peak from here on
// rather than that of an earlier, larger step (Linux 4.0 and later).
void ResetPeak() {
    QFile file("/proc/self/clear_refs");
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

// The process's peak resident memory since it started or since ResetPeak.
long PeakKiB() {
    QFile file("/proc/self/status");
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray BigEndian(quint32 v) {
    const char bytes[] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(bytes, 4);
}

QByteArray PngChunk(const QByteArray& type, const QByteArray& data) {
    return BigEndian(quint32(data.size())) + type + data + BigEndian(Crc32(type + data));
}

// A PNG whose header declares width x height but which holds next to no data.
QByteArray PngDeclaring(quint32 width, quint32 height) {
    const QByteArray header =
        BigEndian(width) + BigEndian(height) + QByteArray("\x08\x06\0\0\0", 5);
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header) +
           PngChunk("IDAT", QByteArray("\x78\x9C\x03\0\0\0\0\x01", 8)) + PngChunk("IEND", {});
}

// A whole black 1-bit greyscale PNG: a few kilobytes that decode to width x height bits.
QByteArray BlackOneBitPng(quint32 width, quint32 height) {
    const QByteArray header =
        BigEndian(width) + BigEndian(height) + QByteArray("\x01\x00\0\0\0", 5);
    const QByteArray rows(qsizetype((width + 7) / 8 + 1) * height, '\0');
    const QByteArray zlib = qCompress(rows, 9).mid(4); // less Qt's length prefix
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", zlib) +
           PngChunk("IEND", {});
}

// A JPEG's bytes with one byte changed at the given distance after the first occurrence of
// the marker.
QByteArray Patched(QByteArray jpeg, const char* marker, int offset, char value) {
    jpeg[jpeg.indexOf(marker) + offset] = value;
    return jpeg;
}

bool Near(QRgb a, QRgb b, int tolerance = 24) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class TestImageToolkit : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void decodesEveryFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QImage picture = Quadrants(64, 48);
        QTest::newRow("JPEG") << "a.jpg" << Encoded(picture, "JPEG");
        QTest::newRow("progressive JPEG") << "p.jpg" << test::ProgressiveJpeg(picture);
        QTest::newRow("BMP") << "a.bmp" << Encoded(picture, "BMP");
        QTest::newRow("PNG") << "a.png" << Encoded(picture, "PNG");
        QTest::newRow("TIFF") << "a.tif" << Encoded(picture, "TIFF");
        QTest::newRow("PNG named .jpg") << "png.jpg" << Encoded(picture, "PNG");
        QTest::newRow("greyscale JPEG")
            << "grey.jpg" << Encoded(picture.convertToFormat(QImage::Format_Grayscale8), "JPEG");
        QTest::newRow("16-bit PNG")
            << "deep.png" << Encoded(picture.convertToFormat(QImage::Format_RGBA64), "PNG");
        QTest::newRow("palette PNG")
            << "palette.png" << Encoded(picture.convertToFormat(QImage::Format_Indexed8), "PNG");
        QTest::newRow("CMYK JPEG") << "cmyk.jpg" << QByteArray(); // made by ImageMagick below
    }

    void decodesEveryFormat() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = Path(name);
        if (bytes.isEmpty()) {
            QVERIFY(Quadrants(64, 48).save(Path("cmyk-source.png")));
            QCOMPARE(QProcess::execute("convert", {Path("cmyk-source.png"), "-colorspace", "CMYK",
                                                   "-quality", "95", path}),
                     0);
        } else {
            QVERIFY(WriteFile(path, bytes));
        }
        QCOMPARE(ReadImageSize(path), QSize(64, 48));
        const QImage image = DecodeImage(path);
        QCOMPARE(image.size(), QSize(64, 48));
        const bool grey = name.startsWith("grey");
        const QImage source =
            grey ? Quadrants(64, 48).convertToFormat(QImage::Format_Grayscale8) : Quadrants(64, 48);
        QVERIFY(Near(image.pixel(4, 4), source.pixel(4, 4)));
        QVERIFY(Near(image.pixel(60, 44), source.pixel(60, 44)));
    }

    void orientationIsApplied() {
        const QString path = Path("turned.jpg");
        QVERIFY(WriteFile(path, test::WithExifOrientation(Encoded(Quadrants(40, 20), "JPEG"), 6)));
        QCOMPARE(ReadImageSize(path), QSize(20, 40));
        const QImage image = DecodeImage(path);
        QCOMPARE(image.size(), QSize(20, 40));
        // Turned a quarter clockwise: the bottom-left (blue) quadrant comes to the top left.
        QVERIFY(Near(image.pixel(2, 2), qRgb(0, 0, 255)));
    }

    void decodesJpegScaledDown_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("needed");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("a quarter covers") << 1 << QSize(350, 250) << QSize(400, 300);
        QTest::newRow("an eighth covers") << 1 << QSize(200, 150) << QSize(200, 150);
        QTest::newRow("half does not cover") << 1 << QSize(900, 700) << QSize(1600, 1200);
        QTest::newRow("no size asked") << 1 << QSize() << QSize(1600, 1200);
        QTest::newRow("turned photo") << 6 << QSize(250, 350) << QSize(300, 400);
    }

    void decodesJpegScaledDown() {
        QFETCH(int, orientation);
        QFETCH(QSize, needed);
        QFETCH(QSize, decoded);
        const QString path = Path(QString("big%1.jpg").arg(orientation));
        QVERIFY(WriteFile(
            path, test::WithExifOrientation(Encoded(Quadrants(1600, 1200), "JPEG"), orientation)));
        const QImage image = DecodeImageCovering(path, needed);
        QCOMPARE(image.size(), decoded);
        QVERIFY(Near(image.pixel(image.width() - 3, image.height() - 3),
                     orientation == 1 ? qRgb(255, 255, 0) : qRgb(0, 255, 0)));
    }

    void badFilesNeitherCrashNorHang_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = Encoded(Quadrants(400, 300), "JPEG");
        QTest::newRow("zero bytes") << "empty.jpg" << QByteArray();
        QTest::newRow("truncated JPEG") << "cut.jpg" << jpeg.left(jpeg.size() / 2);
        QTest::newRow("random bytes") << "noise.jpg" << QByteArray(5000, '\x5A');
        QTest::newRow("text called .png") << "text.png" << QByteArray("hello, world\n");
        QTest::newRow("30000x30000 PNG") << "huge.png" << PngDeclaring(30000, 30000);
        QTest::newRow("65000x65000 JPEG") << "huge.jpg" << JpegDeclaring(65000, 65000);
        // Not a multiple of 8: an eighth is 8126 rows decoded and 8125 asked of Qt, which
        // together do not fit the limit.
        QTest::newRow("65001x65001 JPEG") << "huge.jpg" << JpegDeclaring(65001, 65001);
        // Turned over by its EXIF orientation, an eighth of it (252 MiB) is turned where it
        // lies; turned a quarter, it needs a second copy and is refused.
        QTest::newRow("65000x65000 JPEG upside down")
            << "huge.jpg" << test::WithExifOrientation(JpegDeclaring(65000, 65000), 3);
        QTest::newRow("65000x65000 JPEG mirrored")
            << "huge.jpg" << test::WithExifOrientation(JpegDeclaring(65000, 65000), 2);
        QTest::newRow("65000x65000 JPEG turned a quarter")
            << "huge.jpg" << test::WithExifOrientation(JpegDeclaring(65000, 65000), 6);
        // 50 MB as 1-bit pixels, 1.6 GB at 32 bits.
        QTest::newRow("20000x20000 1-bit PNG") << "mono.png" << BlackOneBitPng(20000, 20000);
        // libjpeg would hold 2.7 GB of coefficients for it at any scale: refused.
        QTest::newRow("30000x30000 progressive JPEG")
            << "progressive.jpg" << JpegDeclaring(30000, 30000, true);
    }

    void badFilesNeitherCrashNorHang() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = Path(name);
        QVERIFY(WriteFile(path, bytes));
        for (const QSize& needed : {QSize(), QSize(1920, 1080)}) {
            ResetPeak();
            const long before = PeakKiB();
            QElapsedTimer timer;
            timer.start();
            const QImage image = DecodeImageCovering(path, needed);
            QVERIFY(timer.elapsed() < 10000);
            // Nothing near the declared size is allocated: at most the decode limit.
            QVERIFY2(PeakKiB() - before < kImageLimitMiB * 1024 + 32 * 1024,
                     qPrintable(QString::number(PeakKiB() - before)));
            if (name == "cut.jpg") // what the file holds may still be shown
                QVERIFY(image.isNull() || image.size() == QSize(400, 300));
            else if (name == "huge.jpg") // refused, or decoded at an eighth
                QVERIFY(image.isNull() || image.width() <= 65001 / 8 + 1);
            else
                QVERIFY(image.isNull());
        }
    }

    void jpegFrames_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("multiScan");
        QTest::addColumn<qint64>("coefficientBytes");
        const QByteArray baseline = Encoded(Quadrants(16, 16), "JPEG");
        const QByteArray progressive = test::ProgressiveJpeg(Quadrants(16, 16));
        // 16x16 at 4:2:0: four luma blocks and one of each chroma, 128 bytes a block.
        QTest::newRow("baseline") << baseline << true << false << qint64(0);
        QTest::newRow("progressive") << progressive << true << true << qint64(6 * 128);
        QTest::newRow("components in separate scans")
            << Patched(baseline, "\xFF\xDA", 4, 1) << true << true << qint64(6 * 128);
        // libjpeg passes over stuffed zeros between segments; a walk that took FF 00 for a
        // marker would read the wrong frame.
        QTest::newRow("stuffed zero before the frame")
            << QByteArray(progressive).insert(2, "\xFF\x00", 2) << true << true << qint64(6 * 128);
        QTest::newRow("sampling factor 0")
            << Patched(baseline, "\xFF\xC0", 11, 0x01) << false << false << qint64(0);
        QTest::newRow("lossless frame")
            << Patched(baseline, "\xFF\xC0", 1, char(0xC3)) << false << false << qint64(0);
        QTest::newRow("two frames")
            << QByteArray(baseline).insert(baseline.indexOf("\xFF\xC0"),
                                           baseline.mid(baseline.indexOf("\xFF\xC0"), 19))
            << false << false << qint64(0);
        QTest::newRow("no scan") << baseline.left(baseline.indexOf("\xFF\xDA")) << false << false
                                 << qint64(0);
        QTest::newRow("not a JPEG")
            << Encoded(Quadrants(16, 16), "PNG") << false << false << qint64(0);
    }

    void jpegFrames() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        QFETCH(bool, multiScan);
        QFETCH(qint64, coefficientBytes);
        QVERIFY(WriteFile(Path("frame.jpg"), bytes));
        const std::optional<JpegFrame> frame = ReadJpegFrame(Path("frame.jpg"));
        QCOMPARE(frame.has_value(), read);
        if (!frame)
            return;
        QCOMPARE(QSize(frame->width, frame->height), QSize(16, 16));
        QCOMPARE(frame->multiScan, multiScan);
        QCOMPARE(frame->coefficientBytes, coefficientBytes);
    }

    void colourKeysAndMatrix() {
        QImage source(3, 1, QImage::Format_ARGB32);
        source.setPixel(0, 0, 0xFFFF0000u);
        source.setPixel(1, 0, 0xFF800080u); // the key colour
        source.setPixel(2, 0, 0x40800080u); // the key colour at any alpha
        ImageAttributes greyHalf;
        greyHalf.key = ColorKey{0xFF800080u, 0xFF800080u};
        ColorMatrix m;
        for (int row = 0; row < 3; ++row) {
            const float weight[] = {0.299f, 0.587f, 0.114f};
            for (int c = 0; c < 3; ++c)
                m.m[row][c] = weight[row];
        }
        m.m[3][3] = 0.5f;
        m.m[4][4] = 1;
        greyHalf.matrix = m;
        const QImage out = ApplyAttributes(source, greyHalf);
        QCOMPARE(out.pixel(0, 0), qRgba(76, 76, 76, 128));
        QCOMPARE(qAlpha(out.pixel(1, 0)), 0);
        QCOMPARE(qAlpha(out.pixel(2, 0)), 0);

        ImageAttributes identity;
        identity.matrix = ColorMatrix::Identity();
        QCOMPARE(ApplyAttributes(source, identity), source);
    }

    void blurReachesItsRadius() {
        QImage dot(31, 31, QImage::Format_ARGB32);
        dot.fill(Qt::black);
        dot.setPixel(15, 15, 0xFFFFFFFFu);
        BlurImage(dot, 6.0);
        QVERIFY(qRed(dot.pixel(15, 15)) > qRed(dot.pixel(16, 15)));
        QCOMPARE(dot.pixel(9, 15), dot.pixel(21, 15)); // symmetric
        QCOMPARE(dot.pixel(15, 9), dot.pixel(15, 21));
        QCOMPARE(qRed(dot.pixel(15, 8)), 0); // nothing beyond 6 pixels
        int total = 0;
        for (int y = 0; y < 31; ++y)
            for (int x = 0; x < 31; ++x)
                total += qRed(dot.pixel(x, y));
        QVERIFY(std::abs(total - 255) < 40); // the light is spread, not lost

        QImage flat(20, 10, QImage::Format_RGB32);
        flat.fill(0xFF336699u);
        BlurImage(flat, 6.0);
        QCOMPARE(flat.pixel(0, 0), 0xFF336699u); // edges repeat, so no dark rim
        QCOMPARE(flat.pixel(19, 9), 0xFF336699u);
    }

    void bandsComeOutAsInTheWholeImage_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("firstRow");
        QTest::newRow("one strip of columns") << 64 << 40;
        QTest::newRow("several strips, the last one part full") << 150 << 40;
        QTest::newRow("band within reach of the top") << 150 << 3;
        QTest::newRow("narrower than the blur") << 5 << 40;
    }

    void bandsComeOutAsInTheWholeImage() {
        // Reflections are made only for the rows that reach the screen; those rows must be
        // exactly what the whole image would give, and the rows above them stay as they were.
        QFETCH(int, width);
        QFETCH(int, firstRow);
        QImage whole =
            test::Quadrants(width, 90).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < 90; y += 7)
            whole.setPixel(y * 5 % width, y, 0xFF102030u);
        const QImage original = whole.copy();
        QImage band = whole.copy();
        // The band first, so that no scratch memory left by the whole-image blur can stand in
        // for rows the band failed to compute.
        BlurImage(band, 6.0, firstRow);
        FillVerticalGradient(band, 0xFF336699u, 0x00FFFFFFu, firstRow);
        BlurImage(whole, 6.0);
        FillVerticalGradient(whole, 0xFF336699u, 0x00FFFFFFu);
        const int rows = 90 - firstRow;
        QCOMPARE(band.copy(0, firstRow, width, rows), whole.copy(0, firstRow, width, rows));
        QCOMPARE(band.copy(0, 0, width, firstRow), original.copy(0, 0, width, firstRow));
    }

    void gradientBrushFlipAndPixels() {
        QImage canvas(4, 40, QImage::Format_RGB32);
        QPainter painter(&canvas);
        FillVerticalGradient(painter, QRectF(0, 0, 4, 40), QRectF(0, 0, 4, 20), 0xFF000000u,
                             0xFFFFFFFFu);
        painter.end();
        QVERIFY(qRed(canvas.pixel(0, 0)) < 10);
        QVERIFY(std::abs(qRed(canvas.pixel(0, 10)) - 128) < 12);
        QVERIFY(qRed(canvas.pixel(0, 21)) < 20); // the brush repeats below its rectangle

        const QImage flipped = FlipUpsideDown(Quadrants(10, 10));
        QCOMPARE(flipped.pixel(1, 1), 0xFF0000FFu);
        QCOMPARE(flipped.pixel(8, 1), 0xFFFFFF00u);

        QCOMPARE(ReadPixel(Quadrants(10, 10), 9, 9), 0xFFFFFF00u);
        QCOMPARE(ReadPixel(Quadrants(10, 10), -1, 0), 0xFF000000u);
        QCOMPARE(ReadPixel(Quadrants(10, 10), 0, 10), 0xFF000000u);
    }

    void encodersByExactMimeType() {
        QVERIFY(GetEncoderIndex("image/jpeg") >= 0);
        QVERIFY(GetEncoderIndex("image/png") >= 0);
        QCOMPARE(GetEncoderIndex("image/JPEG"), -1);
        QCOMPARE(GetEncoderIndex("image/jpg"), -1);

        QVERIFY(SaveImage(Quadrants(32, 32), Path("saved.jpg"), "image/jpeg", 100));
        QCOMPARE(DecodeImage(Path("saved.jpg")).size(), QSize(32, 32));
        QVERIFY(!SaveImage(Quadrants(32, 32), Path("nothing.jpg"), "image/JPEG", 100));
        QVERIFY(!QFile::exists(Path("nothing.jpg")));
    }

    void rawBitmap() {
        CRawBitmap raw;
        QVERIFY(raw.Load(Quadrants(6, 4)));
        QCOMPARE(raw.GetPixel(0, 0), 0xFFFF0000u);      // top-left
        QCOMPARE(raw.Row(3)[0], 0xFF0000FFu);           // rows count from the top
        QCOMPARE(raw.GetPixel(-5, 4 + 3), 0xFF0000FFu); // clamped to the bottom-left pixel
        raw.SetPixel(100, -100, 0xFF123456u);           // clamped to the top-right pixel
        QCOMPARE(raw.ToImage().pixel(5, 0), 0xFF123456u);
        QCOMPARE(raw.ToImage().copy(0, 1, 6, 3),
                 Quadrants(6, 4).convertToFormat(QImage::Format_ARGB32).copy(0, 1, 6, 3));

        QVERIFY(!raw.Load(Quadrants(6, 4).convertToFormat(QImage::Format_Indexed8)));
        QVERIFY(raw.IsEmpty());
        QCOMPARE(raw.GetPixel(0, 0), 0u);
        raw.Create(-3, 5);
        QCOMPARE(raw.Width(), 0);
        QVERIFY(raw.IsEmpty());
    }
};

SKYLOOM_TEST_MAIN(TestImageToolkit, QGuiApplication)
#include "tst_image_toolkit.moc"
