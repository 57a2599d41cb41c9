#pragma once

#include "library/FolderCandidate.h"

#include <QListWidget>

#include <functional>

namespace skyloom {

// A list of found photo folders: each item shows the folder's shortcut name in bold and, below
// it, "n Photos in Folder". Items are kept in the order of their names without regard to
// letter case; each carries the index of its candidate in a list of found folders, which the
// list asks for through its provider when it draws.
class CXFolderLB final : public QListWidget {
    Q_OBJECT
public:
    using Provider = std::function<const FolderCandidate*(int index)>;

    explicit CXFolderLB(QWidget* parent = nullptr);

    // Where the list finds the candidate of an index; nullptr for an index it does not know.
    void SetProvider(Provider provider) { m_provider = std::move(provider); }
    const FolderCandidate* Candidate(int index) const;

    // Adds the name at its place in the order; returns its row.
    int AddFolder(const QString& name, int candidateIndex);
    int CandidateIndexAt(int row) const;
    // The row of an item of that name, letter case ignored; -1 when there is none.
    int FindName(const QString& name) const;
    // The selected row, -1 when none.
    int SelectedRow() const;
    void SelectRow(int row);

signals:
    // Return or Enter on an item: the same as a double-click.
    void itemActivatedByKey(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Provider m_provider;
};

} // namespace skyloom
