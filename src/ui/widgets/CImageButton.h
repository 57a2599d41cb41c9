#pragma once

#include <QAbstractButton>
#include <QImage>

#include <array>

namespace skyloom {

// A push button that shows a picture instead of text: an SVG drawn at the button's size and
// the screen's pixel ratio, over whatever lies behind it. Its hot (pointer over it), pressed
// and disabled looks are made from the same picture with colour matrices; in check mode a
// second picture shows while checked, and each click flips it once. Keyboard focus, Space and
// Enter work as on any button.
class CImageButton final : public QAbstractButton {
    Q_OBJECT
public:
    enum class Look { Normal, Pressed, Hot, Disabled, Checked, CheckedPressed, CheckedHot };

    explicit CImageButton(QWidget* parent = nullptr);

    // The pictures, as SVG files or resources; an empty checked picture means none.
    void SetPictures(const QString& normal, const QString& checked = {});
    // Draws the disabled look whatever the button's enabled state.
    void SetDisabledLook(bool disabled);
    bool DisabledLook() const { return m_disabledLook; }
    // In check mode a click flips the checked state.
    void SetCheckMode(bool on) { setCheckable(on); }
    // An empty text, or activate false, means no tooltip. The text also names the button for
    // assistive tools unless it has a name of its own.
    void SetTooltip(const QString& text, bool activate = true);

    // The look the button shows now.
    Look CurrentLook() const;
    // One look at the button's size and the given pixel ratio: the picture alone on a
    // transparent ground (the button shows what lies behind it through it).
    QImage RenderLook(Look look, qreal pixelRatio) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage Picture(bool checked, const QSize& pixels) const;

    QString m_normal;
    QString m_checked;
    bool m_disabledLook = false;
    bool m_hot = false;
    QString m_tooltipName; // the accessible name SetTooltip gave, replaced by the next one
    // The looks drawn so far at the current size and pixel ratio.
    mutable std::array<QImage, 7> m_cache;
    mutable qreal m_cacheRatio = 0;
};

} // namespace skyloom
