#include "FolderChooser.h"

#include <QFileDialog>

namespace skyloom {
namespace {

FolderChooserFunction& Chooser() {
    static FolderChooserFunction chooser;
    return chooser;
}

} // namespace

QString ChooseFolder(QWidget* parent, const QString& title, const QString& start) {
    return Chooser() ? Chooser()(title, start)
                     : QFileDialog::getExistingDirectory(parent, title, start);
}

void SetFolderChooser(FolderChooserFunction chooser) {
    Chooser() = std::move(chooser);
}

} // namespace skyloom
