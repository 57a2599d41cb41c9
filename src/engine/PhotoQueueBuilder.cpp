#include "PhotoQueueBuilder.h"

#include "library/CFolderScanner.h"
#include "library/CShortcutsTable.h"
#include "library/PhotoPatterns.h"
#include "library/SqlText.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace skyloom {
namespace {

// The queued shortcuts that exist, read in one visit to the library, so that the database is
// not held while the folders are walked.
std::map<int, ShortcutRecord> ReadShortcuts(const std::vector<int>& ids, const QString& path,
                                            const std::atomic<int>& running) {
    std::map<int, ShortcutRecord> found;
    CShortcutsTable table(path);
    if (!table.Open())
        return found;
    for (int id : ids) {
        if (!running)
            break;
        ShortcutRecord record;
        if (table.Load(SqlText("SELECT * FROM Shortcuts WHERE Id=%d;", id)) &&
            table.GetCurrent(record))
            found.emplace(id, record);
    }
    table.Close();
    return found;
}

} // namespace

PhotoQueueBuild BuildPhotoQueue(const std::vector<int>& ids, const QString& databasePath,
                                const std::atomic<int>& running,
                                const std::function<void(int done)>& progress) {
    PhotoQueueBuild build;
    const std::map<int, ShortcutRecord> shortcuts = ReadShortcuts(ids, databasePath, running);
    // Each shortcut's photos are walked on their own and the lot sorted once at the end, rather
    // than merged into one sorted array after every shortcut (which costs the square of the
    // number of shortcuts). Sorting the walks latest first, and stably, puts a later walk's
    // entry in front of an equal path of an earlier one, as merging would.
    std::vector<std::vector<PhotoEntry>> walks;
    CFolderScanner scanner;
    scanner.m_pContinue = &running;
    int done = 0;
    for (int id : ids) {
        if (!running)
            return build;
        build.queue.shortcuts.entries.push_back({id, 0});
        if (const auto it = shortcuts.find(id); it != shortcuts.end()) {
            const ShortcutRecord& s = it->second;
            scanner.SetPatterns(BuildPatterns(s.jpg, s.bmp, s.png, s.tiff));
            scanner.m_recursive = s.recursive;
            scanner.m_tag = id;
            scanner.Scan(s.folder, true);
            walks.push_back(std::move(scanner.m_entries));
            scanner.RemoveAll();
        }
        if (progress)
            progress(++done);
    }
    if (!running)
        return build;
    std::size_t total = 0;
    for (const auto& walk : walks)
        total += walk.size();
    std::vector<PhotoEntry>& photos = build.queue.photos;
    photos.reserve(total); // exactly: the queue is kept for the whole run
    for (auto walk = walks.rbegin(); walk != walks.rend(); ++walk)
        std::move(walk->begin(), walk->end(), std::back_inserter(photos));
    walks.clear();
    std::stable_sort(photos.begin(), photos.end(), PhotoPathLess);
    build.complete = true;
    return build;
}

} // namespace skyloom
