#include "AutoQueue.h"

#include "CMersenneTwister.h"
#include "library/CShortcutsTable.h"
#include "library/SqlText.h"

#include <algorithm>
#include <set>

namespace skyloom {

AutoQueueCandidates LoadAutoQueueCandidates(const QString& databasePath, int categoryId) {
    AutoQueueCandidates candidates;
    CShortcutsTable table(databasePath);
    if (!table.Open())
        return candidates;
    const bool all = categoryId == -1;
    candidates.counted =
        table.Count(all ? QByteArray("SELECT COUNT(*) FROM Shortcuts;")
                        : SqlText("SELECT COUNT(*) FROM Shortcuts WHERE CatId=%d;", categoryId));
    table.Load(all ? QByteArray("SELECT * FROM Shortcuts;")
                   : SqlText("SELECT * FROM Shortcuts WHERE CatId=%d;", categoryId));
    std::set<int> ids;
    for (const ShortcutRecord& record : table.Records())
        ids.insert(record.id);
    table.Close();
    candidates.ids.assign(ids.begin(), ids.end());
    return candidates;
}

std::vector<int> DrawAutoQueue(const AutoQueueCandidates& candidates, int count,
                               CMersenneTwister& random, quint32 seed) {
    const std::vector<int>& ids = candidates.ids;
    // The count and the rows are two reads; a shortcut deleted between them must not leave the
    // draw below looking for an id that is not there.
    int k = std::min({candidates.counted, count, int(ids.size())});
    random.Seed(seed);
    std::set<int> chosen;
    // Bounded: a seed of 0 leaves the generator's state all zeros and every draw the same id;
    // the ids still missing then come in order.
    const quint32 size = quint32(ids.size());
    for (quint32 attempt = 0; k > 0 && attempt < 64 * size; ++attempt)
        if (chosen.insert(ids[random.Below(size)]).second)
            --k;
    for (auto id = ids.begin(); k > 0 && id != ids.end(); ++id)
        if (chosen.insert(*id).second)
            --k;
    return {chosen.begin(), chosen.end()};
}

std::vector<int> ChooseAutoQueue(const QString& databasePath, int categoryId, int count,
                                 CMersenneTwister& random, quint32 seed) {
    return DrawAutoQueue(LoadAutoQueueCandidates(databasePath, categoryId), count, random, seed);
}

} // namespace skyloom
