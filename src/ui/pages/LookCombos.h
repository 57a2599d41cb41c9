#pragma once

#include <QComboBox>

namespace skyloom {

// The combo boxes of the Wallpaper Settings and Background pages. Each lists its captions with
// the stored value as item data; SelectData and SelectedData (ComboData.h) set and read them.

// "Any (Portrait & Landscape)", "Portrait (Height > Width)", "Landscape (Width > Height)".
class CXOrientationCB final : public QComboBox {
    Q_OBJECT
public:
    explicit CXOrientationCB(QWidget* parent = nullptr);
};

// The eleven photo positions in value order; for landscape photos without "Left" and "Right".
class CXPhotoPositionCB final : public QComboBox {
    Q_OBJECT
public:
    CXPhotoPositionCB(bool landscape, QWidget* parent = nullptr);
    static QString Caption(int position);
};

// "Horizontal", "Vertical", "Radial", "Backward Diagonal", "Forward Diagonal".
class CXGradientDirectionCB final : public QComboBox {
    Q_OBJECT
public:
    explicit CXGradientDirectionCB(QWidget* parent = nullptr);
};

// "None", "Caricature", "Fisheye", "Shift".
class CXGradientTransformCB final : public QComboBox {
    Q_OBJECT
public:
    explicit CXGradientTransformCB(QWidget* parent = nullptr);
};

// "Fit Image to Screen", "Tile Image".
class CXBackgroundImageStyleCB final : public QComboBox {
    Q_OBJECT
public:
    explicit CXBackgroundImageStyleCB(QWidget* parent = nullptr);
};

} // namespace skyloom
