#pragma once

#include "FolderCandidate.h"

#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace skyloom {

// Which folders below the start folder may become candidates.
enum class FolderSearchDepth {
    SubFolders, // only the start folder's immediate sub-folders (the Shortcut Builder)
    WholeTree,  // every folder below it, and the start folder itself (the QuickStart wizard)
};

// Where a search is: the folder it has just entered and its totals so far.
struct FolderSearchProgress {
    QString folder;
    int foldersSeen = 0;
    int photosSeen = 0;
};

struct FolderSearchResult {
    // The start folder itself when it holds photos directly (WholeTree only), named after its
    // last path component and counting only those photos.
    std::optional<FolderCandidate> start;
    // Every candidate folder holding photos in it or below it (all four formats), in the order
    // the walk entered them: a folder before its sub-folders.
    std::vector<FolderCandidate> found;
    int foldersSeen = 0;    // folders entered below the start folder
    int photosSeen = 0;     // photos directly in the start folder and in every folder entered
    bool completed = false; // false when cancelled
};

// Walks the tree below the start folder once, depth first, counting the photos of every
// folder. Each folder is entered once however many links lead to it (device and inode), so a
// link back up the tree ends nothing but itself; a folder that cannot be read is passed over.
// A folder whose name is not valid in the file-system encoding is counted in its parents but
// never becomes a candidate: its path could not be stored as text and opened again.
//
// The walk stops soon after the int behind proceed is cleared. progress, when given, is
// called from the walking thread at most every progressIntervalMs and once at the end.
FolderSearchResult
SearchPhotoFolders(const QString& startFolder, FolderSearchDepth depth,
                   const std::atomic<int>* proceed = nullptr,
                   const std::function<void(const FolderSearchProgress&)>& progress = {},
                   int progressIntervalMs = 50);

} // namespace skyloom
