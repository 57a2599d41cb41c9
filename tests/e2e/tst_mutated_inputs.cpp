// Mutated photos and settings files through the real `skyloom --compose`: every run ends by
// itself (no crash, no hang, no sanitizer report) within the memory bound. The mutations are
// reproducible: case k of a kind always makes the same file. SKYLOOM_MUTATIONS sets how many
// cases each kind runs (a few hundred on every test run; thousands for a campaign), and the
// files of failing cases are kept in mutation-failures/ beside the test program.

#include "MeasuredRun.h"
#include "TestFiles.h"
#include "TestImages.h"
#include "TestMain.h"
#include "TestProcess.h"
#include "settings/CAppSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <algorithm>
#include <random>

using skyloom::test::MeasuredRun;

namespace {

using skyloom::test::kComposePeakLimitKiB;
using skyloom::test::kPeakIsChecked;

#ifdef SKYLOOM_SANITIZED
constexpr int kDefaultCases = 40;
#else
constexpr int kDefaultCases = 150;
#endif
constexpr int kTimeoutSeconds = 60;

// A photo-like picture: colour ramps and a few shapes, so that every encoder has work to do.
QImage Picture(int w, int h) {
    QImage image = skyloom::test::Quadrants(w, h);
    for (int y = 0; y < h; y += 3)
        for (int x = (y / 3) % 5; x < w; x += 5)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x + y) % 256));
    return image;
}

// Changes a few bytes of data the way fuzzers do: random bytes, boundary values written over
// a field, a cut, a repeated block, and for JPEGs a frame declaring another size.
QByteArray Mutate(QByteArray data, std::mt19937& random) {
    const auto below = [&random](qsizetype n) {
        return n <= 0 ? qsizetype(0) : qsizetype(random() % quint32(n));
    };
    static const quint32 kBoundaries[] = {0,          1,          0x7F,       0x80,
                                          0xFF,       0x7FFF,     0x8000,     0xFFFF,
                                          0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x10000};
    const int operations = 1 + int(random() % 3);
    for (int k = 0; k < operations && !data.isEmpty(); ++k) {
        switch (random() % 6) {
        case 0: // random bytes
            for (int i = 0, n = 1 + int(random() % 8); i < n; ++i)
                data[below(data.size())] = char(random());
            break;
        case 1: { // a boundary value over 1, 2 or 4 bytes, either byte order
            const quint32 value = kBoundaries[random() % std::size(kBoundaries)];
            const int width = 1 << (random() % 3);
            const qsizetype at = below(data.size() - width + 1);
            const bool big = random() % 2;
            for (int i = 0; i < width && at + i < data.size(); ++i)
                data[at + i] = char(value >> (8 * (big ? width - 1 - i : i)));
            break;
        }
        case 2: // cut short
            data.truncate(below(data.size()));
            break;
        case 3: { // a block repeated
            const qsizetype from = below(data.size());
            const qsizetype length = std::min<qsizetype>(1 + below(256), data.size() - from);
            data.insert(below(data.size()), data.mid(from, length));
            break;
        }
        case 4: // a span of bytes zeroed
        {
            const qsizetype from = below(data.size());
            const qsizetype length = std::min<qsizetype>(1 + below(64), data.size() - from);
            data.replace(from, length, QByteArray(length, '\0'));
            break;
        }
        default: { // a JPEG frame declaring another size, often a huge one
            for (const char* sof : {"\xFF\xC0", "\xFF\xC2"}) {
                const qsizetype at = data.indexOf(sof);
                if (at >= 0 && at + 8 < data.size())
                    for (int i = 5; i <= 8; ++i)
                        data[at + i] = char(random() % 4 == 0 ? 0xFF : random());
            }
            break;
        }
        }
    }
    return data;
}

int CasesPerKind() {
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("SKYLOOM_MUTATIONS", &ok);
    return ok && asked > 0 ? asked : kDefaultCases;
}

} // namespace

