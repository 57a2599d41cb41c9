#include "CColourPicker.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QWidgetAction>

namespace skyloom {
namespace {

CColourPicker::ColourChooser& Chooser() {
    static CColourPicker::ColourChooser chooser;
    return chooser;
}

COLORREF ColorrefOf(const QColor& colour) {
    return COLORREF(colour.red()) | COLORREF(colour.green()) << 8 | COLORREF(colour.blue()) << 16;
}

QColor ColourOf(COLORREF colour) {
    return QColor::fromRgba(ColorrefToArgb(colour));
}

// A patch of the colour with a thin outline, so that white shows on white; drawn at twice the
// size so that it stays sharp on fine screens.
QIcon Swatch(const QColor& colour, const QColor& outline, const QSize& size) {
    QPixmap pixmap(size * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(outline);
    painter.setBrush(colour);
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    painter.end();
    return QIcon(pixmap);
}

} // namespace

CColourPicker::CColourPicker(QWidget* parent) : QToolButton(parent) {
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(28, 14));
    BuildMenu();
    SetColour(0);
}

const QList<COLORREF>& CColourPicker::Palette() {
    static const QList<COLORREF> palette = [] {
        QList<COLORREF> colours;
        // A row of greys from black to white, then ten hues dark, full and light.
        for (int i = 0; i < kColumns; ++i) {
            const int grey = i * 255 / (kColumns - 1);
            colours.append(ColorrefOf(QColor(grey, grey, grey)));
        }
        const int hues[kColumns] = {0, 25, 50, 90, 140, 180, 210, 240, 275, 320};
        for (const auto& [saturation, value] : {std::pair{220, 130}, {220, 235}, {90, 250}})
            for (int hue : hues)
                colours.append(ColorrefOf(QColor::fromHsv(hue, saturation, value)));
        return colours;
    }();
    return palette;
}

void CColourPicker::BuildMenu() {
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("colourMenu"));
    auto* grid = new QWidget(m_menu);
    grid->setObjectName(QStringLiteral("swatches"));
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    const QList<COLORREF>& palette = Palette();
    for (int i = 0; i < palette.size(); ++i) {
        const QColor colour = ColourOf(palette[i]);
        auto* swatch = new QToolButton(grid);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(i));
        swatch->setAccessibleName(colour.name());
        swatch->setToolTip(colour.name());
        swatch->setAutoRaise(true);
        swatch->setIcon(Swatch(colour, Qt::gray, QSize(16, 16)));
        swatch->setIconSize(QSize(16, 16));
        connect(swatch, &QToolButton::clicked, this, [this, i] {
            m_menu->close();
            PickSwatch(i);
        });
        layout->addWidget(swatch, i / kColumns, i % kColumns);
    }
    auto* action = new QWidgetAction(m_menu);
    action->setDefaultWidget(grid);
    m_menu->addAction(action);
    m_menu->addSeparator();
    m_choose = m_menu->addAction(QStringLiteral("Choose..."));
    m_choose->setObjectName(QStringLiteral("chooseColourAction"));
    connect(m_choose, &QAction::triggered, this, &CColourPicker::Choose);
    setMenu(m_menu);
}

void CColourPicker::SetColour(COLORREF colour) {
    m_colour = colour & 0xFFFFFF;
    // The button shows the colour as a bar.
    setIcon(Swatch(ColourOf(m_colour), palette().color(QPalette::WindowText), iconSize()));
    setToolTip(ColourOf(m_colour).name());
}

void CColourPicker::SetChooseEnabled(bool enabled) {
    m_choose->setVisible(enabled);
}

void CColourPicker::PickSwatch(int index) {
    if (index < 0 || index >= Palette().size())
        return;
    SetColour(Palette()[index]);
    emit colourPicked(qint64(m_colour));
}

void CColourPicker::Choose() {
    const QColor initial = ColourOf(m_colour);
    const std::optional<QColor> chosen =
        Chooser() ? Chooser()(initial, this) : [&]() -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(initial, window());
        if (!colour.isValid())
            return std::nullopt;
        return colour;
    }();
    if (!chosen) {
        emit colourPicked(kNoColour);
        return;
    }
    SetColour(ColorrefOf(*chosen));
    emit colourPicked(qint64(m_colour));
}

void CColourPicker::SetColourChooser(ColourChooser chooser) {
    Chooser() = std::move(chooser);
}

} // namespace skyloom
