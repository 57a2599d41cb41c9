// Building the photo queue: the time against scanning the same folders alone, and the memory
// the queue takes per photo beyond the text of its path.

#include "Commands.h"
#include "engine/PhotoQueueBuilder.h"
#include "library/CFolderScanner.h"
#include "library/CShortcutsTable.h"
#include "library/PhotoPatterns.h"

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>
#include <vector>

using namespace skyloom;

namespace {

constexpr int kPhotosPerFolder = 100;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// SHORTCUTS folders under the work folder, each with its share of the photos in sub-folders of
// 100, and a library with one shortcut for each.
bool MakeLibrary(const QString& work, int shortcuts, int photos, QString* library) {
    *library = work + "/library.skdb";
    if (QFile::exists(*library))
        return true;
    CShortcutsTable table(*library);
    if (!table.Open())
        return false;
    const int perShortcut = photos / shortcuts;
    for (int s = 0; s < shortcuts; ++s) {
        const QString root = QString("%1/shortcut%2").arg(work).arg(s);
        for (int p = 0; p < perShortcut; ++p) {
            const QString folder = QString("%1/sub%2").arg(root).arg(p / kPhotosPerFolder);
            if (p % kPhotosPerFolder == 0 && !QDir().mkpath(folder))
                return false;
            const QByteArray path =
                QFile::encodeName(folder) + "/IMG_" + QByteArray::number(100000 + p) + ".jpg";
            const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (fd < 0)
                return false;
            ::close(fd);
        }
        ShortcutRecord r;
        r.catId = 3;
        r.name = QString("Shortcut %1").arg(s);
        r.folder = root;
        r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
        r.numPhotos = perShortcut;
        if (table.Insert(r) != 1)
            return false;
    }
    return true;
}

int Queue(const QStringList& args) {
    if (args.size() != 3)
        return 2;
    const QString work = args[0];
    const int shortcuts = args[1].toInt();
    const int photos = args[2].toInt();
    QString library;
    if (shortcuts < 1 || photos < shortcuts || !MakeLibrary(work, shortcuts, photos, &library))
        return 1;
    std::vector<int> ids(std::size_t(shortcuts), 0);
    for (int i = 0; i < shortcuts; ++i)
        ids[std::size_t(i)] = i + 1;
    const std::atomic<int> running{1};
    std::vector<double> builds, scans;
    qint64 bytesPerPhoto = 0, pathBytes = 0;
    std::size_t queued = 0;
    for (int round = 0; round < 5; ++round) {
        const std::size_t before = mallinfo2().uordblks;
        QElapsedTimer timer;
        timer.start();
        PhotoQueueBuild build = BuildPhotoQueue(ids, library, running);
        builds.push_back(timer.nsecsElapsed() / 1e6);
        const std::size_t after = mallinfo2().uordblks;
        queued = build.queue.photos.size();
        qint64 text = 0;
        for (const PhotoEntry& e : build.queue.photos)
            text += qint64(e.path.size()) * 2; // UTF-16
        pathBytes = text / qint64(std::max<std::size_t>(1, queued));
        bytesPerPhoto = (qint64(after) - qint64(before)) / qint64(std::max<std::size_t>(1, queued));
        build = {};

        // The same folders walked alone, each on its own, without any queue to fill.
        timer.restart();
        std::size_t walked = 0;
        for (int s = 0; s < shortcuts; ++s) {
            CFolderScanner scanner;
            scanner.m_pContinue = &running;
            scanner.SetPatterns(BuildPatterns(true, true, true, true));
            scanner.m_recursive = 1;
            scanner.Scan(QString("%1/shortcut%2").arg(work).arg(s), true);
            walked += scanner.m_entries.size();
        }
        scans.push_back(timer.nsecsElapsed() / 1e6);
        if (walked != queued)
            return 1;
    }
    std::printf("build runs (ms):");
    for (double ms : builds)
        std::printf(" %.1f", ms);
    std::printf("\nscan runs (ms):");
    for (double ms : scans)
        std::printf(" %.1f", ms);
    std::printf("\nshortcuts=%d photos=%zu build_ms=%.1f scan_ms=%.1f ratio=%.2f "
                "bytes_per_photo=%lld path_text_bytes=%lld above_path=%lld\n",
                shortcuts, queued, Median(builds), Median(scans), Median(builds) / Median(scans),
                static_cast<long long>(bytesPerPhoto), static_cast<long long>(pathBytes),
                static_cast<long long>(bytesPerPhoto - pathBytes));
    return 0;
}

const RegisterBench queue("queue", {"WORK_DIR SHORTCUTS PHOTOS", Queue});

} // namespace
