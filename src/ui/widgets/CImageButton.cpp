#include "CImageButton.h"

#include "composer/ImageToolkit.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QSvgRenderer>

namespace skyloom {
namespace {

// Every channel becomes 1.05 c + 0.05 of full scale: slightly brighter.
ColorMatrix HotMatrix() {
    ColorMatrix m = ColorMatrix::Identity();
    for (int i = 0; i < 3; ++i) {
        m.m[i][i] = 1.05f;
        m.m[4][i] = 0.05f;
    }
    return m;
}

// Grey from the luminance weights 0.3, 0.59 and 0.11.
ColorMatrix DisabledMatrix() {
    ColorMatrix m = ColorMatrix::Identity();
    const float weights[3] = {0.3f, 0.59f, 0.11f};
    for (int input = 0; input < 3; ++input)
        for (int output = 0; output < 3; ++output)
            m.m[input][output] = weights[input];
    return m;
}

} // namespace

CImageButton::CImageButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::ArrowCursor);
}

void CImageButton::SetPictures(const QString& normal, const QString& checked) {
    m_normal = normal;
    m_checked = checked;
    m_cache = {};
    updateGeometry();
    update();
}

void CImageButton::SetDisabledLook(bool disabled) {
    m_disabledLook = disabled;
    update();
}

void CImageButton::SetTooltip(const QString& text, bool activate) {
    setToolTip(activate ? text : QString());
    // The name stays when tooltips are off: an empty text says nothing about the button.
    if (!text.isEmpty() && (accessibleName().isEmpty() || accessibleName() == m_tooltipName)) {
        setAccessibleName(text);
        m_tooltipName = text;
    }
}

CImageButton::Look CImageButton::CurrentLook() const {
    if (m_disabledLook || !isEnabled())
        return Look::Disabled;
    const bool checked = isChecked() && !m_checked.isEmpty();
    if (isDown())
        return checked ? Look::CheckedPressed : Look::Pressed;
    if (m_hot)
        return checked ? Look::CheckedHot : Look::Hot;
    return checked ? Look::Checked : Look::Normal;
}

QImage CImageButton::Picture(bool checked, const QSize& pixels) const {
    QImage picture(pixels, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(checked ? m_checked : m_normal);
    if (renderer.isValid()) {
        QPainter painter(&picture);
        // The picture keeps its proportions, centred in the button.
        QSizeF size = renderer.defaultSize();
        size.scale(pixels, Qt::KeepAspectRatio);
        renderer.render(&painter, QRectF(QPointF((pixels.width() - size.width()) / 2,
                                                 (pixels.height() - size.height()) / 2),
                                         size));
    }
    return picture;
}

QImage CImageButton::RenderLook(Look look, qreal pixelRatio) const {
    const QSize pixels = (QSizeF(size()) * pixelRatio).toSize();
    if (m_normal.isEmpty() || pixels.isEmpty())
        return {};
    const bool checked =
        look == Look::Checked || look == Look::CheckedPressed || look == Look::CheckedHot;
    const bool pressed = look == Look::Pressed || look == Look::CheckedPressed;
    QImage picture = Picture(checked, pixels);
    if (look == Look::Hot || look == Look::CheckedHot)
        picture = ApplyAttributes(picture, {HotMatrix(), std::nullopt});
    else if (look == Look::Disabled)
        picture = ApplyAttributes(picture, {DisabledMatrix(), std::nullopt});
    if (!pressed) {
        picture.setDevicePixelRatio(pixelRatio);
        return picture;
    }
    // Pressed: the picture moved one pixel right and down.
    QImage moved(pixels, QImage::Format_ARGB32_Premultiplied);
    moved.fill(Qt::transparent);
    QPainter painter(&moved);
    const int step = qRound(pixelRatio);
    painter.drawImage(QPoint(step, step), picture);
    painter.end();
    moved.setDevicePixelRatio(pixelRatio);
    return moved;
}

QSize CImageButton::sizeHint() const {
    const QSize picture = QSvgRenderer(m_normal).defaultSize();
    return picture.isValid() ? picture + QSize(6, 6) : QSize(24, 24);
}

void CImageButton::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (ratio != m_cacheRatio) {
        m_cache = {};
        m_cacheRatio = ratio;
    }
    QImage& look = m_cache[std::size_t(CurrentLook())];
    if (look.isNull())
        look = RenderLook(CurrentLook(), ratio);
    QPainter painter(this);
    if (!look.isNull())
        painter.drawImage(QPoint(0, 0), look);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CImageButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

bool CImageButton::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::HoverEnter:
        m_hot = true;
        update();
        break;
    case QEvent::HoverLeave:
        m_hot = false;
        update();
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void CImageButton::resizeEvent(QResizeEvent* event) {
    m_cache = {};
    QAbstractButton::resizeEvent(event);
}

} // namespace skyloom
