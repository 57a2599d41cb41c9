#include "ToolWidgets.h"

#include "ui/widgets/Artwork.h"
#include "ui/widgets/CImageButton.h"

#include <QLabel>
#include <QProgressBar>

namespace skyloom {

CImageButton* MakePictureButton(QWidget* parent, const char* objectName, const QString& picture,
                                const QString& tooltip, bool showTooltip, int size) {
    auto* button = new CImageButton(parent);
    button->setObjectName(QLatin1String(objectName));
    button->SetPictures(Artwork::ButtonPicture(picture));
    button->SetTooltip(tooltip, showTooltip);
    button->setAccessibleName(tooltip);
    button->setFixedSize(size, size);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QLabel* MakePlainLabel(QWidget* parent, const char* objectName, const QString& accessibleName) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setAccessibleName(accessibleName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QProgressBar* MakeProgressBar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setAccessibleName(QStringLiteral("Progress"));
    bar->setTextVisible(false);
    bar->setRange(0, 1);
    bar->setValue(0);
    return bar;
}

} // namespace skyloom
