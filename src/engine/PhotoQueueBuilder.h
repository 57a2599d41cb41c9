#pragma once

#include "QueuedShortcuts.h"
#include "library/PhotoEntry.h"

#include <QString>

#include <atomic>
#include <functional>
#include <vector>

namespace skyloom {

// A photo queue as a build leaves it: every photo of every queued shortcut's folder, one entry
// each, sorted by path without regard to case and tagged with its shortcut's id (a file that
// two queued shortcuts reach stands twice), and the queued shortcuts in id order, all
// unvisited. A shortcut that no longer exists keeps its place but adds no photo.
struct PhotoQueue {
    std::vector<PhotoEntry> photos;
    QueuedShortcuts shortcuts;
};

// Builds the queue of the queued ids from the library at databasePath. Runs on a worker: it
// touches nothing but its own result, reports each shortcut done through progress (from the
// calling thread), and stops early, with complete false, once running is cleared.
struct PhotoQueueBuild {
    PhotoQueue queue;
    bool complete = false;
};
PhotoQueueBuild BuildPhotoQueue(const std::vector<int>& ids, const QString& databasePath,
                                const std::atomic<int>& running,
                                const std::function<void(int done)>& progress = {});

} // namespace skyloom
