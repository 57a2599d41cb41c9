#include "QueuedShortcuts.h"

#include "CMersenneTwister.h"

#include <algorithm>

namespace skyloom {

int QueuedShortcuts::Choose(CMersenneTwister& random, quint32 seed) {
    const int last = lastShortcutId;
    if (entries.size() <= 1)
        return last;
    random.Seed(seed);
    const auto open = [last](const QueueEntry& e) { return !e.visited && e.shortcutId != last; };
    // A new round: every shortcut unvisited again, the last shown still last, so that it
    // cannot open the round (nor a second try at it, should its draw find nothing).
    if (std::none_of(entries.begin(), entries.end(), open))
        for (QueueEntry& entry : entries)
            entry.visited = 0;
    // Ids are distinct, so with two or more entries one other than last is always unvisited.
    // A seed of 0 leaves the generator's state all zeros and every draw the first entry, so the
    // draws are bounded and the first open entry taken after them.
    const quint32 n = quint32(entries.size());
    for (quint32 attempt = 0; attempt < 64 * n; ++attempt) {
        const QueueEntry& entry = entries[random.Below(n)];
        if (open(entry))
            return entry.shortcutId;
    }
    return std::find_if(entries.begin(), entries.end(), open)->shortcutId;
}

void QueuedShortcuts::ResetVisited() {
    for (QueueEntry& entry : entries)
        entry.visited = 0;
    lastShortcutId = -1;
}

void QueuedShortcuts::MarkVisited(int shortcutId) {
    for (QueueEntry& entry : entries)
        if (entry.shortcutId == shortcutId)
            entry.visited = 1;
}

bool QueuedShortcuts::AnyUnvisited() const {
    return std::any_of(entries.begin(), entries.end(),
                       [](const QueueEntry& e) { return !e.visited; });
}

} // namespace skyloom
