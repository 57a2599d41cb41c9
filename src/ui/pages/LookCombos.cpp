#include "LookCombos.h"

#include "composer/RenderOptions.h"

#include <initializer_list>
#include <utility>

namespace skyloom {
namespace {

void Fill(QComboBox* combo, std::initializer_list<std::pair<const char*, int>> items) {
    for (const auto& [caption, value] : items)
        combo->addItem(QString::fromLatin1(caption), value);
}

} // namespace

CXOrientationCB::CXOrientationCB(QWidget* parent) : QComboBox(parent) {
    Fill(this, {{"Any (Portrait & Landscape)", kAnyOrientation},
                {"Portrait (Height > Width)", kPortrait},
                {"Landscape (Width > Height)", kLandscape}});
}

CXPhotoPositionCB::CXPhotoPositionCB(bool landscape, QWidget* parent) : QComboBox(parent) {
    for (int position = kFarLeft; position <= kFarRight; ++position)
        if (!landscape || (position != kLeft && position != kRight))
            addItem(Caption(position), position);
}

QString CXPhotoPositionCB::Caption(int position) {
    static const char* const captions[] = {"Far Left",          "Far Left - 3D",    "Left",
                                           "Left - 3D",         "Center Left - 3D", "Center",
                                           "Center Right - 3D", "Right - 3D",       "Right",
                                           "Far Right - 3D",    "Far Right"};
    return position >= kFarLeft && position <= kFarRight ? QString::fromLatin1(captions[position])
                                                         : QString();
}

CXGradientDirectionCB::CXGradientDirectionCB(QWidget* parent) : QComboBox(parent) {
    Fill(this, {{"Horizontal", kHorizontal},
                {"Vertical", kVertical},
                {"Radial", kRadial},
                {"Backward Diagonal", kBackwardDiagonal},
                {"Forward Diagonal", kForwardDiagonal}});
}

CXGradientTransformCB::CXGradientTransformCB(QWidget* parent) : QComboBox(parent) {
    Fill(this, {{"None", kNoTransform},
                {"Caricature", kCaricature},
                {"Fisheye", kFisheye},
                {"Shift", kShift}});
}

CXBackgroundImageStyleCB::CXBackgroundImageStyleCB(QWidget* parent) : QComboBox(parent) {
    Fill(this, {{"Fit Image to Screen", kFitImage}, {"Tile Image", kTileImage}});
}

} // namespace skyloom
