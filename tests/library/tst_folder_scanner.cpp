// The folder scanner over real folder trees made in a temporary folder.

#include "FilePermissionsEnforced.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "library/CFolderScanner.h"
#include "library/PhotoPatterns.h"

#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

using namespace skyloom;
using skyloom::test::WriteFile;

namespace {

// The entries' paths relative to a root folder, in the scanner's order.
QStringList Relative(const CFolderScanner& scanner, const QString& root) {
    QStringList paths;
    for (const PhotoEntry& e : scanner.m_entries)
        paths << e.path.mid(root.size() + 1);
    return paths;
}

struct Scanner : CFolderScanner {
    explicit Scanner(const QString& patterns = BuildPatterns(true, true, true, true),
                     int recursive = 1) {
        SetPatterns(patterns);
        m_recursive = recursive;
        m_pContinue = &proceed;
    }
    std::atomic<int> proceed{1};
};

} // namespace

class TestFolderScanner : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Root() const { return m_dir.filePath("root"); }

private slots:
    void initTestCase() {
        for (const char* name :
             {"Photo.JPG", "photo.jpeg", "photo.tif", "photo.gif", "notes.txt", "README", "photo.",
              ".hidden.png", "sub/a.bmp", "sub/deeper/b.png", "sub/deeper/c.txt"})
            QVERIFY(WriteFile(Root() + "/" + name));
        QVERIFY(WriteFile(m_dir.filePath("other/z.jpg")));
    }

    void scans_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<int>("recursive");
        QTest::addColumn<QStringList>("found");
        const QString all = BuildPatterns(true, true, true, true);
        const QStringList everything = {".hidden.png", "photo.jpeg", "Photo.JPG",
                                        "photo.tif",   "sub/a.bmp",  "sub/deeper/b.png"};
        QTest::newRow("all formats, all levels") << Root() << all << 1 << everything;
        QTest::newRow("trailing separator and blanks")
            << "  " + Root() + "/  " << all << 1 << everything;
        QTest::newRow("top level only")
            << Root() << all << 0
            << QStringList{".hidden.png", "photo.jpeg", "Photo.JPG", "photo.tif"};
        QTest::newRow("JPEG only") << Root() << BuildPatterns(true, false, false, false) << 1
                                   << QStringList{"photo.jpeg", "Photo.JPG"};
        QTest::newRow("TIFF only")
            << Root() << BuildPatterns(false, false, false, true) << 1 << QStringList{"photo.tif"};
        QTest::newRow("missing folder") << Root() + "/nope" << all << 1 << QStringList{};
        QTest::newRow("empty folder text is not the root") << "  " << all << 1 << QStringList{};
    }

    void scans() {
        QFETCH(QString, folder);
        QFETCH(QString, patterns);
        QFETCH(int, recursive);
        QFETCH(QStringList, found);
        Scanner scanner(patterns, recursive);
        QCOMPARE(scanner.Scan(folder, true), !found.isEmpty());
        QCOMPARE(scanner.m_folder, folder.trimmed());
        QCOMPARE(Relative(scanner, Root()), found);
    }

    void entriesCarryTheFileFacts() {
        const QString path = m_dir.filePath("facts/Sunset 01.png");
        QVERIFY(WriteFile(path, QByteArray(1234, 'x')));
        const timeval times[2] = {{1300000000, 0}, {1300000000, 0}};
        QCOMPARE(::utimes(QFile::encodeName(path).constData(), times), 0);
        Scanner scanner;
        scanner.m_tag = 42;
        QVERIFY(scanner.Scan(m_dir.filePath("facts"), true));
        const PhotoEntry& e = scanner.m_entries.at(0);
        QCOMPARE(e.path, path);
        QCOMPARE(e.FolderPart(), m_dir.filePath("facts") + "/");
        QCOMPARE(e.FileName(), "Sunset 01.png");
        QCOMPARE(e.size, 1234u);
        QCOMPARE(e.modified, 1300000000);
        QCOMPARE(e.tag, 42);
        QCOMPARE((QList<int>{e.orientation, e.width, e.height}), (QList<int>{-1, -1, -1}));
        QCOMPARE((QList<int>{e.shown, e.measured, e.tooSmall, e.wrongOrientation}),
                 (QList<int>{0, 0, 0, 0}));
    }

    void severalScansIntoOneScanner() {
        Scanner scanner;
        scanner.m_tag = 1;
        scanner.Scan(m_dir.filePath("other"), true);
        scanner.m_tag = 2;
        scanner.Scan(Root() + "/sub", false);
        scanner.m_tag = 3;
        scanner.Scan(Root() + "/sub/deeper", false); // overlaps the scan before
        QStringList order;
        for (const PhotoEntry& e : scanner.m_entries)
            order << QString("%1 %2").arg(e.path.mid(m_dir.path().size() + 1)).arg(e.tag);
        // One array in path order; a file found again stands in front of its earlier entry.
        QCOMPARE(order, (QStringList{"other/z.jpg 1", "root/sub/a.bmp 2", "root/sub/deeper/b.png 3",
                                     "root/sub/deeper/b.png 2"}));
        QVERIFY(scanner.Scan(m_dir.filePath("nothing here"), false)); // earlier entries count
        QVERIFY(!scanner.Scan(m_dir.filePath("nothing here"), true));
    }

    void countPhotosTakesJpegBmpPngTiff() {
        QCOMPARE(CFolderScanner::CountPhotos(Root(), false, false, true, false, true), 2);
        QCOMPARE(CFolderScanner::CountPhotos(Root(), false, true, false, false, true), 1);
        QCOMPARE(CFolderScanner::CountPhotos(Root(), true, true, true, true, false), 4);
    }

    void clearedFlagStopsAfterTheCurrentEntryAtEveryLevel() {
        // A chain of folders, one folder in each, with three photos at the bottom.
        const QString chain = m_dir.filePath("chain");
        for (const char* name : {"a/b/c/d/1.jpg", "a/b/c/d/2.jpg", "a/b/c/d/3.jpg"})
            QVERIFY(WriteFile(chain + "/" + name));
        Scanner scanner;
        scanner.proceed = 0;
        scanner.Scan(chain, true);
        QCOMPARE(scanner.m_entries.size(), std::size_t(1));
        scanner.proceed = 1;
        scanner.Scan(chain, true);
        QCOMPARE(scanner.m_entries.size(), std::size_t(3));
    }

    void scanOnTheUserInterfaceThreadLetsEventsThrough() {
        const QString tree = m_dir.filePath("busy");
        for (int f = 0; f < 200; ++f)
            for (int i = 0; i < 50; ++i)
                QVERIFY(WriteFile(QString("%1/f%2/p%3.jpg").arg(tree).arg(f).arg(i), ""));
        Scanner scanner;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (++ticks == 2)
                scanner.proceed = 0; // the user pressed Cancel
        });
        timer.start(0);
        scanner.Scan(tree, true);
        QVERIFY(ticks >= 2);
        QVERIFY(scanner.m_entries.size() < 10000);
    }

    void awkwardTrees_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("count");
        QTest::newRow("symbolic-link loops") << "loops" << 3;
        QTest::newRow("unreadable folder and file") << "unreadable" << 2;
        QTest::newRow("names that are not UTF-8") << "bytes" << 2;
        QTest::newRow("pipe and dangling link named like photos") << "special" << 1;
        QTest::newRow("path longer than PATH_MAX") << "long" << 1;
    }

    void awkwardTrees() {
        QFETCH(QString, kind);
        QFETCH(int, count);
        const QString top = m_dir.filePath(kind);
        const QByteArray bytes = QFile::encodeName(top);
        QVERIFY(QDir().mkpath(top));
        if (kind == "loops") {
            QVERIFY(WriteFile(top + "/x.jpg") && WriteFile(top + "/a/y.jpg"));
            QVERIFY(WriteFile(m_dir.filePath("outside/o.jpg")));
            QCOMPARE(::symlink("..", (bytes + "/a/up").constData()), 0);
            QCOMPARE(::symlink(".", (bytes + "/a/self").constData()), 0);
            QCOMPARE(::symlink("../outside", (bytes + "/out").constData()), 0);
        } else if (kind == "unreadable") {
            QVERIFY(WriteFile(top + "/ok.jpg") && WriteFile(top + "/locked/hidden.jpg"));
            QVERIFY(WriteFile(top + "/secret.jpg")); // listed even though it cannot be read
            QCOMPARE(::chmod((bytes + "/locked").constData(), 0), 0);
            QCOMPARE(::chmod((bytes + "/secret.jpg").constData(), 0), 0);
        } else if (kind == "bytes") {
            QVERIFY(WriteFile(top + "/good.jpg"));
            const int fd =
                ::open((bytes + "/bad\xff\xfe name.JPG").constData(), O_CREAT | O_WRONLY, 0644);
            QVERIFY(fd >= 0);
            ::close(fd);
        } else if (kind == "special") {
            QVERIFY(WriteFile(top + "/real.png"));
            QCOMPARE(::mkfifo((bytes + "/pipe.jpg").constData(), 0644), 0);
            QCOMPARE(::symlink("gone", (bytes + "/dangling.jpg").constData()), 0);
        } else {
            int fd = ::open(bytes.constData(), O_RDONLY | O_DIRECTORY);
            const QByteArray name(200, 'd');
            for (int level = 0; level < 30; ++level) {
                QCOMPARE(::mkdirat(fd, name.constData(), 0755), 0);
                const int next = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
                ::close(fd);
                fd = next;
            }
            const int photo = ::openat(fd, "deep.jpg", O_CREAT | O_WRONLY, 0644);
            QVERIFY(photo >= 0);
            ::close(photo);
            ::close(fd);
        }

        test::FilePermissionsEnforced enforced;
        Scanner scanner;
        scanner.Scan(top, true);
        QCOMPARE(int(scanner.m_entries.size()), count);
        if (kind == "long")
            QVERIFY(scanner.m_entries[0].path.size() > 6000);
        if (kind == "loops")
            QVERIFY(scanner.m_entries[0].path.endsWith("/a/y.jpg"));
    }
};

SKYLOOM_TEST_MAIN(TestFolderScanner, QCoreApplication)
#include "tst_folder_scanner.moc"
