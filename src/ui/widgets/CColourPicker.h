#pragma once

#include "composer/Colours.h"

#include <QColor>
#include <QToolButton>

#include <functional>
#include <optional>

class QMenu;

namespace skyloom {

// A button showing a colour that drops down a palette of swatches in rows of ten, with a
// "Choose..." entry that opens the full colour dialog. It reports the colour picked as a
// COLORREF, or -1 when the dialog was cancelled.
class CColourPicker final : public QToolButton {
    Q_OBJECT
public:
    static constexpr int kColumns = 10;
    static constexpr qint64 kNoColour = -1;

    explicit CColourPicker(QWidget* parent = nullptr);

    void SetColour(COLORREF colour);
    COLORREF Colour() const { return m_colour; }
    void SetChooseEnabled(bool enabled);
    // The palette's colours, row by row.
    static const QList<COLORREF>& Palette();
    // Picks the palette's colour as a click on its swatch does.
    void PickSwatch(int index);
    // Opens the colour dialog as the "Choose..." entry does.
    void Choose();

    // What opens the colour dialog: the initial colour in, the chosen one out, nothing when
    // cancelled. Tests answer it; by default it is QColorDialog.
    using ColourChooser = std::function<std::optional<QColor>(const QColor&, QWidget*)>;
    static void SetColourChooser(ColourChooser chooser);

signals:
    // The picked colour as a COLORREF, or kNoColour.
    void colourPicked(qint64 colour);

private:
    void BuildMenu();

    COLORREF m_colour = 0;
    QMenu* m_menu = nullptr;
    QAction* m_choose = nullptr;
};

} // namespace skyloom
