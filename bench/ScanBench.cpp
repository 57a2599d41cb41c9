// Folder scanning: the time of a full recursive scan, the time a cancelled scan takes to
// return, and the generator of the reference tree.

#include "Commands.h"
#include "library/CFolderScanner.h"
#include "library/PhotoFolderSearch.h"
#include "library/PhotoPatterns.h"
#include "ui/tools/FolderSearchJob.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

using namespace skyloom;

namespace {

// A scanner set up as the queue builder sets it: all four formats, recursive.
void Prepare(CFolderScanner& scanner, const std::atomic<int>& proceed) {
    scanner.SetPatterns(BuildPatterns(true, true, true, true));
    scanner.m_recursive = 1;
    scanner.m_pContinue = &proceed;
}

int Scan(const QStringList& args) {
    if (args.size() != 1)
        return 2;
    CFolderScanner scanner;
    const std::atomic<int> proceed{1};
    Prepare(scanner, proceed);
    QElapsedTimer timer;
    timer.start();
    scanner.Scan(args[0], true);
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("photos=%zu ms=%.1f\n", scanner.m_entries.size(), ms);
    return 0;
}

int Cancel(const QStringList& args) {
    if (args.isEmpty() || args.size() > 2)
        return 2;
    const int afterMs = args.size() == 2 ? args[1].toInt() : 100;
    CFolderScanner scanner;
    std::atomic<int> proceed{1};
    Prepare(scanner, proceed);
    QElapsedTimer sinceCancel;
    std::thread worker([&] { scanner.Scan(args[0], true); });
    std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
    sinceCancel.start();
    proceed = 0;
    worker.join();
    std::printf("photos=%zu cancel_ms=%.2f\n", scanner.m_entries.size(),
                sinceCancel.nsecsElapsed() / 1e6);
    return 0;
}

// The QuickStart wizard's search: every folder of the tree, its photos counted.
int FolderSearch(const QStringList& args) {
    if (args.size() != 1)
        return 2;
    QElapsedTimer timer;
    timer.start();
    const FolderSearchResult result = SearchPhotoFolders(args[0], FolderSearchDepth::WholeTree);
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("folders=%d photos=%d candidates=%zu ms=%.1f\n", result.foldersSeen,
                result.photosSeen, result.found.size(), ms);
    return 0;
}

// The same search cancelled after a while: how long it takes to return.
int FolderSearchCancel(const QStringList& args) {
    if (args.isEmpty() || args.size() > 2)
        return 2;
    const int afterMs = args.size() == 2 ? args[1].toInt() : 50;
    std::atomic<int> proceed{1};
    FolderSearchResult result;
    std::thread worker(
        [&] { result = SearchPhotoFolders(args[0], FolderSearchDepth::WholeTree, &proceed); });
    std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
    QElapsedTimer sinceCancel;
    sinceCancel.start();
    proceed = 0;
    worker.join();
    std::printf("folders=%d completed=%d cancel_ms=%.2f\n", result.foldersSeen,
                result.completed ? 1 : 0, sinceCancel.nsecsElapsed() / 1e6);
    return 0;
}

// The wizard's Cancel as the page meets it: the search runs on its worker, Cancel is pressed
// after a while, and the time runs until its result reaches the main thread's event loop.
int FolderSearchJobCancel(const QStringList& args) {
    if (args.isEmpty() || args.size() > 2)
        return 2;
    const int afterMs = args.size() == 2 ? args[1].toInt() : 50;
    FolderSearchJob job;
    QEventLoop loop;
    QElapsedTimer sinceCancel;
    FolderSearchResult result;
    QObject::connect(&job, &FolderSearchJob::finished, &loop, [&](const FolderSearchResult& r) {
        result = r;
        loop.quit();
    });
    QTimer::singleShot(afterMs, &loop, [&] {
        sinceCancel.start();
        job.Cancel();
    });
    job.Start(args[0], FolderSearchDepth::WholeTree);
    loop.exec();
    std::printf("folders=%d completed=%d cancel_ms=%.2f\n", result.foldersSeen,
                result.completed ? 1 : 0,
                sinceCancel.isValid() ? sinceCancel.nsecsElapsed() / 1e6 : -1.0);
    return 0;
}

// folders x files: every folder holds files/2 photos (jpg, JPG, png, tif, bmp in turn) and as
// many other files, grouped ten folders to a parent so that the walk has depth.
int MakeTree(const QStringList& args) {
    if (args.isEmpty() || args.size() > 3)
        return 2;
    const int folders = args.size() > 1 ? args[1].toInt() : 20000;
    const int files = args.size() > 2 ? args[2].toInt() : 10;
    const char* photoExt[] = {".jpg", ".JPG", ".png", ".tif", ".bmp"};
    const char* otherExt[] = {".txt", ".xmp", ".mov", ".db", ""};
    for (int f = 0; f < folders; ++f) {
        const QString folder = QString("%1/group%2/folder%3").arg(args[0]).arg(f / 10).arg(f);
        if (!QDir().mkpath(folder))
            return 1;
        for (int i = 0; i < files; ++i) {
            const char* ext = i % 2 == 0 ? photoExt[(i / 2) % 5] : otherExt[(i / 2) % 5];
            const QByteArray path =
                QFile::encodeName(folder) + "/file" + QByteArray::number(i) + ext;
            const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (fd < 0)
                return 1;
            ::close(fd);
        }
    }
    std::printf("folders=%d files=%d\n", folders, folders * files);
    return 0;
}

const RegisterBench scan("scan", {"DIR", Scan});
const RegisterBench cancel("cancel", {"DIR [AFTER_MS]", Cancel});
const RegisterBench folderSearch("folder-search", {"DIR", FolderSearch});
const RegisterBench folderSearchCancel("folder-search-cancel",
                                       {"DIR [AFTER_MS]", FolderSearchCancel});
const RegisterBench folderSearchJobCancel("folder-search-job-cancel",
                                          {"DIR [AFTER_MS]", FolderSearchJobCancel});
const RegisterBench makeTree("make-tree", {"DIR [FOLDERS] [FILES_PER_FOLDER]", MakeTree});

} // namespace
