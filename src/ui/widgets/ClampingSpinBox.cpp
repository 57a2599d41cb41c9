#include "ClampingSpinBox.h"

#include <QLineEdit>

#include <algorithm>

namespace skyloom {

ClampingSpinBox::ClampingSpinBox(QWidget* parent) : QSpinBox(parent) {
    // Wide enough for anything a person types; the limits are applied here.
    setRange(-9999999, 9999999);
    setAlignment(Qt::AlignRight);
    setKeyboardTracking(true);
    connect(this, &QSpinBox::valueChanged, this, [this](int value) {
        emit valueTyped(value);
        if (value >= m_minimum && value <= m_maximum)
            emit valueTaken(value);
    });
    connect(this, &QAbstractSpinBox::editingFinished, this, &ClampingSpinBox::Finish);
}

void ClampingSpinBox::SetLimits(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
    updateGeometry();
    Finish();
}

void ClampingSpinBox::Finish() {
    const int clamped = std::clamp(value(), m_minimum, m_maximum);
    if (clamped != value())
        setValue(clamped); // says valueTaken
}

void ClampingSpinBox::stepBy(int steps) {
    setValue(std::clamp(value() + steps * singleStep(), m_minimum, m_maximum));
}

int ClampingSpinBox::SpareWidth() const {
    const QFontMetrics metrics = fontMetrics();
    const auto widest = [&](int low, int high) {
        return std::max(metrics.horizontalAdvance(textFromValue(low)),
                        metrics.horizontalAdvance(textFromValue(high)));
    };
    return std::max(0, widest(minimum(), maximum()) - widest(m_minimum, m_maximum));
}

QSize ClampingSpinBox::sizeHint() const {
    return QSpinBox::sizeHint() - QSize(SpareWidth(), 0);
}

QSize ClampingSpinBox::minimumSizeHint() const {
    return QSpinBox::minimumSizeHint() - QSize(SpareWidth(), 0);
}

QAbstractSpinBox::StepEnabled ClampingSpinBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

} // namespace skyloom
