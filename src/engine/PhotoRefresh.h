#pragma once

#include "library/ShortcutRecord.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>

namespace skyloom {

// Counts the photos of a shortcut's folder with its formats and recursive flag; nothing once
// running is cleared during the walk.
using CountShortcutPhotos =
    std::function<std::optional<int>(const ShortcutRecord&, const std::atomic<int>& running)>;
std::optional<int> CountShortcutPhotosOnDisk(const ShortcutRecord& shortcut,
                                             const std::atomic<int>& running);

struct PhotoRefreshResult {
    bool changed = false;  // some stored count differed from the folder's
    bool complete = false; // every shortcut was counted
};

// Recounts the photos of every shortcut of the category (of all shortcuts when categoryId is
// -1) and writes the counts that changed back to the library, the count alone, so that a
// rename or any other edit made meanwhile stands. Runs on a worker; reports each shortcut
// done through progress; stops after the shortcut in hand once running is cleared, keeping
// what it wrote.
PhotoRefreshResult RefreshPhotoCounts(const QString& databasePath, int categoryId,
                                      const std::atomic<int>& running,
                                      const std::function<void(int done, int total)>& progress,
                                      const CountShortcutPhotos& count = CountShortcutPhotosOnDisk);

} // namespace skyloom
