// The composer's own JPEG decoder and encoder against Qt's JPEG plugin, over real files of
// every kind a camera or an editor writes: the pictures must come out as Qt's reader gives them
// (orientation applied), at every scale, and the wallpaper file as Qt's writer makes it.

#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "composer/ImageToolkit.h"
#include "composer/JpegCodec.h"

#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

using namespace skyloom;
using skyloom::test::Encoded;
using skyloom::test::WriteFile;

namespace {

// Smooth ramps with hard edges across them, at a size that is no multiple of 8 or 16, so that
// the partial blocks at the right and bottom edges are decoded too.
QImage Detailed(int w = 203, int h = 117) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, ((x / 13 + y / 9) % 2) ? 230 : 20));
    return image;
}

// The largest difference of any channel between two pictures of the same size, or 256 when
// their sizes differ.
int LargestDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 256;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

QImage ReadWithQt(const QString& path, const QSize& scaledSize = QSize()) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (scaledSize.isValid())
        reader.setScaledSize(scaledSize);
    return reader.read();
}

} // namespace

class TestJpegCodec : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // A JPEG written by ImageMagick from the detailed picture with the options given.
    QByteArray Converted(const QStringList& options) {
        const QString source = Path("source.png");
        const QString target = Path("converted.jpg");
        if (!Detailed().save(source) ||
            QProcess::execute("convert", QStringList{source} + options + QStringList{target}) != 0)
            return {};
        return test::ReadAll(target);
    }

private slots:
    // Every kind of JPEG decodes to the very pixels Qt's reader gives, turned by its EXIF
    // orientation the same way.
    void decodesAsQtDoes_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray baseline = Encoded(Detailed(), "JPEG", 90);
        QTest::newRow("baseline 4:2:0") << baseline;
        QTest::newRow("progressive") << test::ProgressiveJpeg(Detailed());
        QTest::newRow("4:4:4") << Converted({"-sampling-factor", "1x1", "-quality", "92"});
        QTest::newRow("4:2:2") << Converted({"-sampling-factor", "2x1", "-quality", "92"});
        QTest::newRow("restart markers")
            << Converted({"-define", "jpeg:restart-interval=2", "-quality", "85"});
        QTest::newRow("greyscale")
            << Encoded(Detailed().convertToFormat(QImage::Format_Grayscale8), "JPEG", 90);
        QTest::newRow("CMYK") << Converted({"-colorspace", "CMYK", "-quality", "92"});
        for (int orientation = 1; orientation <= 8; ++orientation)
            QTest::addRow("EXIF orientation %d", orientation)
                << test::WithExifOrientation(baseline, orientation);
        // libjpeg fills in what a cut file lacks; the two decoders show the same.
        QTest::newRow("truncated") << baseline.left(baseline.size() * 6 / 10);
        QTest::newRow("truncated progressive") << test::ProgressiveJpeg(Detailed()).chopped(700);
    }

    void decodesAsQtDoes() {
        QFETCH(QByteArray, bytes);
        QVERIFY(!bytes.isEmpty());
        const QString path = Path("photo.jpg");
        QVERIFY(WriteFile(path, bytes));
        const QImage qt = ReadWithQt(path);
        QVERIFY(!qt.isNull());
        const QImage ours = DecodeImage(path);
        QCOMPARE(ours.format(), QImage::Format_RGB32);
        QCOMPARE(ours.size(), qt.size());
        QVERIFY2(LargestDifference(ours, qt) == 0,
                 qPrintable(QString::number(LargestDifference(ours, qt))));
    }

    // Scaled in the decoder, the picture is what Qt's reader gives at the same libjpeg scale.
    void decodesScaledAsQtDoes_data() {
        QTest::addColumn<int>("eighths");
        QTest::newRow("half") << 4;
        QTest::newRow("quarter") << 2;
        QTest::newRow("eighth") << 1;
    }

    void decodesScaledAsQtDoes() {
        QFETCH(int, eighths);
        const QString path = Path("large.jpg");
        // A multiple of 8 but not of 16, so that the scaled sizes are whole and the last row of
        // 4:2:0 blocks is half full.
        QVERIFY(WriteFile(path, Encoded(Detailed(1288, 728), "JPEG", 90)));
        const QImage ours = DecodeJpeg(path, eighths);
        const QSize size(1288 * eighths / 8, 728 * eighths / 8);
        QCOMPARE(JpegScaledSize(QSize(1288, 728), eighths), size);
        // Qt's reader asks libjpeg for the same scale when given the size it makes.
        const QImage qt = ReadWithQt(path, size);
        QCOMPARE(qt.size(), size);
        QVERIFY2(LargestDifference(ours, qt) == 0,
                 qPrintable(QString::number(LargestDifference(ours, qt))));
    }

    // What is not a JPEG libjpeg decodes gives a null picture, not a crash.
    void refusesWhatItCannotDecode() {
        const QString path = Path("bad.jpg");
        for (const QByteArray& bytes : {QByteArray(), QByteArray("\xFF\xD8\xFF", 3),
                                        QByteArray(3000, '\x11'), Encoded(Detailed(), "PNG")}) {
            QVERIFY(WriteFile(path, bytes));
            QVERIFY(DecodeJpeg(path).isNull());
        }
        QVERIFY(DecodeJpeg(Path("missing.jpg")).isNull());
        QVERIFY(DecodeJpeg(Path("bad.jpg"), 0).isNull());
    }

    // The wallpaper file is the very file Qt's writer made before: the same bytes, from every
    // 32-bit format the composer hands it.
    void encodesAsQtDoes_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<int>("quality");
        QTest::newRow("RGB32 at 100") << Detailed() << 100;
        QTest::newRow("RGB32 at 75") << Detailed() << 75;
        QImage dense = Detailed(640, 360);
        dense.setDotsPerMeterX(5050);
        dense.setDotsPerMeterY(1949);
        QTest::newRow("other resolution") << dense << 100;
        QTest::newRow("ARGB32") << Detailed().convertToFormat(QImage::Format_ARGB32) << 100;
        QTest::newRow("premultiplied ARGB32")
            << Detailed().convertToFormat(QImage::Format_ARGB32_Premultiplied) << 100;
        QTest::newRow("RGB888") << Detailed().convertToFormat(QImage::Format_RGB888) << 100;
    }

    void encodesAsQtDoes() {
        QFETCH(QImage, image);
        QFETCH(int, quality);
        const QByteArray ours = EncodeJpeg(image, quality);
        QVERIFY(ours.startsWith("\xFF\xD8") && ours.endsWith("\xFF\xD9"));
        QVERIFY(ours == Encoded(image, "JPEG", quality));
        // And through SaveImage, which replaces the wallpaper file.
        const QString path = Path("wallpaper.jpg");
        QVERIFY(SaveImage(image, path, "image/jpeg", quality));
        QVERIFY(test::ReadAll(path) == ours);
    }
};

SKYLOOM_TEST_MAIN(TestJpegCodec, QGuiApplication)
#include "tst_jpeg_codec.moc"
