#include "PhotoRefresh.h"

#include "library/CFolderScanner.h"
#include "library/CShortcutsTable.h"
#include "library/PhotoPatterns.h"
#include "library/SqlText.h"

namespace skyloom {

std::optional<int> CountShortcutPhotosOnDisk(const ShortcutRecord& shortcut,
                                             const std::atomic<int>& running) {
    CFolderScanner scanner;
    scanner.SetPatterns(BuildPatterns(shortcut.jpg, shortcut.bmp, shortcut.png, shortcut.tiff));
    scanner.m_recursive = shortcut.recursive ? 1 : 0;
    scanner.m_pContinue = &running;
    scanner.Scan(shortcut.folder, true);
    if (!running)
        return std::nullopt; // a walk cut short counts too few
    return int(scanner.m_entries.size());
}

PhotoRefreshResult RefreshPhotoCounts(const QString& databasePath, int categoryId,
                                      const std::atomic<int>& running,
                                      const std::function<void(int done, int total)>& progress,
                                      const CountShortcutPhotos& count) {
    PhotoRefreshResult result;
    CShortcutsTable table(databasePath);
    if (!table.Open())
        return result;
    table.Load(categoryId == -1 ? QByteArray("SELECT * FROM Shortcuts;")
                                : SqlText("SELECT * FROM Shortcuts WHERE CatId=%d;", categoryId));
    std::vector<int> ids;
    for (const ShortcutRecord& record : table.Records())
        ids.push_back(record.id);
    const int total = int(ids.size());
    if (progress)
        progress(0, total);
    // Every count is written, and committed, on its own: no transaction stays open while a
    // folder is walked, so the user's own edits of the library never wait for a refresh.
    int row = 0;
    for (int id : ids) {
        if (!running)
            break;
        ++row;
        // Read afresh: the folder or the formats may have been edited since the list was read.
        ShortcutRecord shortcut;
        if (table.Load(SqlText("SELECT * FROM Shortcuts WHERE Id=%d;", id)) &&
            table.GetById(id, shortcut)) {
            const std::optional<int> photos = count(shortcut, running);
            if (photos && *photos != shortcut.numPhotos) {
                result.changed = true;
                table.UpdatePhotoCount(id, *photos);
            }
        }
        if (progress)
            progress(row, total);
    }
    table.Close();
    result.complete = running && row == total;
    return result;
}

} // namespace skyloom
