#pragma once

#include <QtGlobal>

#include <vector>

namespace skyloom {

class CMersenneTwister;

// One queued shortcut of the running slideshow: visited once a photo of it was shown, or it
// was given up on, since the last reset.
struct QueueEntry {
    int shortcutId = 0;
    int visited = 0;
};

// The queued shortcuts in ascending id order, and the one whose photo was shown last: which
// shortcut the next change takes its photo from. With two or more queued, the same shortcut
// never comes twice in a row, and every one comes once before any comes again.
class QueuedShortcuts {
public:
    std::vector<QueueEntry> entries;
    int lastShortcutId = -1;

    // The shortcut for the next change. With one queued shortcut the last shown id is given
    // back (a change then takes any photo of the queue); with more, the generator is seeded
    // with seed and unvisited shortcuts other than the last are drawn, all of them becoming
    // unvisited again (a new round) once none is left.
    int Choose(CMersenneTwister& random, quint32 seed);
    // Every shortcut unvisited, none shown last.
    void ResetVisited();
    void MarkVisited(int shortcutId);
    bool AnyUnvisited() const;
};

} // namespace skyloom
