#pragma once

#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

namespace skyloom {

class CImageButton;

// A picture button of the tool dialogs: the program's SVG picture by name, the tooltip shown
// only when the user wants tooltips, and the tooltip text as its accessible name in any case.
CImageButton* MakePictureButton(QWidget* parent, const char* objectName, const QString& picture,
                                const QString& tooltip, bool showTooltip, int size = 24);
// A label that shows its text as plain text (a folder name may hold "<"), named for tests and
// for assistive tools.
QLabel* MakePlainLabel(QWidget* parent, const char* objectName, const QString& accessibleName);
// The progress bar of a tool's long step, empty until the step starts.
QProgressBar* MakeProgressBar(QWidget* parent);

} // namespace skyloom
