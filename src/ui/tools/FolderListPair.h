#pragma once

#include <QObject>

class QWidget;
class QVBoxLayout;

namespace skyloom {

class CImageButton;
class CXFolderLB;

// Two found-folder lists, the folders still available on the left and the chosen ones on the
// right, with the four buttons between them: move the selected folder, move all. A
// double-click, or Return, on a folder moves it to the other list.
class FolderListPair final : public QObject {
    Q_OBJECT
public:
    FolderListPair(QWidget* parent, bool showTooltips);

    CXFolderLB* Left() const { return m_left; }
    CXFolderLB* Right() const { return m_right; }
    // The four buttons stacked, for the space between the lists.
    QVBoxLayout* ButtonColumn() const { return m_column; }

    void MoveRight() { MoveOne(m_left, m_right); }
    void MoveLeft() { MoveOne(m_right, m_left); }
    void MoveAllRight() { MoveAll(m_left, m_right); }
    void MoveAllLeft() { MoveAll(m_right, m_left); }
    // The buttons enabled as the lists are now; also run after every move.
    void UpdateButtons();
    void SetEnabled(bool enabled);

signals:
    // After every move and selection change.
    void changed();

private:
    void MoveOne(CXFolderLB* from, CXFolderLB* to);
    void MoveAll(CXFolderLB* from, CXFolderLB* to);

    CXFolderLB* m_left;
    CXFolderLB* m_right;
    CImageButton* m_add;
    CImageButton* m_remove;
    CImageButton* m_addAll;
    CImageButton* m_removeAll;
    QVBoxLayout* m_column;
    bool m_enabled = true;
};

} // namespace skyloom