class TestMutatedInputs : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_home;
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Runs the program on the photo and settings; an empty text when it ended as it should.
    QString Check(const QString& photo, const QString& settings, MeasuredRun* run) {
        QProcessEnvironment env = skyloom::test::UserEnvironment(m_home.path(), false);
        // Distinct exit codes, so that a sanitizer's report is never taken for a plain failure.
        const auto withExitCode = [&env](const QString& name, const char* code) {
            const QString given = env.value(name);
            env.insert(name, given + (given.isEmpty() ? "" : ":") + "exitcode=" + code);
        };
        withExitCode("ASAN_OPTIONS", "86");
        withExitCode("UBSAN_OPTIONS", "87");
        *run = skyloom::test::RunMeasured(SKYLOOM_BINARY,
                                          {"--compose", photo, "--output", Path("out.jpg"),
                                           "--screen", "640x360", "--settings", settings},
                                          env, kTimeoutSeconds);
        if (run->signal == SIGKILL)
            return QString("no end within %1 s").arg(kTimeoutSeconds);
        if (run->signal != 0)
            return QString("ended by signal %1").arg(run->signal);
        if (run->exitCode != 0 && run->exitCode != 1)
            return QString("exit code %1: %2").arg(run->exitCode).arg(run->err.right(2000));
        if (run->err.contains("runtime error") || run->err.contains("Sanitizer"))
            return QString("sanitizer report: %1").arg(run->err.right(2000));
        if (kPeakIsChecked && run->peakKiB >= kComposePeakLimitKiB)
            return QString("peak memory %1 KiB").arg(run->peakKiB);
        return {};
    }

    // Keeps a failing case's files for whoever runs it again by hand.
    QString Keep(const QString& kind, int index, const QString& photo, const QString& settings) {
        const QString folder = QCoreApplication::applicationDirPath() +
                               QString("/mutation-failures/%1-%2").arg(kind).arg(index);
        QDir().mkpath(folder);
        QFile::copy(photo, folder + "/photo");
        QFile::copy(settings, folder + "/settings.skdat");
        return folder;
    }

private slots:
    void initTestCase() {
        const QImage picture = Picture(320, 240);
        QVERIFY(skyloom::test::WriteFile(
            Path("seed.jpg"),
            skyloom::test::WithExifOrientation(skyloom::test::Encoded(picture, "JPEG"), 6)));
        QVERIFY(skyloom::test::WriteFile(Path("seed-progressive.jpg"),
                                         skyloom::test::ProgressiveJpeg(picture)));
        QVERIFY(picture.save(Path("seed.png")));
        QVERIFY(picture.save(Path("seed.tif")));
        QVERIFY(picture.save(Path("seed.bmp")));
        // A look that exercises the most: a transformed gradient, 3-D, reflection, greyscale.
        skyloom::CAppSettings settings;
        settings.m_nBackgroundType = 1;
        settings.m_nGradientTransform = 2;
        settings.m_nLandscapePosition = 3;
        settings.m_nPortraitPosition = 7;
        settings.m_bPortraitGrayscale = 1;
        settings.SetSettingsPath(Path("seed.skdat"));
        QVERIFY(settings.Save());
    }

    void everyRunEndsWithinTheBounds_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("photoSeeds");
        QTest::addColumn<bool>("mutateSettings");
        QTest::newRow("photos") << "photos"
                                << QStringList{"seed.jpg", "seed-progressive.jpg", "seed.png",
                                               "seed.tif", "seed.bmp"}
                                << false;
        QTest::newRow("progressive JPEGs")
            << "progressive" << QStringList{"seed-progressive.jpg"} << false;
        QTest::newRow("settings files") << "settings" << QStringList{"seed.jpg"} << true;
    }

    void everyRunEndsWithinTheBounds() {
        QFETCH(QString, kind);
        QFETCH(QStringList, photoSeeds);
        QFETCH(bool, mutateSettings);
        const QByteArray settingsSeed = skyloom::test::ReadAll(Path("seed.skdat"));
        const int cases = CasesPerKind();
        std::vector<long> peaks;
        double slowest = 0;
        int failed = 0, refused = 0;
        for (int index = 0; index < cases; ++index) {
            std::mt19937 random(quint32(index) * 2654435761u + quint32(qHash(kind, 0)));
            const QString seed = photoSeeds[index % photoSeeds.size()];
            const QString photo = Path("case-" + seed);
            const QString settings = Path("case.skdat");
            const QByteArray photoBytes = skyloom::test::ReadAll(Path(seed));
            QVERIFY(skyloom::test::WriteFile(photo, mutateSettings ? photoBytes
                                                                   : Mutate(photoBytes, random)));
            QVERIFY(skyloom::test::WriteFile(settings, mutateSettings ? Mutate(settingsSeed, random)
                                                                      : settingsSeed));
            MeasuredRun run;
            const QString fault = Check(photo, settings, &run);
            peaks.push_back(run.peakKiB);
            slowest = std::max(slowest, run.seconds);
            refused += run.exitCode == 1;
            if (!fault.isEmpty()) {
                ++failed;
                qWarning("%s case %d: %s (kept in %s)", qPrintable(kind), index, qPrintable(fault),
                         qPrintable(Keep(kind, index, photo, settings)));
            }
        }
        std::sort(peaks.begin(), peaks.end());
        qInfo("%s: %d cases, %d refused with a message, %d faults; peak memory median %ld KiB, "
              "largest %ld KiB; slowest %.2f s",
              qPrintable(kind), cases, refused, failed, peaks[peaks.size() / 2], peaks.back(),
              slowest);
        QCOMPARE(failed, 0);
    }
};

SKYLOOM_TEST_MAIN(TestMutatedInputs, QCoreApplication)
#include "tst_mutated_inputs.moc"
