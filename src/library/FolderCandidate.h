#pragma once

#include <QString>

#include <vector>

namespace skyloom {

// A folder that holds photos and may become a Photo Folder Shortcut: the shortcut name made
// from its folder name, its full path and the photos in it and below it.
struct FolderCandidate {
    QString name;
    QString folder;
    int photoCount = 0;
};

// Found folders kept in the order of their names without regard to letter case, no two names
// equal in that order: a later candidate of a name already there is dropped.
class FolderCandidates {
public:
    // False (and nothing changes) when a candidate of that name is already there.
    bool Insert(FolderCandidate candidate);
    // The index of the candidate of that name (letter case ignored), or -1.
    int IndexOf(const QString& name) const;
    void Clear() { m_items.clear(); }
    int Size() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    const FolderCandidate& At(int index) const { return m_items[std::size_t(index)]; }
    bool IsValid(int index) const { return index >= 0 && index < Size(); }
    const std::vector<FolderCandidate>& Items() const { return m_items; }

private:
    // The first position whose name does not come before the given name.
    std::vector<FolderCandidate>::const_iterator LowerBound(const QString& name) const;

    std::vector<FolderCandidate> m_items;
};

} // namespace skyloom
