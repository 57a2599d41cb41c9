#pragma once

#include "PhotoEntry.h"

#include <QString>

#include <atomic>
#include <vector>

namespace skyloom {

// Finds photo files under a folder (and its sub-folders when asked) and keeps them sorted by
// path without regard to letter case. Counters make one, scan a folder and keep the number;
// the queue builder keeps one for the run and scans every queued shortcut into it.
class CFolderScanner {
public:
    void SetPatterns(const QString& text);
    // Scans the folder (trimmed) into the entries, after emptying them when clearFirst is set.
    // True when the scanner holds at least one entry, counting earlier scans.
    bool Scan(const QString& folder, bool clearFirst);
    void RemoveAll() { m_entries.clear(); }
    // Walks one folder and adds its matching files. Returns 0 when the folder cannot be read.
    int ScanFolder(const QString& folder, bool recursive);

    // The number of photos of the given formats in a folder. A count cleared through proceed
    // stops early and its result means nothing.
    static int CountPhotos(const QString& folder, bool jpeg, bool bmp, bool png, bool tiff,
                           bool recursive, const std::atomic<int>* proceed = nullptr);

    // Sorted by path without regard to case; among equal paths the newest entry comes first.
    std::vector<PhotoEntry> m_entries;
    QString m_folder;
    QString m_patterns; // trimmed and lower-cased
    int m_recursive = 0;
    int m_tag = 0;
    // The walk goes on while the int behind this is non-zero; clearing it stops the walk after
    // the entry in hand, at every level. Must be set before scanning.
    const std::atomic<int>* m_pContinue = nullptr;

private:
    void MergeSorted(std::vector<PhotoEntry> batch);
};

// The order of the entries: by path without regard to letter case.
bool PhotoPathLess(const PhotoEntry& a, const PhotoEntry& b);

} // namespace skyloom
