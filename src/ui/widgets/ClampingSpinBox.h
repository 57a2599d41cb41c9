#pragma once

#include <QSpinBox>

namespace skyloom {

// A spin box that takes any whole number typed and brings it into its limits when the edit is
// finished (Enter, or the focus leaving), instead of quietly going back to the last value as a
// QSpinBox does. Typed values inside the limits count at once; the arrows stay inside them.
class ClampingSpinBox final : public QSpinBox {
    Q_OBJECT
public:
    explicit ClampingSpinBox(QWidget* parent = nullptr);

    void SetLimits(int minimum, int maximum);
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }
    void stepBy(int steps) override;
    // As wide as the limits need, not the wide range that takes any number typed.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A value inside the limits: typed, stepped, or the clamped one when the edit finished.
    void valueTaken(int value);
    // Any value as typed, inside the limits or not.
    void valueTyped(int value);

protected:
    StepEnabled stepEnabled() const override;

private:
    void Finish();
    // How much narrower the limits' numbers are than the range's.
    int SpareWidth() const;

    int m_minimum = 0;
    int m_maximum = 99;
};

} // namespace skyloom
