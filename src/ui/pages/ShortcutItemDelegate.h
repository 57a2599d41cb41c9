#pragma once

#include <QStyledItemDelegate>

namespace skyloom {

// Draws a shortcut as two lines, its name in bold above "1,234 Photos in Folder", over a
// gradient in the list's own colours, with a narrow band at the left edge that takes the
// highlight colour when the item is selected. Every colour comes from the palette, so the
// items read on a dark theme too.
class ShortcutItemDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kBandWidth = 5;
    static constexpr int kItemHeight = 40;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // "1,234 Photos in Folder".
    static QString PhotosLine(int photos);
};

} // namespace skyloom
