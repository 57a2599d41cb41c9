#include "ShortcutItemDelegate.h"

#include "ShortcutListModel.h"
#include "library/TextHelpers.h"

#include <QLinearGradient>
#include <QPainter>

namespace skyloom {
namespace {

// The item's ground: the list's base colour shading a little towards its text colour over the
// upper three quarters, plain base below; on a light theme it darkens, on a dark one it
// lightens, and the text reads on both.
void FillGround(QPainter* painter, const QRect& rect, const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const auto mix = [](int a, int b) { return a + (b - a) * 8 / 100; };
    const QColor shade(mix(base.red(), text.red()), mix(base.green(), text.green()),
                       mix(base.blue(), text.blue()));
    const QRect upper(rect.left(), rect.top(), rect.width(), rect.height() * 3 / 4);
    QLinearGradient gradient(upper.topLeft(), upper.bottomLeft());
    gradient.setColorAt(0, base);
    gradient.setColorAt(1, shade);
    painter->fillRect(rect, base);
    painter->fillRect(upper, gradient);
}

} // namespace

QString ShortcutItemDelegate::PhotosLine(int photos) {
    return QStringLiteral("%1 %2 in Folder")
        .arg(FormatNumber(photos),
             photos == 1 ? QStringLiteral("Photo") : QStringLiteral("Photos"));
}

void ShortcutItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QString name = index.data(Qt::DisplayRole).toString();
    if (name.isEmpty())
        return;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    QPalette palette = option.palette;
    palette.setCurrentColorGroup(group);
    painter->save();
    FillGround(painter, option.rect, palette);
    const QRect band(option.rect.left(), option.rect.top(), kBandWidth, option.rect.height());
    if (selected)
        painter->fillRect(band, palette.color(QPalette::Highlight));

    QRect text = option.rect.adjusted(kBandWidth, 0, 0, 0).adjusted(3, 3, -3, -3);
    const QRect upper =
        QRect(text.left(), text.top(), text.width(), text.height() / 2).adjusted(1, 1, -1, -1);
    const QRect lower = QRect(text.left(), text.top() + text.height() / 2, text.width(),
                              text.height() - text.height() / 2)
                            .adjusted(1, 1, -1, -1);
    painter->setPen(palette.color(QPalette::Text));
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->drawText(upper, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      QFontMetrics(bold).elidedText(name, Qt::ElideRight, upper.width()));
    painter->setFont(option.font);
    const QString photos = PhotosLine(index.data(ShortcutListModel::PhotosRole).toInt());
    painter->drawText(lower, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(photos, Qt::ElideRight, lower.width()));
    if (option.state & QStyle::State_HasFocus) {
        QPen focus(palette.color(QPalette::Highlight));
        focus.setStyle(Qt::DotLine);
        painter->setPen(focus);
        painter->drawRect(option.rect.adjusted(kBandWidth, 0, -1, -1));
    }
    painter->restore();
}

QSize ShortcutItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    // Two lines of the font with the margins, and never less than the classic 40 pixels.
    const int lines = 2 * (option.fontMetrics.height() + 2) + 8;
    return QSize(option.rect.width(), std::max(kItemHeight, lines));
}

} // namespace skyloom
