#include "CXFolderLB.h"

#include "library/TextHelpers.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QStyledItemDelegate>

namespace skyloom {
namespace {

constexpr int kItemHeight = 34;
constexpr int kBandWidth = 5;
// The band of the selected folder: the same magenta on light and dark palettes.
const QColor kSelectedBand(0xC0, 0x00, 0xC0);

// Draws a found folder: a soft gradient of the palette's base colour behind it (white to
// #EBEBEB on a light palette), a magenta band on the left when the item is selected, the name
// in bold and the photo count below.
class FolderItemDelegate final : public QStyledItemDelegate {
public:
    explicit FolderItemDelegate(CXFolderLB* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        const int lines = 2 * option.fontMetrics.height() + 8;
        return {option.rect.width(), std::max(kItemHeight, lines)};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const QPalette& palette = option.palette;
        const bool selected = option.state & QStyle::State_Selected;
        const QColor base = palette.color(QPalette::Base);
        // The upper three quarters darken a little towards the bottom; the rest is plain.
        QLinearGradient shade(r.topLeft(), QPointF(r.left(), r.top() + r.height() * 0.75));
        shade.setColorAt(0, base);
        shade.setColorAt(1, base.lightness() > 128 ? base.darker(109) : base.lighter(125));
        painter->save();
        painter->fillRect(QRect(r.left(), r.top(), r.width(), r.height() * 3 / 4), shade);
        painter->fillRect(QRect(r.left(), r.top() + r.height() * 3 / 4, r.width(),
                                r.height() - r.height() * 3 / 4),
                          base);
        if (selected)
            painter->fillRect(QRect(r.left(), r.top(), kBandWidth, r.height()), kSelectedBand);
        if (option.state & QStyle::State_HasFocus && selected) {
            QPen pen(palette.color(QPalette::Highlight));
            pen.setStyle(Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(r.adjusted(0, 0, -1, -1));
        }

        const FolderCandidate* candidate = m_list->Candidate(index.data(Qt::UserRole).toInt());
        const QString name = candidate ? candidate->name : index.data().toString();
        const int photos = candidate ? candidate->photoCount : 0;
        const QRect text = r.adjusted(kBandWidth + 3, 3, -3, -3);
        const QRect upper(text.left(), text.top(), text.width(), text.height() / 2);
        const QRect lower(text.left(), upper.bottom() + 1, text.width(),
                          text.height() - upper.height());
        painter->setPen(palette.color(QPalette::Text));
        QFont bold = option.font;
        bold.setWeight(QFont::Bold);
        painter->setFont(bold);
        const QFontMetrics boldMetrics(bold);
        // Plain text: a folder name may hold "<" or "&".
        painter->drawText(upper.adjusted(1, 1, -1, -1), Qt::AlignVCenter | Qt::AlignLeft,
                          boldMetrics.elidedText(name, Qt::ElideRight, upper.width() - 2));
        painter->setFont(option.font);
        const QString count =
            QStringLiteral("%1 in Folder").arg(FormatCount(QStringLiteral("Photo"), photos));
        painter->drawText(lower.adjusted(1, 1, -1, -1), Qt::AlignVCenter | Qt::AlignLeft,
                          option.fontMetrics.elidedText(count, Qt::ElideRight, lower.width() - 2));
        painter->restore();
    }

private:
    CXFolderLB* m_list;
};

} // namespace

CXFolderLB::CXFolderLB(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new FolderItemDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

const FolderCandidate* CXFolderLB::Candidate(int index) const {
    return m_provider ? m_provider(index) : nullptr;
}

int CXFolderLB::AddFolder(const QString& name, int candidateIndex) {
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (QString::compare(item(middle)->text(), name, Qt::CaseInsensitive) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    auto* entry = new QListWidgetItem(name);
    entry->setData(Qt::UserRole, candidateIndex);
    if (const FolderCandidate* c = Candidate(candidateIndex))
        entry->setData(Qt::AccessibleDescriptionRole,
                       FormatCount(QStringLiteral("Photo"), c->photoCount));
    insertItem(low, entry);
    return low;
}

int CXFolderLB::CandidateIndexAt(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(Qt::UserRole).toInt() : -1;
}

int CXFolderLB::FindName(const QString& name) const {
    for (int row = 0; row < count(); ++row)
        if (QString::compare(item(row)->text(), name, Qt::CaseInsensitive) == 0)
            return row;
    return -1;
}

int CXFolderLB::SelectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void CXFolderLB::SelectRow(int row) {
    if (row < 0 || row >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void CXFolderLB::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SelectedRow() >= 0) {
        emit itemActivatedByKey(SelectedRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace skyloom
