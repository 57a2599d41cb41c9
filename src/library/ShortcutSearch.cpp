#include "ShortcutSearch.h"

#include "CShortcutsTable.h"
#include "LibraryQueries.h"

#include <QHash>

namespace skyloom {
namespace {

// Characters stored as they are and compared by LIKE as Qt compares them: ASCII letters and
// digits (LIKE ignores their case), the blank and the punctuation the stored form leaves alone
// that is no LIKE wild card.
bool PassesThroughStorage(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0x80)
        return false;
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == ' ')
        return true;
    return QStringView(u"!\"$*+;<=>?@[]^`|~").contains(c);
}

// The longest run of the text that the stored names hold as it is: a LIKE on it lets through
// every name that can match, and the exact test on the decoded name sorts out the rest.
QString RoughFragment(const QString& text) {
    QString best;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && PassesThroughStorage(text[i]))
            continue;
        if (i - start > best.size())
            best = text.mid(start, i - start);
        start = i + 1;
    }
    return best;
}

} // namespace

std::vector<FoundShortcut> FindShortcuts(const QString& databasePath, const QString& text,
                                         NameMatch match) {
    std::vector<FoundShortcut> found;
    if (text.isEmpty())
        return found;
    QHash<int, QString> categories;
    for (const CategoryRecord& c : LoadCategories(databasePath))
        categories.insert(c.id, c.name);

    CShortcutsTable table(databasePath);
    if (!table.Open())
        return found;
    const QString fragment = RoughFragment(text);
    // A fragment at the start of the text is where a stored name starts too; elsewhere it may
    // sit anywhere.
    const bool anchored = match == NameMatch::StartsWith && text.startsWith(fragment);
    const QByteArray pattern =
        ((anchored ? QString() : QStringLiteral("%")) + fragment + u'%').toUtf8();
    if (!table.Load("SELECT * FROM Shortcuts WHERE Name LIKE ? ORDER BY Name;", {pattern}))
        return found;
    for (ShortcutRecord record; table.GetCurrent(record); table.MoveNext()) {
        const bool hit = match == NameMatch::StartsWith
                             ? record.name.startsWith(text, Qt::CaseInsensitive)
                             : record.name.contains(text, Qt::CaseInsensitive);
        if (!hit)
            continue;
        FoundShortcut shortcut;
        shortcut.id = record.id;
        shortcut.name = record.name;
        shortcut.category =
            record.catId == -1 ? QStringLiteral("All") : categories.value(record.catId);
        shortcut.numPhotos = record.numPhotos;
        found.push_back(std::move(shortcut));
    }
    return found;
}

} // namespace skyloom
