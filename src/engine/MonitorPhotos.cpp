#include "MonitorPhotos.h"

#include "CMersenneTwister.h"
#include "composer/CWallpaperComposer.h"

#include <algorithm>

namespace skyloom {
namespace {

// A photo of the orientation that has been shown in this round but is not on another monitor
// of this change, drawn at random; -1 when there is none. Only measured photos are known to
// have an orientation, and every photo a draw has passed over has been measured.
int ShownAgain(const std::vector<PhotoEntry>& photos, int orientation,
               const std::vector<MonitorPick>& picks, CMersenneTwister& random) {
    std::vector<int> candidates;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        const PhotoEntry& e = photos[i];
        if (!e.shown || !e.measured || e.unreadable || e.tooSmall || e.wrongOrientation ||
            e.orientation != orientation)
            continue;
        if (std::none_of(picks.begin(), picks.end(),
                         [&e](const MonitorPick& pick) { return pick.path == e.path; }))
            candidates.push_back(int(i));
    }
    if (candidates.empty())
        return -1;
    return candidates[random.Below(quint32(candidates.size()))];
}

} // namespace

MonitorChoice ChooseMonitorPhotos(PhotoQueue& queue, int shortcutId,
                                  const std::vector<int>& wantedOrientation,
                                  std::vector<MonitorPick>& picks, const PhotoFilters& filters,
                                  SlideshowCounters& counters, CMersenneTwister& random,
                                  const std::atomic<int>& running, const MeasurePhoto& measure) {
    const int shortcutCount = int(queue.shortcuts.entries.size());
    // While no monitor has a photo, a draw speaks for the change: when it finds nothing, that is
    // the change's outcome, as with one monitor.
    bool firstDraw = std::all_of(picks.begin(), picks.end(),
                                 [](const MonitorPick& pick) { return pick.path.isEmpty(); });
    int previousTag = -1;
    bool drawn = false; // this call has drawn a photo: the next draw takes the next shortcut
    for (std::size_t i = 0; i < picks.size(); ++i) {
        if (!picks[i].path.isEmpty())
            continue;
        if (drawn && shortcutCount > 1) {
            if (previousTag != -1) {
                queue.shortcuts.MarkVisited(previousTag);
                queue.shortcuts.lastShortcutId = previousTag;
            }
            shortcutId = queue.shortcuts.Choose(random, FileTimeSeedNow());
        }
        const int wanted = i < wantedOrientation.size() ? wantedOrientation[i] : kAnyOrientation;
        const bool prefer =
            filters.orientation == kAnyOrientation && (wanted == kPortrait || wanted == kLandscape);
        const auto draw = [&](int fromShortcut, int count, int orientation) {
            return ChoosePhoto(queue.photos, fromShortcut, count, filters, counters, random,
                               running, measure, orientation);
        };
        // The wanted orientation from the shortcut, then from any shortcut; then the shortcut's
        // own draw, whose outcome speaks for the first monitor.
        PhotoChoice choice{PhotoChoice::NoneForShortcut, -1, true};
        if (prefer) {
            choice = draw(shortcutId, shortcutCount, wanted);
            if (choice.outcome == PhotoChoice::NoneForShortcut)
                choice = draw(shortcutId, 1, wanted);
            // Every photo of the orientation has had its turn this round: for a later monitor
            // one comes again rather than a photo of the other orientation. The first draw
            // goes on to the other orientation, so that the round ends once all are shown.
            if (choice.outcome == PhotoChoice::NoneForShortcut && !firstDraw)
                if (const int again = ShownAgain(queue.photos, wanted, picks, random); again >= 0) {
                    choice = {PhotoChoice::Chosen, again, true};
                    ++counters.shown;
                }
        }
        if (choice.outcome == PhotoChoice::NoneForShortcut)
            choice = draw(shortcutId, shortcutCount, kAnyOrientation);
        if (choice.outcome == PhotoChoice::NoneForShortcut && !firstDraw)
            choice = draw(shortcutId, 1, kAnyOrientation);
        if (choice.outcome == PhotoChoice::Cancelled)
            return {};
        if (choice.outcome != PhotoChoice::Chosen) {
            if (firstDraw)
                return {choice.outcome, choice.anyUnshownLeft};
            // Nothing left: a monitor with a photo lends it, the nearest one before if any.
            std::size_t lender = i;
            for (std::size_t k = 1; k <= picks.size() && lender == i; ++k) {
                const std::size_t j = (i + picks.size() - k) % picks.size();
                if (!picks[j].path.isEmpty())
                    lender = j;
            }
            picks[i] = picks[lender];
            picks[i].tag = -1;
            continue;
        }
        const PhotoEntry& entry = queue.photos[std::size_t(choice.index)];
        picks[i] = {entry.path, entry.orientation, entry.width, entry.height, entry.tag};
        previousTag = entry.tag;
        drawn = true;
        firstDraw = false;
    }
    return {PhotoChoice::Chosen, true};
}

} // namespace skyloom
