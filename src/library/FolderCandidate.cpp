#include "FolderCandidate.h"

#include <algorithm>

namespace skyloom {

std::vector<FolderCandidate>::const_iterator
FolderCandidates::LowerBound(const QString& name) const {
    return std::lower_bound(m_items.begin(), m_items.end(), name,
                            [](const FolderCandidate& item, const QString& key) {
                                return QString::compare(item.name, key, Qt::CaseInsensitive) < 0;
                            });
}

bool FolderCandidates::Insert(FolderCandidate candidate) {
    const auto at = LowerBound(candidate.name);
    if (at != m_items.end() && QString::compare(at->name, candidate.name, Qt::CaseInsensitive) == 0)
        return false;
    m_items.insert(at, std::move(candidate));
    return true;
}

int FolderCandidates::IndexOf(const QString& name) const {
    const auto at = LowerBound(name);
    if (at == m_items.end() || QString::compare(at->name, name, Qt::CaseInsensitive) != 0)
        return -1;
    return int(at - m_items.begin());
}

} // namespace skyloom
