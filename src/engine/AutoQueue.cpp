#include "AutoQueue.h"

#include "CMersenneTwister.h"
#include "library/CShortcutsTable.h"
#include "library/SqlText.h"

#include <algorithm>
#include <set>

namespace skyloom {

std::vector<int> ChooseAutoQueue(const QString& databasePath, int categoryId, int count,
                                 CMersenneTwister& random, quint32 seed) {
    CShortcutsTable table(databasePath);
    if (!table.Open())
        return {};
    const bool all = categoryId == -1;
    const int n =
        table.Count(all ? QByteArray("SELECT COUNT(*) FROM Shortcuts;")
                        : SqlText("SELECT COUNT(*) FROM Shortcuts WHERE CatId=%d;", categoryId));
    table.Load(all ? QByteArray("SELECT * FROM Shortcuts;")
                   : SqlText("SELECT * FROM Shortcuts WHERE CatId=%d;", categoryId));
    std::set<int> ids;
    for (const ShortcutRecord& record : table.Records())
        ids.insert(record.id);
    table.Close();
    const std::vector<int> candidates(ids.begin(), ids.end());
    // The count and the rows are two reads; a shortcut deleted between them must not leave the
    // draw below looking for an id that is not there.
    int k = std::min({n, count, int(candidates.size())});
    random.Seed(seed);
    std::set<int> chosen;
    // Bounded: a seed of 0 leaves the generator's state all zeros and every draw the same id;
    // the ids still missing then come in order.
    const quint32 size = quint32(candidates.size());
    for (quint32 attempt = 0; k > 0 && attempt < 64 * size; ++attempt)
        if (chosen.insert(candidates[random.Below(size)]).second)
            --k;
    for (auto id = candidates.begin(); k > 0 && id != candidates.end(); ++id)
        if (chosen.insert(*id).second)
            --k;
    return {chosen.begin(), chosen.end()};
}

} // namespace skyloom
